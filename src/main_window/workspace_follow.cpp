// Two copies of the program on one data folder, and colleagues' programs:
// writing the own lists without overwriting another copy's changes, and
// following the files on display.
#include "main_window/workspace.h"

#include "store/list_file.h"

#include "ui/time_source.h"

#include <QDir>

namespace {

// A file found to be what this copy wrote at a look this long after the
// write holds its edits: no other copy replaced it with a version lacking them.
constexpr qint64 kConfirmAfterMs = 2000;

}  // namespace

FileStatus Workspace::writeOwnList(ListKind kind)
{
    const SaveReport report = saveOwnList(settings_.ownDirectory(), kind, store_, sync(kind));
    if (report.status.ok()) {
        lastOwnWriteMs_ = time_.now().toMSecsSinceEpoch();
        unwritten_[kind == ListKind::Todo ? 0 : 1] = false;
    }
    if (report.merged)
        emit ownListMerged(report.keptBoth);
    return report.status;
}

Workspace::FilesChanged Workspace::followFiles()
{
    FilesChanged changed;
    const QString dir = settings_.ownDirectory();
    for (ListKind kind : {ListKind::Todo, ListKind::Schedule}) {
        ListSync& s = sync(kind);
        bool& unwritten = unwritten_[kind == ListKind::Todo ? 0 : 1];
        if (isUnchanged(resolvePath(dir, listFileName(kind)), s.seen)) {
            if (unwritten)
                writeOwnList(kind);
            else if (!s.journal.isEmpty() && time_.now().toMSecsSinceEpoch() - lastOwnWriteMs_ >= kConfirmAfterMs)
                s.journal.clear();
            continue;
        }
        const TakeInReport r = takeInOwnList(dir, kind, store_, s);
        if (!r.status.ok() || !r.changed)
            continue;
        changed.ownLists = true;
        changed.keptBoth = changed.keptBoth || r.keptBoth;
        // The file lacks edits of this copy (another copy's version replaced
        // it): written again with them, now or at the next look.
        unwritten = r.replayed;
        if (unwritten)
            writeOwnList(kind);
    }

    if (view_ == View::Member) {
        const QString memberDir = settings_.memberDirectory(shownMember_);
        const bool todoChanged = !isUnchanged(resolvePath(memberDir, listFileName(ListKind::Todo)), memberTodoSeen_);
        const bool scheduleChanged =
            !isUnchanged(resolvePath(memberDir, listFileName(ListKind::Schedule)), memberScheduleSeen_);
        if (todoChanged || scheduleChanged) {
            ItemStore incoming;
            Fingerprint todoSeen, scheduleSeen;
            if (loadMemberList(memberDir, ListKind::Todo, incoming, &todoSeen).ok() &&
                loadMemberList(memberDir, ListKind::Schedule, incoming, &scheduleSeen).ok()) {
                store_.memberTodos = std::move(incoming.memberTodos);
                store_.memberSchedules = std::move(incoming.memberSchedules);
                store_.memberTodoHeader = incoming.memberTodoHeader;
                store_.memberScheduleHeader = incoming.memberScheduleHeader;
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
    QStringList folders{settings_.ownDirectory()};
    if (view_ == View::Member)
        folders << settings_.memberDirectory(shownMember_);
    folders.removeIf([](const QString& d) { return !QDir::isAbsolutePath(d) || !QDir(d).exists(); });
    return folders;
}
