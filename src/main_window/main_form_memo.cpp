// The memo panel, "メモ編集", "使い方", "検索" and "完了".
#include "main_window/main_form.h"

#include "maintenance/f_kensaku.h"
#include "ui/grid.h"
#include "ui/ui.h"

#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>

Grid* Main_Form::gridOf(ListChoice list) const
{
    switch (list) {
    case ListChoice::Todo: return Grid1;
    case ListChoice::Schedule: return Grid2;
    case ListChoice::None: break;
    }
    return nullptr;
}

int Main_Form::selectedRow() const
{
    const Grid* grid = gridOf(workspace_.selectedList());
    return grid ? grid->row() : 0;
}

void Main_Form::showMemoOf(ListChoice list)
{
    T_memo->setPlainText(workspace_.showMemo(list, gridOf(list)->row()));
}

void Main_Form::Grid1_Click()
{
    workspace_.select(ListChoice::Todo);
    showMemoOf(ListChoice::Todo);
}

void Main_Form::Grid2_Click()
{
    workspace_.select(ListChoice::Schedule);
    showMemoOf(ListChoice::Schedule);
}

// A click shows the memo when it ends (Grid*_Click); a row change by keyboard
// or code shows it at once, unless the grids are being refilled.
void Main_Form::Grid1_RowColChange()
{
    if (!loading_ && !Grid1->mouseHeld())
        showMemoOf(ListChoice::Todo);
}

void Main_Form::Grid2_RowColChange()
{
    if (!loading_ && !Grid2->mouseHeld())
        showMemoOf(ListChoice::Schedule);
}

void Main_Form::Command14_Click()
{
    const QString& path = workspace_.memoEditPath();
    if (path.isEmpty()) {
        ui_.message(this, QStringLiteral("この項目にはメモがありません。"), MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    if (!QFileInfo(path).isFile() || !ui_.editMemo(path))
        ui_.message(this, QStringLiteral("メモファイル（%1）を開けませんでした。").arg(QDir::toNativeSeparators(path)),
                    MsgButtons::Ok, MsgIcon::Exclamation);
}

void Main_Form::Menu_help_Click()
{
    const QString path = workspace_.helpDocumentPath();
    if (!QFileInfo(path).isFile() || !ui_.openWithShell(path))
        ui_.message(this,
                    QStringLiteral("使い方の文書（%1）を開けませんでした。\n"
                                   "ワープロ（LibreOffice Writer など）がインストールされているか確かめて下さい。")
                        .arg(QDir::toNativeSeparators(path)),
                    MsgButtons::Ok, MsgIcon::Exclamation);
}

void Main_Form::Menu_kensaku_Click()
{
    F_kensaku dialog(workspace_.searchContext());
    ui_.runModal(dialog);
}

void Main_Form::Command12_Click()
{
    const Completion done = workspace_.complete(workspace_.selectedList(), selectedRow());
    // An archive at its limit stops everything, the headings included.
    if (done == Completion::ArchiveFull)
        return;
    if (done == Completion::Done) {
        T_memo->clear();
        loading_ = true;
        showRows();
        loading_ = false;
    }
    writeListTitles(workspace_.shownTodoCount(), workspace_.shownScheduleCount());
    armAlarm(true);
}
