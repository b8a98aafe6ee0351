// "変更" and double clicks (the entry form on the chosen item), "削除" (the
// delete dialog) and "転記" (the transcription dialog).
#include "main_window/main_form.h"

#include "entry/f_kinyu.h"
#include "main_window/f_tenki.h"
#include "maintenance/f_sakujo.h"
#include "ui/calendar.h"
#include "ui/grid.h"
#include "ui/ui.h"

#include <QPlainTextEdit>

namespace {

void tell(Ui& ui, QWidget* parent, const QString& text)
{
    ui.message(parent, text, MsgButtons::Ok, MsgIcon::Exclamation);
}

ListKind kindOf(ListChoice list) { return list == ListChoice::Todo ? ListKind::Todo : ListKind::Schedule; }

}  // namespace

void Main_Form::Command9_Click()
{
    const ListChoice list = workspace_.selectedList();
    const int row = selectedRow();
    if (list == ListChoice::None || row < 1)
        tell(ui_, this, QStringLiteral("訂正したい項目を選択して下さい。"));
    else if (!workspace_.holdsItem(list, row))
        tell(ui_, this, QStringLiteral("訂正すべきデータがありません。"));
    else
        changeItem(list, row);
}

void Main_Form::Grid1_DblClick() { gridDblClick(ListChoice::Todo); }
void Main_Form::Grid2_DblClick() { gridDblClick(ListChoice::Schedule); }

void Main_Form::gridDblClick(ListChoice list)
{
    // Only the own open items can be changed; elsewhere a double click is nothing.
    if (workspace_.view() != View::Own)
        return;
    // A double click on the heading, or below the items, names no item.
    const int row = gridOf(list)->clickedRow();
    if (row < 1)
        tell(ui_, this, QStringLiteral("訂正したい項目をダブルクリックして下さい。"));
    else if (!workspace_.holdsItem(list, row))
        tell(ui_, this, QStringLiteral("訂正すべきデータがありません。"));
    else
        changeItem(list, row);
}

void Main_Form::changeItem(ListChoice list, int row)
{
    EntryChanges changes;
    {
        const TargetKind kind = list == ListChoice::Todo ? TargetKind::ChangeTodo : TargetKind::ChangeSchedule;
        F_kinyu form(workspace_.entryContext(kind, row, CSCalendar1->date()));
        ui_.runModal(form);
        changes = form.changes();
    }
    if (changes.armAlarm)
        armAlarm(true);
    // The row and its memo as the list now holds them, registered or not;
    // the other grid keeps its row.
    Grid* grid = gridOf(list);
    Grid* other = gridOf(list == ListChoice::Todo ? ListChoice::Schedule : ListChoice::Todo);
    const int otherRow = other->row();
    loading_ = true;
    showRows();
    writeListCounts();
    if (row < grid->rows())
        grid->setRow(row);
    if (otherRow < other->rows())
        other->setRow(otherRow);
    loading_ = false;
    T_memo->setPlainText(workspace_.showMemo(list, grid->row()));
}

void Main_Form::Command10_Click()
{
    const View view = workspace_.view();
    if (view == View::Member)
        return;
    const ListChoice list = workspace_.selectedList();
    const int row = selectedRow();
    if (list == ListChoice::None || row < 1) {
        tell(ui_, this, QStringLiteral("削除したい項目を選択して下さい。"));
    } else if (!workspace_.holdsItem(list, row)) {
        tell(ui_, this, QStringLiteral("削除すべきデータがありません。"));
    } else {
        const QByteArray expected = workspace_.itemBytes(list, row);
        F_sakujo dialog(kindOf(list), workspace_.itemTexts(list, row), this);
        if (ui_.runModal(dialog) == QDialog::Accepted && workspace_.deleteItem(list, row, expected) == Deletion::Done) {
            T_memo->clear();
            loading_ = true;
            showRows();
            loading_ = false;
            if (view == View::Own)
                armAlarm(true);
        }
    }
    // Every attempt ends with the counts in the headings and no row chosen;
    // the memo box shows what it showed (nothing changes when the user
    // cancels, and a deletion has emptied it already).
    loading_ = true;
    writeListTitles(workspace_.shownTodoCount(), workspace_.shownScheduleCount());
    loading_ = false;
}

void Main_Form::Command11_Click()
{
    const ListChoice list = workspace_.selectedList();
    const int row = selectedRow();
    if (workspace_.view() != View::Member)
        return;
    if (list == ListChoice::None || row < 1) {
        tell(ui_, this, QStringLiteral("転記したい項目を選択して下さい。"));
    } else if (!workspace_.holdsItem(list, row)) {
        tell(ui_, this, QStringLiteral("転記すべきデータがありません。"));
    } else {
        const QByteArray expected = workspace_.itemBytes(list, row);
        F_tenki dialog(kindOf(list), workspace_.itemTexts(list, row), this);
        if (ui_.runModal(dialog) == QDialog::Accepted)
            workspace_.transcribe(list, row, expected);
    }
    // The headings count the own lists, whoever's lists are on display.
    writeListTitles(workspace_.store().todoCount(), workspace_.store().scheduleCount());
}
