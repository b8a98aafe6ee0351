// The clock's alarm: the notice of the item whose time is about to come, then
// the next alarm.
#include "main_window/f_alarm.h"
#include "main_window/main_form.h"

#include "ui/clock.h"
#include "ui/ui.h"

void Main_Form::CurTime1_Alarm()
{
    // A sort is running and yielding to events: its guard runs us when it ends.
    if (busy_) {
        alarmDeferred_ = true;
        return;
    }
    CurTime1->setAlarmEnabled(false);
    if (const std::optional<AlarmNotice> notice = workspace_.alarmDue(CurTime1->alarmTime())) {
        F_Alarm form(*notice, ui_, this);
        ui_.runModal(form);
    }
    // The present time as it is after the notice was closed.
    armAlarm(false);
    CurTime1->setAlarmEnabled(true);
}
