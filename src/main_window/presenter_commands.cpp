// The commands on one item: 変更 (and a double click), 削除, 転記 and 完了,
// each with its checks of the choice and its messages, and a new item from
// the calendar.
#include "main_window/presenter.h"

#include "core/commands.h"
#include "entry/registration.h"
#include "store/list_file.h"
#include "store/memo.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QDir>

namespace {

const QString kDeleteGoneMessage =
    QStringLiteral("削除しようとした項目が見つかりません。\n一覧が変わったため、削除しませんでした。");
const QString kTranscribeGoneMessage =
    QStringLiteral("転記しようとした項目が見つかりません。\n一覧が変わったため、転記しませんでした。");

QString nearlyFullMessage(ListKind kind)
{
    return kind == ListKind::Todo
        ? QStringLiteral(
              "完了したToDoﾃﾞｰﾀを保存できるのは、最大30000件です。\nそろそろtodo_kan.datﾌｧｲﾙを整理して下さい。")
        : QStringLiteral(
              "完了したScheduleﾃﾞｰﾀを保存できるのは、最大30000件です。\nそろそろsche_kan.datﾌｧｲﾙを整理して下さい。");
}

// From this many records on, each completion warns that the archive is filling up.
constexpr int kArchiveWarning = 29499;

template <class T> using DoneOf = std::conditional_t<std::is_same_v<T, TodoItem>, DoneTodoItem, DoneScheduleItem>;

ListKind kindOf(ListChoice list) { return list == ListChoice::Todo ? ListKind::Todo : ListKind::Schedule; }

// The counts over the lists, no row chosen in either grid: how every attempt
// of 削除, 転記 and 完了 ends, whatever it came to.
Redisplay deselected()
{
    Redisplay d;
    d.headings = Redisplay::Headings::Deselect;
    return d;
}

}   // namespace

Redisplay Presenter::newItem(const QDate& day, const YieldFn& yield)
{
    const EntryChanges changes = forms_.entry(entryContext(TargetKind::New, 0, day));
    Redisplay d;
    d.headings = Redisplay::Headings::Counts;
    d.calendarToday = true;
    d.alarm = changes.armAlarm;
    if (changes.todos || changes.schedules)
        d.status = doneNote(Command::Register);
    if (changes.merged)
        d.status += takenInNote(changes.keptBoth);
    // Registration appended the new item; the sort puts it at its place in time.
    if (changes.todos || changes.schedules) {
        core_.sortOwn(SortOrder::DateTime, yield);
        d.rows = Redisplay::Rows::KeepPlaces;
    }
    return d;
}

Redisplay Presenter::change(int row)
{
    if (selectedList_ == ListChoice::None || row < 1) {
        tell(QStringLiteral("訂正したい項目を選択して下さい。"));
        return {};
    }
    if (!holdsItem(selectedList_, row)) {
        tell(QStringLiteral("訂正すべきデータがありません。"));
        return {};
    }
    return changeAt(selectedList_, row);
}

Redisplay Presenter::changeByDoubleClick(ListChoice list, int row)
{
    // Only the own open items can be changed; elsewhere a double click is nothing.
    if (view_ != View::Own)
        return {};
    if (row < 1) {
        tell(QStringLiteral("訂正したい項目をダブルクリックして下さい。"));
        return {};
    }
    if (!holdsItem(list, row)) {
        tell(QStringLiteral("訂正すべきデータがありません。"));
        return {};
    }
    return changeAt(list, row);
}

Redisplay Presenter::changeAt(ListChoice list, int row)
{
    const TargetKind kind = list == ListChoice::Todo ? TargetKind::ChangeTodo : TargetKind::ChangeSchedule;
    const EntryChanges changes = forms_.entry(entryContext(kind, row, QDate()));
    // The row and its memo as the list now holds them, registered or not; the
    // other grid keeps its row.
    Redisplay d;
    d.rows = Redisplay::Rows::KeepPlaces;
    d.headings = Redisplay::Headings::Counts;
    d.alarm = changes.armAlarm;
    if (changes.todos || changes.schedules)
        d.status = doneNote(Command::Change);
    if (changes.merged)
        d.status += takenInNote(changes.keptBoth);
    const int shown = list == ListChoice::Todo ? shownTodoCount() : shownScheduleCount();
    const int now = row <= shown ? row : 0;
    d.row = std::pair{list, now};
    d.memo = memoOf(list, now);
    return d;
}

