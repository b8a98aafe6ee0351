// 元に戻す and やり直し of the session's commands, reopening an archived
// item, and the notes the status bar shows after a command.
#include "main_window/presenter.h"

#include "core/commands.h"
#include "store/list_file.h"

#include "ui/ui.h"

namespace {

// What the status bar and the undo messages call a command, and the note after it.
struct CommandTexts {
    QString name;
    QString note;
};

CommandTexts textsOf(Command command)
{
    switch (command) {
    case Command::Register:
        return {QStringLiteral("登録"), QStringLiteral("登録しました")};
    case Command::Change:
        return {QStringLiteral("変更"), QStringLiteral("変更しました")};
    case Command::Delete:
        return {QStringLiteral("削除"), QStringLiteral("削除しました（元に戻す: Ctrl+Z）")};
    case Command::Complete:
        return {QStringLiteral("完了"), QStringLiteral("完了にしました（元に戻す: Ctrl+Z）")};
    case Command::Transcribe:
        return {QStringLiteral("転記"), QStringLiteral("転記しました")};
    case Command::Reopen:
        return {QStringLiteral("完了の取り消し"), QStringLiteral("完了を取り消して、元の一覧に戻しました")};
    case Command::None:
        break;
    }
    return {};
}

QString commandName(Command command) { return textsOf(command).name; }

template <class T> using OpenOf = std::conditional_t<std::is_same_v<T, DoneTodoItem>, TodoItem, ScheduleItem>;

}   // namespace

QString doneNote(Command command) { return textsOf(command).note; }

Redisplay Presenter::undo()
{
    FileErrorHandler handler = trap(TrapVariant::Shared);
    return takeBack(core_.undo(handler), true);
}

Redisplay Presenter::redo()
{
    FileErrorHandler handler = trap(TrapVariant::Shared);
    return takeBack(core_.redo(handler), false);
}

Redisplay Presenter::takeBack(Core::UndoResult result, bool undo)
{
    Redisplay d;
    switch (result.state) {
    case Core::TakeBack::Nothing:
        d.status = undo ? QStringLiteral("元に戻せる操作はありません") : QStringLiteral("やり直せる操作はありません");
        return d;
    case Core::TakeBack::Changed:
        tell(QStringLiteral("「%1」で変わった項目が、その後に変更されています。\n%2")
                 .arg(commandName(result.command),
                      undo ? QStringLiteral("元に戻せませんでした。") : QStringLiteral("やり直せませんでした。")));
        return d;
    case Core::TakeBack::Ran:
        break;
    }
    if (!result.job.begun())
        return d;
    d.status = (undo ? QStringLiteral("「%1」を元に戻しました（やり直し: Ctrl+Shift+Z）")
                     : QStringLiteral("「%1」をやり直しました"))
                   .arg(commandName(result.command));
    if (result.job.merged)
        d.status += takenInNote(result.job.keptBoth);
    // An archive that grew is read again for 完了表示; given up, the view
    // shows what it had.
    if (view_ == View::Completed)
        (void)loadArchives();
    d.rows = Redisplay::Rows::Refill;
    d.headings = Redisplay::Headings::Deselect;
    d.memo = QString();
    d.alarm = true;
    return d;
}

Redisplay Presenter::reopen(int row)
{
    if (view_ != View::Completed)
        return {};
    const ListChoice list = selectedList_;
    if (list == ListChoice::None || row < 1) {
        tell(QStringLiteral("元の一覧に戻したい項目を選択して下さい。"));
        return {};
    }
    if (!holdsItem(list, row)) {
        tell(QStringLiteral("元の一覧に戻すデータがありません。"));
        return {};
    }
    const ListKind kind = list == ListChoice::Todo ? ListKind::Todo : ListKind::Schedule;
    const ItemStore& store = core_.store();
    if (kind == ListKind::Todo ? store.todos.isFull() : store.schedules.isFull()) {
        ui_.message(window_, kListFullMessage, MsgButtons::Ok);
        return {};
    }
    const QByteArray open = withShownList(list, [row](const auto& items) {
        using D = typename std::remove_cvref_t<decltype(items)>::value_type;
        if constexpr (std::is_base_of_v<DoneItem, D>)
            return recordBytes(openRecord<OpenOf<D>>(items[row]));
        else
            return QByteArray();
    });
    FileErrorHandler handler = trap(TrapVariant::Shared);
    Redisplay d;
    d.headings = Redisplay::Headings::Deselect;
    if (run(commands::reopen(kind, row, itemBytes(list, row), open), handler, d).begun()) {
        d.rows = Redisplay::Rows::Refill;
        d.memo = QString();
        d.alarm = true;
    }
    return d;
}
