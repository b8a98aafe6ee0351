// Two copies of the program on one data folder, and colleagues' programs:
// following the files on display.
#include "main_window/workspace.h"

#include "store/list_file.h"

#include <QDir>

Workspace::FilesChanged Workspace::followFiles()
{
    FilesChanged changed;
    const FollowReport own = core_.followOwnLists();
    changed.ownLists = own.changed;
    changed.ownRecords = own.recordsChanged;
    changed.keptBoth = own.keptBoth;

    if (view_ == View::Member) {
        const QString memberDir = core_.settings().memberDirectory(shownMember_);
        const bool todoChanged = !isUnchanged(resolvePath(memberDir, listFileName(ListKind::Todo)), memberTodoSeen_);
        const bool scheduleChanged =
            !isUnchanged(resolvePath(memberDir, listFileName(ListKind::Schedule)), memberScheduleSeen_);
        if (todoChanged || scheduleChanged) {
            ItemStore incoming;
            Fingerprint todoSeen, scheduleSeen;
            if (core_.readMemberList(memberDir, ListKind::Todo, incoming, &todoSeen).ok() &&
                core_.readMemberList(memberDir, ListKind::Schedule, incoming, &scheduleSeen).ok()) {
                core_.showMemberLists(std::move(incoming));
                memberTodoSeen_ = todoSeen;
                memberScheduleSeen_ = scheduleSeen;
                changed.memberLists = true;
            }
        }
    }
    return changed;
}

QStringList Workspace::watchedFolders() const
{
    QStringList folders{core_.settings().ownDirectory()};
    if (view_ == View::Member)
        folders << core_.settings().memberDirectory(shownMember_);
    folders.removeIf([](const QString& d) { return !QDir::isAbsolutePath(d) || !QDir(d).exists(); });
    return folders;
}
