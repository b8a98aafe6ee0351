// The entry form: a new item from a click on a calendar day.
#include "main_window/main_form.h"

#include "entry/f_kinyu.h"
#include "ui/calendar.h"
#include "ui/grid.h"
#include "ui/time_source.h"
#include "ui/ui.h"

void Main_Form::CSCalendar1_Click()
{
    EntryChanges changes;
    {
        F_kinyu form(workspace_.entryContext(TargetKind::New, 0, CSCalendar1->date()));
        ui_.runModal(form);
        changes = form.changes();
    }
    if (changes.armAlarm)
        armAlarm(true);
    writeListCounts();
    CSCalendar1->setDate(time_.today());
    // Registration appended the new item; the sort puts it at its place in
    // time. It runs after a cancel too, so the lists always come out in order.
    sortOwnListsByDate();
}
