// Carrying out what the presenter answered: rows, headings, the view's
// captions and commands, the memo panel, the clock, the calendar, a note.
#include "main_window/list_rows.h"
#include "main_window/main_form.h"

#include "ui/calendar.h"
#include "ui/grid.h"
#include "ui/time_source.h"

#include <QAction>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>

namespace {

const QString kShowCompletedCaption = QStringLiteral("完了表示");
const QString kShowPlansCaption = QStringLiteral("予定表示");

QString todoTitle(int count) { return QStringLiteral("やること(%1件)").arg(count); }
QString scheduleTitle(int count) { return QStringLiteral("予定(%1件)").arg(count); }

}   // namespace

void Main_Form::showRows()
{
    presenter_.withShownLists([this](const auto& todos, const auto& schedules) {
        showList(*Grid1, todos);
        showList(*Grid2, schedules);
    });
}

void Main_Form::showHeadings(Redisplay::Headings headings)
{
    if (headings == Redisplay::Headings::Same)
        return;
    const int todos = presenter_.shownTodoCount();
    const int schedules = presenter_.shownScheduleCount();
    for (const auto& [grid, title] : {std::pair{Grid1, todoTitle(todos)}, {Grid2, scheduleTitle(schedules)}}) {
        if (headings == Redisplay::Headings::Deselect) {
            // As the lists always showed their counts: row 0 and column 2
            // made current, which leaves no item chosen.
            grid->setRow(0);
            grid->setCol(2);
            grid->setText(title);
        } else {
            grid->setHeading(2, title);
        }
    }
}

void Main_Form::enableCommandsForView()
{
    const View view = presenter_.view();
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
    // The menu's item commands go with their buttons.
    for (const auto& [action, button] : {std::pair{Menu_henkou, Command9},
                                         {Menu_sakujo, Command10},
                                         {Menu_tenki, Command11},
                                         {Menu_kanryo, Command12}})
        action->setEnabled(button->isEnabled());
    Menu_sinki->setEnabled(own);
    Menu_kanryo_torikesi->setEnabled(completed);
    Combo1->setEnabled(!completed);
    Command13->setText(completed ? kShowPlansCaption : kShowCompletedCaption);
    for (Grid* grid : {Grid1, Grid2}) {
        grid->setRow(0);
        grid->setCol(0);
        grid->setText(completed ? QStringLiteral("完了日付") : QStringLiteral("年/月/日"));
    }
}

void Main_Form::redisplay(const Redisplay& d)
{
    // Refilled and moved about here, the grids show no memo on the way.
    const bool wasLoading = std::exchange(loading_, true);
    switch (d.rows) {
    case Redisplay::Rows::Same:
        break;
    case Redisplay::Rows::Refill:
        showRows();
        break;
    case Redisplay::Rows::KeepPlaces: {
        const int row1 = Grid1->row();
        const int row2 = Grid2->row();
        showRows();
        for (const auto& [grid, row] : {std::pair{Grid1, row1}, {Grid2, row2}})
            if (row > 0 && row < grid->rows())
                grid->setRow(row);
        break;
    }
    case Redisplay::Rows::KeepItems: {
        // The item chosen in each grid stays chosen where it still is.
        QByteArray chosen[2];
        int at[2] = {Grid1->row(), Grid2->row()};
        for (int g = 0; g < 2; ++g) {
            const ListChoice list = g == 0 ? ListChoice::Todo : ListChoice::Schedule;
            const int count = g == 0 ? presenter_.shownTodoCount() : presenter_.shownScheduleCount();
            if (at[g] >= 1 && at[g] <= count)
                chosen[g] = presenter_.itemBytes(list, at[g]);
        }
        showRows();
        for (int g = 0; g < 2; ++g) {
            const ListChoice list = g == 0 ? ListChoice::Todo : ListChoice::Schedule;
            gridOf(list)->setRow(chosen[g].isEmpty() ? 0 : presenter_.rowOf(list, chosen[g], at[g]));
        }
        break;
    }
    }
    if (d.view)
        enableCommandsForView();
    showHeadings(d.headings);
    if (d.row)
        gridOf(d.row->first)->setRow(d.row->second);
    loading_ = wasLoading;
    if (d.memo) {
        T_memo->setPlainText(*d.memo);
    } else if (d.rows != Redisplay::Rows::Same) {
        // The rows moved: the memo is the highlighted row's, or none.
        if (Grid* grid = gridOf(presenter_.selectedList()))
            if (const std::optional<QString> memo = presenter_.rowChanged(presenter_.selectedList(), grid->row()).memo)
                T_memo->setPlainText(*memo);
    }
    Menu_modosu->setEnabled(presenter_.canUndo());
    Menu_yarinaosi->setEnabled(presenter_.canRedo());
    if (d.alarm)
        armAlarm(true);
    if (d.calendarToday)
        CSCalendar1->setDate(time_.today());
    if (!d.status.isEmpty())
        statusBar()->showMessage(d.status, 15000);
}
