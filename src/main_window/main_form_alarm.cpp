// The clock's alarm: the notice of the item whose time is about to come, then
// the next alarm.
#include "main_window/f_alarm.h"
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
    QString rang = CurTime1->alarmTime();
    QString next;
    for (;;) {
        if (const std::optional<AlarmNotice> notice = workspace_.alarmDue(rang)) {
            // Minimised or behind other windows, the window alone would not be
            // seen: the desktop is told as well.
            const bool unseen = isMinimized() || !isVisible() || !isActiveWindow();
            if (unseen)
                ui_.notify(this, kAlarmTitle,
                           QStringLiteral("%1 %2\n%3").arg(notice->date, notice->time, notice->content));
            F_Alarm form(*notice, ui_, isMinimized() ? nullptr : this);
            ui_.runModal(form);
        }
        next = workspace_.armAlarmAfter(rang);
        // Due while the notice was open: the next notice follows at once.
        if (next == kNoAlarm || next > time_.now().toString(QStringLiteral("HH:mm")))
            break;
        rang = next;
    }
    CurTime1->setAlarmTime(next);
    CurTime1->setAlarmEnabled(true);
}