Redisplay Presenter::deleteItem(int row)
{
    if (view_ == View::Member)
        return {};
    const ListChoice list = selectedList_;
    if (list == ListChoice::None || row < 1) {
        tell(QStringLiteral("削除したい項目を選択して下さい。"));
        return deselected();
    }
    if (!holdsItem(list, row)) {
        tell(QStringLiteral("削除すべきデータがありません。"));
        return deselected();
    }
    // The item chosen is the one deleted: found again should the list have
    // moved while the dialog was open.
    const QByteArray expected = itemBytes(list, row);
    if (!forms_.confirm(ItemQuestion::Delete, kindOf(list), itemTexts(list, row)))
        return deselected();
    const int r = rowOf(list, expected, row);
    if (r == 0) {
        tell(kDeleteGoneMessage);
        return deselected();
    }
    const int memoNo = withShownList(list, [r](const auto& items) { return memoNumber(items[r].memoNo); });
    // The record leaves its file before its memo goes, so no file ever names
    // a memo that is gone.
    Job job = view_ == View::Completed ? commands::removeArchived(kindOf(list), r, expected, memoNo)
                                       : commands::remove(kindOf(list), r, expected, memoNo);
    FileErrorHandler handler = trap(TrapVariant::Shared);
    Redisplay d = deselected();
    if (run(std::move(job), handler, d).begun()) {
        d.rows = Redisplay::Rows::Refill;
        d.memo = QString();
        d.alarm = view_ == View::Own;
    }
    return d;
}

Redisplay Presenter::transcribe(int row)
{
    if (view_ != View::Member)
        return {};
    const ListChoice list = selectedList_;
    Redisplay d = deselected();
    if (list == ListChoice::None || row < 1) {
        tell(QStringLiteral("転記したい項目を選択して下さい。"));
        return d;
    }
    if (!holdsItem(list, row)) {
        tell(QStringLiteral("転記すべきデータがありません。"));
        return d;
    }
    const QByteArray expected = itemBytes(list, row);
    if (!forms_.confirm(ItemQuestion::Transcribe, kindOf(list), itemTexts(list, row)))
        return d;
    const ListKind kind = kindOf(list);
    const ItemStore& store = core_.store();
    if (kind == ListKind::Todo ? store.todos.isFull() : store.schedules.isFull()) {
        ui_.message(window_, kListFullMessage, MsgButtons::Ok);
        return d;
    }
    const int r = rowOf(list, expected, row);
    if (r == 0) {
        tell(kTranscribeGoneMessage);
        return d;
    }
    // The memo is copied from the colleague's file into a new memo of the
    // own folder, which the command writes before it adds the item.
    commands::MemoFile memo;
    if (const int theirs = withShownList(list, [r](const auto& items) { return memoNumber(items[r].memoNo); })) {
        MemoRead read;
        FileErrorHandler memoTrap(TrapVariant::Memo, ui_, window_,
                                  {.memberDirectories = {}, .ownDirectory = {}, .memoMissing = [&](const FileStatus&) {
                                       tell(memoMissingMessage(theirs));
                                   }});
        (void)memoTrap.run(
            [&] {
                return (read =
                            readMemo(resolvePath(core_.settings().memberDirectory(shownMember_), memoFileName(theirs))))
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
    FileErrorHandler handler = trap(TrapVariant::Shared);
    Job job = commands::add(kind, copy, memo);
    job.command = Command::Transcribe;
    if (!run(std::move(job), handler, d).begun() && memo.number != 0)
        core_.releaseMemoNo(memo.number);
    return d;
}

Redisplay Presenter::complete(int row)
{
    const ListChoice list = selectedList_;
    Redisplay d = deselected();
    d.alarm = true;
    if (view_ != View::Own || list == ListChoice::None || row < 1) {
        tell(QStringLiteral("完了した項目を選択して下さい。"));
        return d;
    }
    if (!holdsItem(list, row)) {
        tell(QStringLiteral("完了にするデータがありません。"));
        return d;
    }
    const ListKind kind = kindOf(list);
    FileErrorHandler handler = trap(TrapVariant::Shared);
    const QString& path = core_.archivePath(kind);
    RecordCount archived;
    {
        const BusyPointer busy;
        if (handler.run([&] { return createArchive(path); }, Scope::Own, StepKind::Write).gaveUp ||
            !handler.readOrGiveUp([&] { return (archived = countDoneRecords(path)).status; }, Scope::Own))
            return d;
    }
    // An archive at its limit stops everything, the headings included.
    if (archived.records >= ItemList<DoneTodoItem>::kCapacity) {
        tellArchiveFull(kind);
        return {};
    }
    if (archived.records >= kArchiveWarning)
        ui_.message(window_, nearlyFullMessage(kind), MsgButtons::Ok);
    if (archived.missingLines > 0)
        tell(QStringLiteral("%1 の最後の記録が途中で切れていました。\n"
                            "切れた記録は空の行で補って残し、新しい記録はその後に書きます。")
                 .arg(QDir::toNativeSeparators(path)));

    // The archive record first, whole: given up, the item stays where it is.
    // Then the list without it; a crash in between is finished at the next start.
    const QString today = time_.today().toString(QStringLiteral("yyyy/MM/dd"));
    const QByteArray archivedBytes = withShownList(list, [&](const auto& items) {
        using T = typename std::remove_cvref_t<decltype(items)>::value_type;
        if constexpr (std::is_base_of_v<OpenItem, T>)
            return archiveAppendBytes(doneRecord<DoneOf<T>>(items[row], today), archived.missingLines);
        else
            return QByteArray();
    });
    if (run(commands::complete(kind, row, itemBytes(list, row), archivedBytes), handler, d).begun()) {
        d.rows = Redisplay::Rows::Refill;
        d.memo = QString();
    }
    return d;
}
