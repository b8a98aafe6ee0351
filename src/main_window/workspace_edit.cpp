// Deleting an item (from the open lists or the archives) and transcribing a
// colleague's item into the own lists.
#include "main_window/workspace.h"

#include "store/list_file.h"
#include "store/memo.h"
#include "ui/ui.h"

namespace {

const QString kDeleteGoneMessage =
    QStringLiteral("削除しようとした項目が見つかりません。\n一覧が変わったため、削除しませんでした。");
const QString kTranscribeGoneMessage =
    QStringLiteral("転記しようとした項目が見つかりません。\n一覧が変わったため、転記しませんでした。");
const QString kTranscribeFullMessage = QStringLiteral("３００００件を越えたので登録できません。");

// The item chosen in `row`: there, or found again should the list have moved
// since (a re-sort, a reload); 0 when it is gone.
template <class T>
int locate(const ItemList<T>& list, int row, const QByteArray& expected)
{
    if (row >= 1 && row <= list.count() && recordBytes(list[row]) == expected)
        return row;
    for (int i = 1; i <= list.count(); ++i)
        if (recordBytes(list[i]) == expected)
            return i;
    return 0;
}

}  // namespace

bool Workspace::holdsItem(ListChoice list, int row) const
{
    return list != ListChoice::None && withShownList(list, [row](const auto& items) {
               return row >= 1 && row <= items.count() && !items[row].date.isEmpty();
           });
}

ItemTexts Workspace::itemTexts(ListChoice list, int row) const
{
    return withShownList(list, [row](const auto& items) { return dialogTexts(items[row]); });
}

QByteArray Workspace::itemBytes(ListChoice list, int row) const
{
    return withShownList(list, [row](const auto& items) { return recordBytes(items[row]); });
}

int Workspace::rowOf(ListChoice list, const QByteArray& record, int near) const
{
    return withShownList(list, [&](const auto& items) { return locate(items, near, record); });
}

FileStatus Workspace::removeMemoFile(int memoNo)
{
    FileStatus s = removeFile(memoPath(settings_.ownDirectory(), memoNo));
    // Already gone is as good as deleted: retrying could never help.
    if (s.error == FileError::FileNotFound)
        s = FileStatus::success();
    return s;
}

Deletion Workspace::deleteItem(ListChoice list, int row, const QByteArray& expected)
{
    const ListKind kind = list == ListChoice::Todo ? ListKind::Todo : ListKind::Schedule;
    switch (view_) {
    case View::Completed:
        return kind == ListKind::Todo ? deleteArchived(store_.doneTodos, kind, row, expected)
                                      : deleteArchived(store_.doneSchedules, kind, row, expected);
    case View::Own:
        return kind == ListKind::Todo ? deleteOpen(store_.todos, kind, row, expected)
                                      : deleteOpen(store_.schedules, kind, row, expected);
    case View::Member:
        break;
    }
    return Deletion::ItemGone;
}

template <class T>
Deletion Workspace::deleteOpen(ItemList<T>& items, ListKind kind, int row, const QByteArray& expected)
{
    const int r = locate(items, row, expected);
    if (r == 0) {
        ui_.message(window_, kDeleteGoneMessage, MsgButtons::Ok, MsgIcon::Exclamation);
        return Deletion::ItemGone;
    }
    const int memoNo = memoNumber(items[r].memoNo);
    journal(kind).remove(recordBytes(items[r]));
    items.removeAt(r);
    FileErrorHandler handler = trap(TrapVariant::Shared);
    saveSettings(handler);
    // The record leaves the list file before its memo goes, so no file ever
    // names a memo that is gone. Given up, the item stays out of memory and
    // the next save writes the list without it; its memo file is left (a
    // stray file, never a record without its memo).
    if (!handler.run([&] { return writeOwnList(kind); }, Scope::Own, StepKind::Write)
             .ok())
        return Deletion::Done;
    if (memoNo != 0)
        handler.run([&] { return removeMemoFile(memoNo); }, Scope::Own, StepKind::Write);
    return Deletion::Done;
}

