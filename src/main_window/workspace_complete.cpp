// "完了": an own open item moves into its archive, stamped with today's date.
#include "main_window/workspace.h"

#include "core/commands.h"
#include "store/list_file.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QDir>

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

template <class T>
using DoneOf = std::conditional_t<std::is_same_v<T, TodoItem>, DoneTodoItem, DoneScheduleItem>;

}  // namespace

Completion Workspace::complete(ListChoice list, int row)
{
    if (view_ != View::Own || list == ListChoice::None || row < 1) {
        ui_.message(window_, kSelectMessage, MsgButtons::Ok, MsgIcon::Exclamation);
        return Completion::NothingSelected;
    }
    if (!holdsItem(list, row)) {
        ui_.message(window_, kNoItemMessage, MsgButtons::Ok, MsgIcon::Exclamation);
        return Completion::NoItem;
    }
    const ListKind kind = list == ListChoice::Todo ? ListKind::Todo : ListKind::Schedule;
    FileErrorHandler handler = trap(TrapVariant::Shared);
    const QString& path = core_.archivePath(kind);
    RecordCount archived;
    {
        const BusyPointer busy;
        if (handler.run([&] { return createArchive(path); }, Scope::Own, StepKind::Write).gaveUp ||
            !handler.readOrGiveUp([&] { return (archived = countDoneRecords(path)).status; }, Scope::Own))
            return Completion::GivenUp;
    }
    if (archived.records >= ItemList<DoneTodoItem>::kCapacity) {
        tellArchiveFull(kind);
        return Completion::ArchiveFull;
    }
    if (archived.records >= kArchiveWarning)
        ui_.message(window_, nearlyFullMessage(kind), MsgButtons::Ok);
    if (archived.missingLines > 0)
        ui_.message(window_,
                    QStringLiteral("%1 の最後の記録が途中で切れていました。\n"
                                   "切れた記録は空の行で補って残し、新しい記録はその後に書きます。")
                        .arg(QDir::toNativeSeparators(path)),
                    MsgButtons::Ok, MsgIcon::Exclamation);

    // The archive record first, whole: given up, the item stays where it is.
    // Then the list without it; a crash in between is finished at the next start.
    const QString today = time_.today().toString(QStringLiteral("yyyy/MM/dd"));
    const QByteArray bytes = withShownList(list, [&](const auto& items) {
        using T = typename std::remove_cvref_t<decltype(items)>::value_type;
        if constexpr (std::is_base_of_v<OpenItem, T>)
            return archiveAppendBytes(doneRecord<DoneOf<T>>(items[row], today), archived.missingLines);
        else
            return QByteArray();
    });
    Job job = commands::complete(kind, row, itemBytes(list, row), bytes);
    return run(std::move(job), handler).begun() ? Completion::Done : Completion::GivenUp;
}
