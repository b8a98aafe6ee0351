#include "settings/drive_follow.h"

#include "ui/dir_list.h"
#include "ui/drive_list.h"
#include "ui/ui.h"

#include <QDir>

QString startAtWorkingDirectory(DriveListBox& drive, DirListBox& dir)
{
    const QString cwd = QDir::currentPath();
    drive.selectRootOf(cwd);
    if (!drive.rootPath().isEmpty())
        dir.setRoot(drive.rootPath());
    dir.setPath(cwd);
    return drive.rootPath();
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
