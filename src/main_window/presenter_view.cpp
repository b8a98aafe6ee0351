// Whose lists are on display (the own open lists, a colleague's, the
// archives), the choice of a list and row, the memo panel, and sorting.
#include "main_window/presenter.h"

#include "store/list_file.h"
#include "store/memo.h"
#include "ui/ui.h"

#include <QDir>

namespace {

const QString kNoTodoFile = QStringLiteral("ＴｏＤｏデータのファイルがありません");
const QString kNoScheduleFile = QStringLiteral("Scheduleデータのファイルがありません");

}   // namespace

int Presenter::shownTodoCount() const
{
    return withShownLists([](const auto& todos, const auto&) { return todos.count(); });
}

int Presenter::shownScheduleCount() const
{
    return withShownLists([](const auto&, const auto& schedules) { return schedules.count(); });
}

bool Presenter::holdsItem(ListChoice list, int row) const
{
    return list != ListChoice::None && withShownList(list, [row](const auto& items) {
               return row >= 1 && row <= items.count() && !items[row].date.isEmpty();
           });
}

ItemTexts Presenter::itemTexts(ListChoice list, int row) const
{
    return withShownList(list, [row](const auto& items) { return dialogTexts(items[row]); });
}

QByteArray Presenter::itemBytes(ListChoice list, int row) const
{
    return withShownList(list, [row](const auto& items) { return recordBytes(items[row]); });
}

int Presenter::rowOf(ListChoice list, const QByteArray& record, int near) const
{
    return withShownList(list, [&](const auto& items) { return findRecord(items, record, near); });
}

Redisplay Presenter::wholeView()
{
    Redisplay d;
    d.rows = Redisplay::Rows::Refill;
    d.headings = Redisplay::Headings::Deselect;
    d.view = true;
    d.memo = QString();
    return d;
}

Redisplay Presenter::select(ListChoice list, int row)
{
    selectedList_ = list;
    return rowChanged(list, row);
}

Redisplay Presenter::rowChanged(ListChoice list, int row)
{
    Redisplay d;
    d.memo = memoOf(list, row);
    return d;
}

Redisplay Presenter::showMember(int k)
{
    if (k <= 0) {
        if (view_ == View::Own)
            return {};
        view_ = View::Own;
        shownMember_ = 0;
        return wholeView();
    }
    // A list given up leaves the view as it was.
    return loadMember(k) ? wholeView() : Redisplay{};
}

Redisplay Presenter::toggleCompleted()
{
    if (view_ == View::Completed) {
        // Back from the archives the own lists are shown, whoever was chosen before.
        view_ = View::Own;
        shownMember_ = 0;
        return wholeView();
    }
    if (!loadArchives())
        return {};
    view_ = View::Completed;
    return wholeView();
}

bool Presenter::loadArchives()
{
    const BusyPointer busy;
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
    return true;
}

bool Presenter::loadMember(int k)
{
    FileErrorHandler handler = trap(TrapVariant::Shared);
    // Both lists go into a scratch store first, so a list given up never leaves
    // half a colleague on display.
    ItemStore incoming;
    Fingerprint seen[2];
    QString read[2];   // the files found, for the looks that follow
    for (ListKind kind : {ListKind::Todo, ListKind::Schedule}) {
        const QString& file = listFileName(kind);
        if (!fileExistsIgnoringCase(core_.settings().memberDirectory(k), file))
            ui_.message(window_, kind == ListKind::Todo ? kNoTodoFile : kNoScheduleFile, MsgButtons::Ok,
                        MsgIcon::Exclamation);
        const int i = kind == ListKind::Todo ? 0 : 1;
        const bool done = handler.readOrGiveUp(
            [&] {
                // The directory as it stands now: the member dialog may have corrected it.
                const QString dir = core_.settings().memberDirectory(k);
                if (!QDir::isAbsolutePath(dir))
                    return FileStatus{FileError::PathNotFound, dir + file, 0, FileRefusal::None};
                const FileStatus status = core_.readMemberList(dir, kind, incoming, &seen[i]);
                read[i] = status.path;
                return status;
            },
            Scope::Member);
        if (!done)
            return false;
    }
    if (incoming.memberTodos.noLineEnds)
        tellNoLineEnds(read[0]);
    if (incoming.memberSchedules.noLineEnds)
        tellNoLineEnds(read[1]);
    core_.showMemberLists(std::move(incoming));
    memberTodoPath_ = read[0];
    memberSchedulePath_ = read[1];
    memberTodoSeen_ = seen[0];
    memberScheduleSeen_ = seen[1];
    view_ = View::Member;
    shownMember_ = k;
    return true;
}

template <class T> bool Presenter::loadArchive(FileErrorHandler& handler, ListKind kind, ItemList<T>& out)
{
    const QString& path = core_.archivePath(kind);
    if (handler.run([&] { return createArchive(path); }, Scope::Own, StepKind::Write).gaveUp)
        return false;
    return handler.readOrGiveUp([&] { return loadDone(path, out); }, Scope::Own);
}

void Presenter::tellArchiveFull(ListKind kind)
{
    ui_.message(window_, kind == ListKind::Todo ? kDoneTodoFullMessage : kDoneScheduleFullMessage, MsgButtons::Ok);
}

Redisplay Presenter::sort(SortOrder order, const YieldFn& yield)
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
    Redisplay d;
    d.rows = Redisplay::Rows::KeepPlaces;
    return d;
}

int Presenter::memoNumberAt(ListChoice list, int row) const
{
    return list == ListChoice::None ? 0 : withShownList(list, [row](const auto& items) {
        return row >= 1 && row <= items.count() ? memoNumber(items[row].memoNo) : 0;
    });
}

// What the memo panel shows for `row` of the grid showing `list`; it also
// sets the memo file メモ編集 opens: the own memo's, none for a colleague's.
QString Presenter::memoOf(ListChoice list, int row)
{
    const int memoNo = memoNumberAt(list, row);
    if (memoNo == 0) {
        memoEditPath_.clear();
        shownMemo_ = {};
        return {};
    }
    // A colleague's memo is read from the colleague's folder and never edited.
    const bool member = view_ == View::Member;
    const QString dir = member ? core_.settings().memberDirectory(shownMember_) : core_.settings().ownDirectory();
    memoEditPath_ = member ? QString() : memoPath(core_.settings().ownDirectory(), memoNo);
    return readMemoText(dir, memoNo);
}

QString Presenter::readMemoText(const QString& directory, int memoNo)
{
    MemoRead read;
    FileErrorHandler handler(TrapVariant::Memo, ui_, window_,
                             {.memberDirectories = {}, .ownDirectory = {}, .memoMissing = [&](const FileStatus&) {
                                  ui_.message(window_, memoMissingMessage(memoNo), MsgButtons::Ok,
                                              MsgIcon::Exclamation);
                              }});
    const QString path = resolvePath(directory, memoFileName(memoNo));
    (void)handler.run([&] { return (read = readMemoStart(path)).status; }, Scope::Own, StepKind::Read);
    // Looked at again with the files on display: an editor saving it shows.
    shownMemo_ = {path, read.fingerprint};
    return read.status.ok() ? read.text : QString();
}

template bool Presenter::loadArchive(FileErrorHandler&, ListKind, ItemList<DoneTodoItem>&);
template bool Presenter::loadArchive(FileErrorHandler&, ListKind, ItemList<DoneScheduleItem>&);