template <class T>
Deletion Workspace::deleteArchived(ItemList<T>& items, ListKind kind, int row, const QByteArray& expected)
{
    const int r = locate(items, row, expected);
    if (r == 0) {
        ui_.message(window_, kDeleteGoneMessage, MsgButtons::Ok, MsgIcon::Exclamation);
        return Deletion::ItemGone;
    }
    const int memoNo = memoNumber(items[r].memoNo);
    T removed = items[r];
    items.removeAt(r);
    FileErrorHandler handler = trap(TrapVariant::Shared);
    const QString& path = archivePath(kind);
    // Nothing else writes an archive later: given up, the record goes back in
    // memory, as it still is in the file.
    if (!handler.run([&] { return writeFile(path, serializeRecords(items), Locking::Exclusive); }, Scope::Own,
                     StepKind::Write)
             .ok()) {
        items.insertAt(r, std::move(removed));
        return Deletion::GivenUp;
    }
    if (memoNo != 0)
        handler.run([&] { return removeMemoFile(memoNo); }, Scope::Own, StepKind::Write);
    return Deletion::Done;
}

Transcription Workspace::transcribe(ListChoice list, int row, const QByteArray& expected)
{
    if (view_ != View::Member || list == ListChoice::None)
        return Transcription::ItemGone;
    if (list == ListChoice::Todo)
        return transcribeInto(store_.memberTodos, store_.todos, ListKind::Todo, row, expected);
    return transcribeInto(store_.memberSchedules, store_.schedules, ListKind::Schedule, row, expected);
}

template <class T>
Transcription Workspace::transcribeInto(const ItemList<T>& source, ItemList<T>& target, ListKind kind, int row,
                                        const QByteArray& expected)
{
    if (target.isFull()) {
        ui_.message(window_, kTranscribeFullMessage, MsgButtons::Ok);
        return Transcription::TargetFull;
    }
    const int r = locate(source, row, expected);
    if (r == 0) {
        ui_.message(window_, kTranscribeGoneMessage, MsgButtons::Ok, MsgIcon::Exclamation);
        return Transcription::ItemGone;
    }
    T copy = source[r];
    // The memo is copied from the colleague's file into a new memo of the
    // own folder, before the item is added: given up, nothing is half there.
    int memoNo = 0;
    if (const int theirs = memoNumber(copy.memoNo)) {
        MemoRead read;
        FileErrorHandler memoTrap(TrapVariant::Memo, ui_, window_,
                                  {.memberDirectories = {}, .ownDirectory = {}, .memoMissing = [&](const FileStatus&) {
                                       ui_.message(window_, memoMissingMessage(theirs), MsgButtons::Ok,
                                                   MsgIcon::Exclamation);
                                   }});
        memoTrap.run(
            [&] {
                return (read = readMemo(resolvePath(settings_.memberDirectory(shownMember_), memoFileName(theirs))))
                    .status;
            },
            Scope::Member, StepKind::Read);
        if (read.status.ok()) {
            memoNo = allocateMemoNo(settings_, settings_.ownDirectory());
            FileErrorHandler handler = trap(TrapVariant::Shared);
            if (!handler
                     .run([&] { return writeMemo(memoPath(settings_.ownDirectory(), memoNo), read.text); },
                          Scope::Own, StepKind::Write)
                     .ok()) {
                releaseMemoNo(settings_.ownDirectory(), memoNo);
                return Transcription::GivenUp;
            }
        }
    }
    copy.memoNo = Field::number(memoNo);
    journal(kind).add(recordBytes(copy));
    target.append(std::move(copy));
    FileErrorHandler handler = trap(TrapVariant::Shared);
    saveSettings(handler);
    handler.run([&] { return writeOwnList(kind); }, Scope::Own, StepKind::Write);
    return Transcription::Done;
}
