// "完了": an own open item moves into its archive, stamped with today's date.
#include "main_window/workspace.h"

#include "store/list_file.h"
#include "ui/time_source.h"
#include "ui/ui.h"

namespace {

const QString kSelectMessage = QStringLiteral("完了した項目を選択して下さい。");
const QString kNoItemMessage = QStringLiteral("完了にするデータがありません。");

QString nearlyFullMessage(ListKind kind)
{
    return kind == ListKind::Todo
               ? QStringLiteral("完了したToDoﾃﾞｰﾀを保存できるのは、最大30000件です。\nそろそろtodo_kan.datﾌｧｲﾙを整理して下さい。")
               : QStringLiteral("完了したScheduleﾃﾞｰﾀを保存できるのは、最大30000件です。\nそろそろsche_kan.datﾌｧｲﾙを整理して下さい。");
}

// From this many records on, each completion warns that the archive is filling up.
constexpr int kArchiveWarning = 29499;

}  // namespace

Completion Workspace::complete(ListChoice list, int row)
{
    if (view_ != View::Own || list == ListChoice::None || row < 1) {
        ui_.message(window_, kSelectMessage, MsgButtons::Ok, MsgIcon::Exclamation);
        return Completion::NothingSelected;
    }
    if (list == ListChoice::Todo)
        return completeItem(store_.todos, ListKind::Todo, row);
    return completeItem(store_.schedules, ListKind::Schedule, row);
}

template <class T>
Completion Workspace::completeItem(ItemList<T>& open, ListKind kind, int row)
{
    using Done = std::conditional_t<std::is_same_v<T, TodoItem>, DoneTodoItem, DoneScheduleItem>;
    if (row > open.count() || open[row].date.isEmpty()) {
        ui_.message(window_, kNoItemMessage, MsgButtons::Ok, MsgIcon::Exclamation);
        return Completion::NoItem;
    }
    FileErrorHandler handler = trap(TrapVariant::Shared);
    const QString& path = archivePath(kind);
    RecordCount archived;
    {
        const BusyPointer busy;
        if (handler.run([&] { return createArchive(path); }, Scope::Own, StepKind::Write).gaveUp ||
            !handler.readOrGiveUp([&] { return (archived = countDoneRecords(path)).status; }, Scope::Own))
            return Completion::GivenUp;
    }
    if (archived.records >= ItemList<Done>::kCapacity) {
        tellArchiveFull(kind);
        return Completion::ArchiveFull;
    }
    if (archived.records >= kArchiveWarning)
        ui_.message(window_, nearlyFullMessage(kind), MsgButtons::Ok);

    // The archive record first, whole: given up, the item stays where it is.
    const Done done = doneRecord<Done>(open[row], time_.today().toString(QStringLiteral("yyyy/MM/dd")));
    if (!handler.run([&] { return appendDone(path, done); }, Scope::Own, StepKind::Write).ok())
        return Completion::GivenUp;

    journal(kind).remove(recordBytes(open[row]));
    open.removeAt(row);
    // Given up here, the item stays removed in memory and reaches the list file
    // with its next rewrite, at the latest at shutdown.
    saveSettings(handler);
    handler.run([&] { return writeOwnList(kind); }, Scope::Own, StepKind::Write);
    return Completion::Done;
}
