// Another copy of the program on the same data folder, and colleagues'
// programs: following the files on display.
#include "main_window/presenter.h"

#include "store/list_file.h"
#include "store/memo.h"

#include <QDir>

Redisplay Presenter::followFiles()
{
    Redisplay d;
    const FollowReport own = core_.followOwnLists();
    bool shownChanged = own.changed && view_ == View::Own;
    if (own.recordsChanged)
        d.status = takenInNote(own.keptBoth);

    if (view_ == View::Member) {
        const QString memberDir = core_.settings().memberDirectory(shownMember_);
        // The files found when the colleague was chosen: a stat each (looked
        // up again when the colleague's folder was changed meanwhile).
        if (!memberTodoPath_.startsWith(memberDir)) {
            memberTodoPath_ = resolvePath(memberDir, listFileName(ListKind::Todo));
            memberSchedulePath_ = resolvePath(memberDir, listFileName(ListKind::Schedule));
        }
        const bool todoChanged = !isUnchanged(memberTodoPath_, memberTodoSeen_);
        const bool scheduleChanged = !isUnchanged(memberSchedulePath_, memberScheduleSeen_);
        if (todoChanged || scheduleChanged) {
            ItemStore incoming;
            Fingerprint todoSeen, scheduleSeen;
            if (core_.readMemberList(memberDir, ListKind::Todo, incoming, &todoSeen).ok() &&
                core_.readMemberList(memberDir, ListKind::Schedule, incoming, &scheduleSeen).ok()) {
                core_.showMemberLists(std::move(incoming));
                memberTodoSeen_ = todoSeen;
                memberScheduleSeen_ = scheduleSeen;
                shownChanged = true;
            }
        }
    }
    if (shownChanged) {
        d.rows = Redisplay::Rows::KeepItems;
        d.headings = Redisplay::Headings::Counts;
    }
    d.alarm = own.changed || shownChanged;
    // The memo shown, rewritten (an editor saved it): its text anew. The rows
    // refilled, the window asks for the memo of its row itself.
    if (d.rows == Redisplay::Rows::Same && !shownMemo_.path.isEmpty() &&
        !isUnchanged(shownMemo_.path, shownMemo_.seen)) {
        const MemoRead read = readMemoStart(shownMemo_.path);
        shownMemo_.seen = read.fingerprint;
        d.memo = read.status.ok() ? read.text : QString();
    }
    return d;
}

QStringList Presenter::watchedFolders() const
{
    QStringList folders{core_.settings().ownDirectory()};
    if (view_ == View::Member)
        folders << core_.settings().memberDirectory(shownMember_);
    folders.removeIf([](const QString& d) { return !QDir::isAbsolutePath(d) || !QDir(d).exists(); });
    return folders;
}
