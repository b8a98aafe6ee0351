#pragma once
// The clock: shows the present time and raises Alarm once when the present
// minute reaches AlarmTime while the switch is on. A minute skipped by sleep or
// suspend still fires when the clock wakes on the same day; one alarm time fires
// at most once a day.

#include <QDate>
#include <QLabel>

class QTimer;
class TimeSource;

class Clock : public QLabel {
    Q_OBJECT
public:
    explicit Clock(const TimeSource& time, QWidget* parent = nullptr);

    QString alarmTime() const { return alarmTime_; }   // the text last set
    void setAlarmTime(const QString& hhmm);
    bool alarmEnabled() const { return enabled_; }
    void setAlarmEnabled(bool on);

    // Reads the time source once: repaints and fires when due. The timer calls it
    // every second; tests call it after moving a FixedTimeSource.
    void tick();

signals:
    void Alarm();
    // The date changed since the last tick (midnight, or waking on another day).
    void NewDay();

private:
    void arm();
    void scheduleTick();

    const TimeSource& time_;
    QTimer* timer_;
    QString alarmTime_ = QStringLiteral("23:59");
    bool enabled_ = true;
    QDate armedDate_;   // when the alarm time was last set: a time already
    QString armedMinute_;   // past then, or a later day, does not fire
    QString firedKey_;   // date + alarm time of the last firing
    QDate lastTickDate_;
};
