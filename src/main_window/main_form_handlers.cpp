// The handlers of the main window's controls and menus: each hands the event
// to the presenter and shows what it answers.
#include "main_window/main_form.h"
#include "main_window/member_combo.h"

#include "ui/calendar.h"
#include "ui/clock.h"
#include "ui/grid.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QComboBox>

Grid* Main_Form::gridOf(ListChoice list) const
{
    switch (list) {
    case ListChoice::Todo:
        return Grid1;
    case ListChoice::Schedule:
        return Grid2;
    case ListChoice::None:
        break;
    }
    return nullptr;
}

int Main_Form::selectedRow() const
{
    const Grid* grid = gridOf(presenter_.selectedList());
    return grid ? grid->row() : 0;
}

void Main_Form::Combo1_Click(int index)
{
    redisplay(presenter_.showMember(memberInCombo(*Combo1, index)));
    // A list given up leaves the view, and so the combo, as it was.
    showMemberInCombo(*Combo1, presenter_.shownMember());
}

void Main_Form::Grid1_Click() { redisplay(presenter_.select(ListChoice::Todo, Grid1->row())); }
void Main_Form::Grid2_Click() { redisplay(presenter_.select(ListChoice::Schedule, Grid2->row())); }

// A click shows the memo when it ends (Grid*_Click); a row change by keyboard
// or code shows it at once, unless the grids are being refilled. The arrows
// in a grid choose it for the commands, as a click does.
void Main_Form::Grid1_RowColChange() { gridRowChanged(ListChoice::Todo); }
void Main_Form::Grid2_RowColChange() { gridRowChanged(ListChoice::Schedule); }

void Main_Form::gridRowChanged(ListChoice list)
{
    Grid* grid = gridOf(list);
    if (loading_ || grid->mouseHeld())
        return;
    redisplay(grid->hasFocus() ? presenter_.select(list, grid->row()) : presenter_.rowChanged(list, grid->row()));
}

// A double click on the heading, or below the items, names no item.
void Main_Form::Grid1_DblClick() { redisplay(presenter_.changeByDoubleClick(ListChoice::Todo, Grid1->clickedRow())); }
void Main_Form::Grid2_DblClick()
{
    redisplay(presenter_.changeByDoubleClick(ListChoice::Schedule, Grid2->clickedRow()));
}

void Main_Form::Command6_Click()
{
    runGuarded([this](const YieldFn& yield) { return presenter_.sort(SortOrder::DateTime, yield); });
}
void Main_Form::Command7_Click()
{
    runGuarded([this](const YieldFn& yield) { return presenter_.sort(SortOrder::Name, yield); });
}
void Main_Form::Command8_Click()
{
    runGuarded([this](const YieldFn& yield) { return presenter_.sort(SortOrder::Important, yield); });
}

void Main_Form::Command9_Click() { redisplay(presenter_.change(selectedRow())); }
void Main_Form::Command10_Click() { redisplay(presenter_.deleteItem(selectedRow())); }
void Main_Form::Command11_Click() { redisplay(presenter_.transcribe(selectedRow())); }
void Main_Form::Command12_Click() { redisplay(presenter_.complete(selectedRow())); }

void Main_Form::Command13_Click()
{
    redisplay(presenter_.toggleCompleted());
    showMemberInCombo(*Combo1, presenter_.shownMember());
}

void Main_Form::Command14_Click() { presenter_.editMemo(); }

void Main_Form::CSCalendar1_Click()
{
    const QDate day = CSCalendar1->date();
    runGuarded([this, day](const YieldFn& yield) { return presenter_.newItem(day, yield); });
}

void Main_Form::CurTime1_Alarm()
{
    // A sort is running and yielding to events: its guard runs us when it ends.
    if (busy_) {
        alarmDeferred_ = true;
        return;
    }
    CurTime1->setAlarmEnabled(false);
    const bool unseen = isMinimized() || !isVisible() || !isActiveWindow();
    CurTime1->setAlarmTime(presenter_.alarmRang(CurTime1->alarmTime(), unseen));
    CurTime1->setAlarmEnabled(true);
}

void Main_Form::armAlarm(bool sameMinute) { CurTime1->setAlarmTime(presenter_.armAlarm(sameMinute)); }

void Main_Form::Menu_help_Click() { presenter_.openHelp(); }
void Main_Form::Menu_kensaku_Click() { presenter_.search(); }
void Main_Form::Menu_Settei_jibun_Click() { redisplay(presenter_.editOwnSettings()); }
void Main_Form::Menu_Settei_member_Click()
{
    redisplay(presenter_.editMembers());
    showMemberInCombo(*Combo1, presenter_.shownMember());
}
void Main_Form::Menu_Settei_pass_Click() { redisplay(presenter_.editPassword()); }

// 新規: a new item for today, as a click on today's date in the calendar.
void Main_Form::Menu_sinki_Click()
{
    if (presenter_.view() != View::Own)
        return;
    const QDate today = time_.today();
    runGuarded([this, today](const YieldFn& yield) { return presenter_.newItem(today, yield); });
}

void Main_Form::Menu_kanryo_torikesi_Click() { redisplay(presenter_.reopen(selectedRow())); }
void Main_Form::Menu_modosu_Click() { redisplay(presenter_.undo()); }
void Main_Form::Menu_yarinaosi_Click() { redisplay(presenter_.redo()); }
void Main_Form::Menu_syuryo_Click() { close(); }
