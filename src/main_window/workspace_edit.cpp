// Deleting an item (from the open lists or the archives) and transcribing a
// colleague's item into the own lists.
#include "main_window/workspace.h"

#include "core/commands.h"
#include "store/list_file.h"
#include "store/memo.h"
#include "ui/ui.h"

namespace {

const QString kDeleteGoneMessage =
    QStringLiteral("削除しようとした項目が見つかりません。\n一覧が変わったため、削除しませんでした。");
const QString kTranscribeGoneMessage =
    QStringLiteral("転記しようとした項目が見つかりません。\n一覧が変わったため、転記しませんでした。");
const QString kTranscribeFullMessage = QStringLiteral("３００００件を越えたので登録できません。");

ListKind kindOf(ListChoice list) { return list == ListChoice::Todo ? ListKind::Todo : ListKind::Schedule; }

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
    return withShownList(list, [&](const auto& items) { return findRecord(items, record, near); });
}

Deletion Workspace::deleteItem(ListChoice list, int row, const QByteArray& expected)
{
    if (view_ == View::Member || list == ListChoice::None)
        return Deletion::ItemGone;
    // The item chosen: at its row, or found again should the list have moved
    // since (a re-sort, another copy's changes taken in).
    const int r = rowOf(list, expected, row);
    if (r == 0) {
        ui_.message(window_, kDeleteGoneMessage, MsgButtons::Ok, MsgIcon::Exclamation);
        return Deletion::ItemGone;
    }
    const int memoNo = withShownList(list, [r](const auto& items) { return memoNumber(items[r].memoNo); });
    // The record leaves its file before its memo goes, so no file ever names
    // a memo that is gone.
    Job job = view_ == View::Completed ? commands::removeArchived(kindOf(list), r, expected, memoNo)
                                       : commands::remove(kindOf(list), r, expected, memoNo);
    FileErrorHandler handler = trap(TrapVariant::Shared);
    return run(std::move(job), handler).begun() ? Deletion::Done : Deletion::GivenUp;
}

Transcription Workspace::transcribe(ListChoice list, int row, const QByteArray& expected)
{
    if (view_ != View::Member || list == ListChoice::None)
        return Transcription::ItemGone;
    const ListKind kind = kindOf(list);
    const ItemStore& store = core_.store();
    if (kind == ListKind::Todo ? store.todos.isFull() : store.schedules.isFull()) {
        ui_.message(window_, kTranscribeFullMessage, MsgButtons::Ok);
        return Transcription::TargetFull;
    }
    const int r = rowOf(list, expected, row);
    if (r == 0) {
        ui_.message(window_, kTranscribeGoneMessage, MsgButtons::Ok, MsgIcon::Exclamation);
        return Transcription::ItemGone;
    }
    // The memo is copied from the colleague's file into a new memo of the
    // own folder, which the command writes before it adds the item.
    commands::MemoFile memo;
    if (const int theirs = withShownList(list, [r](const auto& items) { return memoNumber(items[r].memoNo); })) {
        MemoRead read;
        FileErrorHandler memoTrap(TrapVariant::Memo, ui_, window_,
                                  {.memberDirectories = {}, .ownDirectory = {}, .memoMissing = [&](const FileStatus&) {
                                       ui_.message(window_, memoMissingMessage(theirs), MsgButtons::Ok,
                                                   MsgIcon::Exclamation);
                                   }});
        (void)memoTrap.run(
            [&] {
                return (read = readMemo(resolvePath(core_.settings().memberDirectory(shownMember_),
                                                    memoFileName(theirs))))
                    .status;
            },
            Scope::Member, StepKind::Read);
        if (read.status.ok())
            memo = {core_.allocateMemoNo(), memoBytesFromText(read.text)};
    }
    const QByteArray copy = withShownList(list, [&](const auto& items) {
        auto item = items[r];
        item.memoNo = Field::number(memo.number);
        return recordBytes(item);
    });
    Job job = commands::add(kind, copy, memo);
    FileErrorHandler handler = trap(TrapVariant::Shared);
    if (run(std::move(job), handler).begun())
        return Transcription::Done;
    if (memo.number != 0)
        core_.releaseMemoNo(memo.number);
    return Transcription::GivenUp;
}
