#include "ui/clock.h"

#include <utility>

#include "ui/time_source.h"

#include <QTimer>

namespace {
const QString kMinuteFormat = QStringLiteral("HH:mm");
}

Clock::Clock(const TimeSource& time, QWidget* parent) : QLabel(parent), time_(time), timer_(new QTimer(this))
{
    setAlignment(Qt::AlignCenter);
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    // The next tick is set going first: an Alarm handler may hold a notice open
    // in a modal loop, and the clock must keep showing the time meanwhile.
    connect(timer_, &QTimer::timeout, this, [this] {
        scheduleTick();
        tick();
    });
    // The default alarm time counts as set now.
    arm();
    setText(time_.now().toString(QStringLiteral("HH:mm:ss")));
    scheduleTick();
}

void Clock::setAlarmTime(const QString& hhmm)
{
    alarmTime_ = hhmm;
    arm();
}

void Clock::setAlarmEnabled(bool on) { enabled_ = on; }

void Clock::tick()
{
    const QDateTime now = time_.now();
    setText(now.toString(QStringLiteral("HH:mm:ss")));
    const QDate previous = std::exchange(lastTickDate_, now.date());
    if (previous.isValid() && now.isValid() && now.date() != previous)
        emit NewDay();
    if (!enabled_ || !now.isValid() || now.date() != armedDate_)
        return;
    // Texts compare as times; a minute slept through is still due when the
    // clock wakes, but a time already past when it was set never is.
    const QString nowMinute = now.toString(kMinuteFormat);
    if (armedMinute_ > alarmTime_ || alarmTime_ > nowMinute)
        return;
    const QString key = armedDate_.toString(Qt::ISODate) + QLatin1Char(' ') + alarmTime_;
    if (key == firedKey_)
        return;
    // Recorded before the signal: its handler may run a modal loop in which
    // this clock keeps ticking.
    firedKey_ = key;
    emit Alarm();
}

void Clock::arm()
{
    const QDateTime now = time_.now();
    armedDate_ = now.date();
    armedMinute_ = now.toString(kMinuteFormat);
}

void Clock::scheduleTick()
{
    // Aim just past the next whole second so the seconds shown do not lag.
    const int ms = time_.now().time().msec();
    timer_->start(ms >= 0 ? 1000 - ms + 5 : 1000);
}
