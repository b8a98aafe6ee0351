// Whose lists the grids show: the own open lists, a colleague's (read-only)
// or the archives.
#include "main_window/list_rows.h"
#include "main_window/main_form.h"

#include "ui/calendar.h"
#include "ui/grid.h"
#include "ui/ui.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QString kShowCompletedCaption = QStringLiteral("完了表示");
const QString kShowPlansCaption = QStringLiteral("予定表示");

QString todoTitle(int count) { return QStringLiteral("やること(%1件)").arg(count); }
QString scheduleTitle(int count) { return QStringLiteral("予定(%1件)").arg(count); }

}  // namespace

void Main_Form::writeListCounts()
{
    Grid1->setHeading(2, todoTitle(workspace_.shownTodoCount()));
    Grid2->setHeading(2, scheduleTitle(workspace_.shownScheduleCount()));
}

void Main_Form::writeListTitles(int todoCount, int scheduleCount)
{
    for (const auto& [grid, title] : {std::pair{Grid1, todoTitle(todoCount)}, {Grid2, scheduleTitle(scheduleCount)}}) {
        grid->setRow(0);
        grid->setCol(2);
        grid->setText(title);
    }
}

void Main_Form::showRows()
{
    const ItemStore& store = workspace_.store();
    switch (workspace_.view()) {
    case View::Own:
        showList(*Grid1, store.todos);
        showList(*Grid2, store.schedules);
        break;
    case View::Member:
        showList(*Grid1, store.memberTodos);
        showList(*Grid2, store.memberSchedules);
        break;
    case View::Completed:
        showList(*Grid1, store.doneTodos);
        showList(*Grid2, store.doneSchedules);
        break;
    }
}

void Main_Form::enableCommandsForView()
{
    const View view = workspace_.view();
    const bool own = view == View::Own;
    const bool completed = view == View::Completed;
    for (QPushButton* b : {Command9, Command12})
        b->setEnabled(own);
    // The archives are the user's own: their items can be deleted and their
    // memos edited, whichever view the archives were opened from.
    Command10->setEnabled(own || completed);
    Command14->setEnabled(own || completed);
    Command11->setEnabled(view == View::Member);
    CSCalendar1->setEnabled(own);
    Combo1->setEnabled(!completed);
    Command13->setText(completed ? kShowPlansCaption : kShowCompletedCaption);
    for (Grid* grid : {Grid1, Grid2}) {
        grid->setRow(0);
        grid->setCol(0);
        grid->setText(completed ? QStringLiteral("完了日付") : QStringLiteral("年/月/日"));
    }
}

void Main_Form::showLists()
{
    loading_ = true;
    showRows();
    T_memo->clear();
    enableCommandsForView();
    writeListTitles(workspace_.shownTodoCount(), workspace_.shownScheduleCount());
    loading_ = false;
}

void Main_Form::Command13_Click()
{
    if (workspace_.view() == View::Completed) {
        workspace_.showOpen();
    } else {
        const BusyPointer busy;
        if (!workspace_.showCompleted())
            return;
    }
    showLists();
    // Back from the archives the own lists are shown, whoever was chosen before.
    Combo1->setCurrentIndex(workspace_.shownMember());
}

void Main_Form::Combo1_Click(int index)
{
    if (workspace_.showMember(index))
        showLists();
    // A list given up leaves the view, and so the combo, as it was.
    Combo1->setCurrentIndex(workspace_.shownMember());
}
