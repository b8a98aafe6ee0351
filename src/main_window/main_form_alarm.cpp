// The clock's alarm: the notice of the item whose time is about to come, then
// the next alarm.
#include "main_window/f_alarm.h"
#include "main_window/list_sort.h"
#include "main_window/main_form.h"

#include "ui/clock.h"
#include "ui/time_source.h"
#include "ui/ui.h"

void Main_Form::CurTime1_Alarm()
{
    // A sort is running and yielding to events: its guard runs us when it ends.
    if (busy_) {
        alarmDeferred_ = true;
        return;
    }
    CurTime1->setAlarmEnabled(false);
    rangAt_ = time_.today().toString(Qt::ISODate) + QLatin1Char(' ') + CurTime1->alarmTime();
    // No item ever rings at "23:59": going off then means none was chosen, and
    // the notice kept from an earlier choice is stale.
    const bool chosen = CurTime1->alarmTime() != kNoAlarm;
    const QString today = time_.today().toString(QStringLiteral("yyyy/MM/dd"));
    if (chosen && alarmNotice_ && dateKey(alarmNotice_->date) == today) {
        F_Alarm notice(*alarmNotice_, ui_, this);
        ui_.runModal(notice);
    }
    // The present time as it is after the notice was closed.
    ArmAlarm(false);
    CurTime1->setAlarmEnabled(true);
}
