#include "ui/drive_list.h"

#include "ui/path_compare.h"

#include <QDir>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QtGlobal>

namespace {

[[maybe_unused]] bool isSystemFileSystem(const QByteArray& type)
{
    static const QList<QByteArray> kSystem{
        "proc",        "sysfs",      "devtmpfs", "devpts",   "cgroup",   "cgroup2",   "securityfs", "pstore",
        "debugfs",     "tracefs",    "configfs", "fusectl",  "mqueue",   "hugetlbfs", "bpf",        "autofs",
        "binfmt_misc", "rpc_pipefs", "nsfs",     "efivarfs", "squashfs", "ramfs"};
    return kSystem.contains(type);
}

QString withoutTrailingSlash(const QString& path)
{
    QString p = QDir::fromNativeSeparators(path);
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')) && !(p.size() == 3 && p[1] == QLatin1Char(':')))
        p.chop(1);
    return p;
}

bool isUnder(const QString& path, const QString& root)
{
    return isSameOrBelow(withoutTrailingSlash(path), withoutTrailingSlash(root));
}

[[maybe_unused]] bool isUnderSystemFolder(const QString& root)
{
    static const QStringList kFolders{QStringLiteral("/proc"), QStringLiteral("/sys"), QStringLiteral("/dev"),
                                      QStringLiteral("/run"), QStringLiteral("/snap")};
    for (const QString& folder : kFolders)
        if (isUnder(root, folder))
            return true;
    return false;
}

QList<VolumeInfo> mountedVolumes()
{
    QList<VolumeInfo> out;
#ifdef Q_OS_WIN
    // The drives as such; whether one can be read is asked when it is chosen.
    for (const QFileInfo& drive : QDir::drives())
        out.append({drive.absoluteFilePath(), QByteArray(), true, true});
#else
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        out.append({v.rootPath(), v.fileSystemType(), v.isValid(), v.isReady()});
#endif
    return out;
}

}   // namespace

QStringList userVolumeRoots(const QList<VolumeInfo>& volumes)
{
    QStringList roots;
    for (const VolumeInfo& v : volumes) {
        if (!v.valid || !v.ready || v.rootPath.isEmpty())
            continue;
#ifndef Q_OS_WIN
        if (isSystemFileSystem(v.fileSystemType) || isUnderSystemFolder(v.rootPath))
            continue;
#endif
        const QString root = withoutTrailingSlash(v.rootPath);
        if (!roots.contains(root, kPathCase))
            roots.append(root);
    }
    roots.sort(kPathCase);
    return roots;
}

QString volumeRootOf(const QStringList& roots, const QString& path)
{
    QString best;
    for (const QString& root : roots)
        if (isUnder(path, root) && withoutTrailingSlash(root).size() > withoutTrailingSlash(best).size())
            best = root;
    return best;
}

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent)
{
    refresh();
    selectRootOf(QDir::currentPath());
}

void DriveListBox::refresh() { setRoots(userVolumeRoots(mountedVolumes())); }

void DriveListBox::setRoots(const QStringList& roots)
{
    const QSignalBlocker block(this);
    clear();
    for (const QString& root : roots)
        addItem(QDir::toNativeSeparators(root), root);
    setCurrentIndex(roots.isEmpty() ? -1 : 0);
}

QStringList DriveListBox::roots() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out.append(itemData(i).toString());
    return out;
}

QString DriveListBox::rootPath() const { return currentIndex() < 0 ? QString() : currentData().toString(); }

bool DriveListBox::selectRoot(const QString& root)
{
    const int i = roots().indexOf(root);
    if (i < 0)
        return false;
    const QSignalBlocker block(this);
    setCurrentIndex(i);
    return true;
}

bool DriveListBox::selectRootOf(const QString& path)
{
    const QString root = volumeRootOf(roots(), QDir(path).absolutePath());
    return !root.isEmpty() && selectRoot(root);
}
