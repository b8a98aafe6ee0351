#include "settings/drive_follow.h"

#include "ui/dir_list.h"
#include "ui/drive_list.h"
#include "ui/ui.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

QString startAtWorkingDirectory(DriveListBox& drive, DirListBox& dir)
{
    return startAtFolder(drive, dir, QDir::currentPath());
}

QString startAtFolder(DriveListBox& drive, DirListBox& dir, const QString& path)
{
    QString at = QDir::isAbsolutePath(path) ? QDir::cleanPath(QDir::fromNativeSeparators(path)) : QString();
    while (!at.isEmpty() && !QFileInfo(at).isDir()) {
        const QString up = QFileInfo(at).path();
        at = up == at ? QString() : up;
    }
    if (at.isEmpty())
        at = QDir::currentPath();
    drive.selectRootOf(at);
    if (!drive.rootPath().isEmpty())
        dir.setRoot(drive.rootPath());
    dir.setPath(at);
    return drive.rootPath();
}

QString proposedDataFolder(const QString& programDir, const QString& home)
{
    const QStringList parts = QDir::fromNativeSeparators(programDir).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const bool hidden = std::any_of(parts.begin(), parts.end(), [](const QString& p) { return p.startsWith('.'); });
    return QDir::toNativeSeparators(hidden ? home + QStringLiteral("/ぽるか") : programDir);
}

bool followDriveChoice(DriveListBox& drive, DirListBox& dir, QString& rememberedRoot, Ui& ui)
{
    const QString root = drive.rootPath();
    if (!root.isEmpty() && dir.setRoot(root)) {
        rememberedRoot = root;
        return true;
    }
    ui.beep();
    drive.selectRoot(rememberedRoot);
    return false;
}
