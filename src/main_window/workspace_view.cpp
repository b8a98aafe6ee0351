// Whose lists are on display: the own open lists, a colleague's, or the archives.
#include "main_window/workspace.h"

#include "store/list_file.h"
#include "ui/ui.h"

#include <QDir>

namespace {

const QString kNoTodoFile = QStringLiteral("ＴｏＤｏデータのファイルがありません");
const QString kNoScheduleFile = QStringLiteral("Scheduleデータのファイルがありません");

}  // namespace

int Workspace::shownTodoCount() const
{
    const ItemStore& store_ = core_.store();
    switch (view_) {
    case View::Own: return store_.todos.count();
    case View::Member: return store_.memberTodos.count();
    case View::Completed: return store_.doneTodos.count();
    }
    return 0;
}

int Workspace::shownScheduleCount() const
{
    const ItemStore& store_ = core_.store();
    switch (view_) {
    case View::Own: return store_.schedules.count();
    case View::Member: return store_.memberSchedules.count();
    case View::Completed: return store_.doneSchedules.count();
    }
    return 0;
}

bool Workspace::showMember(int k)
{
    if (k <= 0) {
        if (view_ == View::Own)
            return false;
        view_ = View::Own;
        shownMember_ = 0;
        return true;
    }
    return loadMember(k);
}

bool Workspace::loadMember(int k)
{
    FileErrorHandler handler = trap(TrapVariant::Shared);
    // Both lists go into a scratch store first, so a list given up never leaves
    // half a colleague on display.
    ItemStore incoming;
    Fingerprint seen[2];
    for (ListKind kind : {ListKind::Todo, ListKind::Schedule}) {
        const QString& file = listFileName(kind);
        if (!fileExistsIgnoringCase(core_.settings().memberDirectory(k), file))
            ui_.message(window_, kind == ListKind::Todo ? kNoTodoFile : kNoScheduleFile, MsgButtons::Ok,
                        MsgIcon::Exclamation);
        const bool read = handler.readOrGiveUp(
            [&] {
                // The directory as it stands now: the member dialog may have corrected it.
                const QString dir = core_.settings().memberDirectory(k);
                if (!QDir::isAbsolutePath(dir))
                    return FileStatus{FileError::PathNotFound, dir + file, 0, FileRefusal::None};
                return core_.readMemberList(dir, kind, incoming, &seen[kind == ListKind::Todo ? 0 : 1]);
            },
            Scope::Member);
        if (!read)
            return false;
    }
    for (ListKind kind : {ListKind::Todo, ListKind::Schedule})
        if (kind == ListKind::Todo ? incoming.memberTodos.noLineEnds : incoming.memberSchedules.noLineEnds)
            tellNoLineEnds(resolvePath(core_.settings().memberDirectory(k), listFileName(kind)));
    core_.showMemberLists(std::move(incoming));
    memberTodoSeen_ = seen[0];
    memberScheduleSeen_ = seen[1];
    view_ = View::Member;
    shownMember_ = k;
    return true;
}

template <class T>
bool Workspace::loadArchive(FileErrorHandler& handler, ListKind kind, ItemList<T>& out)
{
    const QString& path = core_.archivePath(kind);
    if (handler.run([&] { return createArchive(path); }, Scope::Own, StepKind::Write).gaveUp)
        return false;
    return handler.readOrGiveUp([&] { return loadDone(path, out); }, Scope::Own);
}

void Workspace::tellArchiveFull(ListKind kind)
{
    ui_.message(window_, kind == ListKind::Todo ? kDoneTodoFullMessage : kDoneScheduleFullMessage, MsgButtons::Ok);
}

bool Workspace::showCompleted()
{
    ItemList<DoneTodoItem> todos;
    ItemList<DoneScheduleItem> schedules;
    FileErrorHandler handler = trap(TrapVariant::Shared);
    if (!loadArchive(handler, ListKind::Todo, todos))
        return false;
    // More records than the view can hold: shown, some would be out of reach,
    // and a deletion would write the archive back without them.
    if (!todos.overflow.isEmpty()) {
        tellArchiveFull(ListKind::Todo);
        return false;
    }
    if (!loadArchive(handler, ListKind::Schedule, schedules))
        return false;
    if (!schedules.overflow.isEmpty()) {
        tellArchiveFull(ListKind::Schedule);
        return false;
    }
    core_.showDoneLists(std::move(todos), std::move(schedules));
    view_ = View::Completed;
    return true;
}

void Workspace::showOpen()
{
    view_ = View::Own;
    shownMember_ = 0;
}

void Workspace::sortShown(SortOrder order, const YieldFn& yield)
{
    switch (view_) {
    case View::Own:
        core_.sortOwn(order, yield);
        break;
    case View::Member:
        core_.sortMember(order, yield);
        break;
    case View::Completed:
        core_.sortDone(order, yield);
        break;
    }
}

void Workspace::sortOwnByDate(const YieldFn& yield) { core_.sortOwn(SortOrder::DateTime, yield); }

template bool Workspace::loadArchive(FileErrorHandler&, ListKind, ItemList<DoneTodoItem>&);
template bool Workspace::loadArchive(FileErrorHandler&, ListKind, ItemList<DoneScheduleItem>&);
