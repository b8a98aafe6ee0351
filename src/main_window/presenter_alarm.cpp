// The alarm: the clock armed with the earliest alarm still ahead today, and
// the notices of the items due when it goes off.
#include "main_window/f_alarm.h"
#include "main_window/presenter.h"

#include "ui/time_source.h"
#include "ui/ui.h"

QString Presenter::chooseNextAlarm(const QString& after, bool inclusive)
{
    const AlarmChoice choice =
        chooseAlarm(core_.store(), after, inclusive, time_.today().toString(QStringLiteral("yyyy/MM/dd")));
    if (choice.notice)
        alarmNotice_ = choice.notice;
    return choice.alarmTime;
}

QString Presenter::armAlarm(bool sameMinute)
{
    const QString now = time_.now().toString(QStringLiteral("HH:mm"));
    // A minute that has rung already is not chosen again (a registration in the
    // minute of a notice, say): the clock would not ring it twice, and the later
    // alarms of the day would wait behind it.
    const bool rangNow = rangAt_ == time_.today().toString(Qt::ISODate) + QLatin1Char(' ') + now;
    return chooseNextAlarm(now, sameMinute && !rangNow);
}

std::optional<AlarmNotice> Presenter::alarmDue(const QString& alarmTime)
{
    rangAt_ = time_.today().toString(Qt::ISODate) + QLatin1Char(' ') + alarmTime;
    // No item ever rings at "23:59": going off then means none was chosen, and
    // the notice kept from an earlier choice is stale.
    if (alarmTime == kNoAlarm || !alarmNotice_)
        return std::nullopt;
    const QString today = time_.today().toString(QStringLiteral("yyyy/MM/dd"));
    if (dateKey(alarmNotice_->date) != today)
        return std::nullopt;
    return alarmNotice_;
}

QString Presenter::alarmRang(const QString& rang, bool unseen)
{
    const QTime now = time_.now().time();
    const QString nowMinute = now.toString(QStringLiteral("HH:mm"));
    QStringList listed;   // missed long ago: told once, all together
    QString minute = rang;
    for (;;) {
        if (std::optional<AlarmNotice> notice = alarmDue(minute)) {
            // The minute passed unseen: the notice says it is late; by more
            // than the limit past the item's time, it is listed, not rung.
            notice->late = minute < nowMinute;
            const QTime itemTime = QTime::fromString(notice->time, QStringLiteral("HH:mm"));
            if (notice->late && itemTime.isValid() && itemTime.secsTo(now) > kAlarmListedAfterMinutes * 60) {
                listed << QStringLiteral("%1 %2　%3").arg(notice->date, notice->time, notice->content);
            } else {
                // Minimised or behind other windows, the window alone would
                // not be seen: the desktop is told as well.
                if (unseen)
                    ui_.notify(window_, kAlarmTitle,
                               QStringLiteral("%1 %2\n%3").arg(notice->date, notice->time, notice->content));
                forms_.alarm(*notice);
            }
        }
        // Counted from the minute that rang, not from now: an alarm that came
        // due meanwhile (or while the computer slept) is chosen, and rings at once.
        const QString next = chooseNextAlarm(minute, false);
        if (next == kNoAlarm || next > time_.now().toString(QStringLiteral("HH:mm"))) {
            if (!listed.isEmpty())
                ui_.message(window_,
                            QStringLiteral("次のお知らせは、時刻を過ぎてから１時間以上たっていました。\n") +
                                listed.join(QLatin1Char('\n')),
                            MsgButtons::Ok, MsgIcon::Information);
            return next;
        }
        minute = next;
    }
}
