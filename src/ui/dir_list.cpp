#include "ui/dir_list.h"

#include "ui/path_compare.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStorageInfo>
#include <QStyle>

namespace {

QString cleanAbsolute(const QString& dir)
{
    return QDir::cleanPath(QDir(QDir::fromNativeSeparators(dir)).absolutePath());
}

bool isInside(const QString& path, const QString& root) { return !root.isEmpty() && isSameOrBelow(path, root); }

bool isReadableFolder(const QString& dir)
{
    const QFileInfo info(dir);
    return info.isDir() && QDir(dir).isReadable();
}

QString volumeRootOfPath(const QString& dir)
{
    const QString root = QStorageInfo(dir).rootPath();
    return root.isEmpty() ? QDir(dir).rootPath() : cleanAbsolute(root);
}

}   // namespace

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this, &DirListBox::enter);
    setPath(QDir::currentPath());
}

bool DirListBox::setPath(const QString& dir)
{
    const QString target = cleanAbsolute(dir);
    if (!isReadableFolder(target))
        return false;
    if (!isInside(target, root_))
        root_ = volumeRootOfPath(target);
    path_ = target;
    fill();
    return true;
}

bool DirListBox::setRoot(const QString& volumeRoot)
{
    const QString root = cleanAbsolute(volumeRoot);
    if (!isReadableFolder(root))
        return false;
    root_ = root;
    path_ = root;
    fill();
    return true;
}

QString DirListBox::path() const { return QDir::toNativeSeparators(path_); }

QString DirListBox::root() const { return QDir::toNativeSeparators(root_); }

void DirListBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        enter(currentItem());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void DirListBox::enter(QListWidgetItem* item)
{
    if (!item)
        return;
    if (!setPath(item->data(Qt::UserRole).toString()))
        return;
    emit pathChanged(path());
}

bool DirListBox::atRoot() const { return path_.compare(root_, kPathCase) == 0 || QDir(path_).isRoot(); }

void DirListBox::fill()
{
    clear();
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    if (!atRoot()) {
        auto* up = new QListWidgetItem(style()->standardIcon(QStyle::SP_FileDialogToParent), QStringLiteral(".."));
        up->setData(Qt::UserRole, cleanAbsolute(path_ + QStringLiteral("/..")));
        addItem(up);
    }
    const QFileInfoList folders =
        QDir(path_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& folder : folders) {
        auto* item = new QListWidgetItem(folderIcon, folder.fileName());
        item->setData(Qt::UserRole, folder.absoluteFilePath());
        addItem(item);
    }
}
