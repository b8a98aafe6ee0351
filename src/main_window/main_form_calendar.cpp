// A new item from the calendar: a click on a day opens the entry form for it.
#include "main_window/main_form.h"

#include "entry/entry_context.h"
#include "entry/f_kinyu.h"
#include "ui/calendar.h"
#include "ui/time_source.h"
#include "ui/ui.h"

EntryContext Main_Form::entryContext(int targetKind)
{
    return EntryContext{store_,
                        settings_,
                        settingsPath_,
                        ui_,
                        time_,
                        *Grid1,
                        *Grid2,
                        *T_memo,
                        this,
                        CSCalendar1->date(),
                        targetKind,
                        [this] { return placement(); },
                        [this](bool sameMinute) { ArmAlarm(sameMinute); },
                        [this] { return trap(TrapVariant::Shared); }};
}

void Main_Form::CSCalendar1_Click()
{
    {
        F_kinyu form(entryContext(target_kind::kNew));
        ui_.runModal(form);
    }
    writeListTitles(store_.todoCount(), store_.scheduleCount());
    CSCalendar1->setDate(time_.today());
    // Registration appended the new item; the sort puts it at its place in
    // time. It runs after a cancel too, so the lists always come out in order.
    sortOwnListsByDate();
}
