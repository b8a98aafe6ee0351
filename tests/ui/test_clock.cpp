#include "common/test_main.h"

#include "ui/clock.h"
#include "ui/time_source.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QDate kDay(2024, 3, 15);

QDateTime at(const QString& hhmmss, int dayOffset = 0)
{
    return QDateTime(kDay.addDays(dayOffset), QTime::fromString(hhmmss, QStringLiteral("HH:mm:ss")));
}

}   // namespace

class TestClock : public QObject {
    Q_OBJECT

private slots:
    // The alarm is set at armedAt; the switch is off before the first tick when
    // onFromTick is not 0 and goes on again just before tick onFromTick (never
    // when -1). fired lists the Alarm count after each tick.
    void firing_data()
    {
        QTest::addColumn<QDateTime>("armedAt");
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<QList<QDateTime>>("ticks");
        QTest::addColumn<int>("onFromTick");
        QTest::addColumn<QList<int>>("fired");

        QTest::newRow("due now") << at("14:50:00") << "14:55" << QList{at("14:54:59"), at("14:55:00")} << 0
                                 << QList{0, 1};
        QTest::newRow("set in the due minute") << at("14:55:20") << "14:55" << QList{at("14:55:21")} << 0 << QList{1};
        QTest::newRow("sleep across the minute")
            << at("14:50:00") << "14:55" << QList{at("14:50:30"), at("15:10:00")} << 0 << QList{0, 1};
        QTest::newRow("armed for a past minute")
            << at("15:00:00") << "14:55" << QList{at("15:00:01"), at("16:00:00")} << 0 << QList{0, 0};
        QTest::newRow("fired once only") << at("14:50:00") << "14:55"
                                         << QList{at("14:55:00"), at("14:55:01"), at("14:56:00")} << 0
                                         << QList{1, 1, 1};
        QTest::newRow("next day not fired")
            << at("14:50:00") << "14:55" << QList{at("14:55:00", 1), at("14:56:00", 1)} << 0 << QList{0, 0};
        QTest::newRow("switched off") << at("14:50:00") << "14:55" << QList{at("14:55:00"), at("14:56:00")} << -1
                                      << QList{0, 0};
        QTest::newRow("switched on again while due")
            << at("14:50:00") << "14:55" << QList{at("14:55:00"), at("14:57:00")} << 1 << QList{0, 1};
        QTest::newRow("default 23:59") << at("23:00:00") << "23:59" << QList{at("23:58:59"), at("23:59:00")} << 0
                                       << QList{0, 1};
    }
    void firing()
    {
        QFETCH(QDateTime, armedAt);
        QFETCH(QString, alarm);
        QFETCH(QList<QDateTime>, ticks);
        QFETCH(int, onFromTick);
        QFETCH(QList<int>, fired);

        FixedTimeSource time(armedAt);
        Clock clock(time);
        clock.setAlarmTime(alarm);
        QSignalSpy spy(&clock, &Clock::Alarm);
        clock.setAlarmEnabled(onFromTick == 0);
        QList<int> counts;
        for (int i = 0; i < ticks.size(); ++i) {
            if (i == onFromTick)
                clock.setAlarmEnabled(true);
            time.set(ticks[i]);
            clock.tick();
            counts.append(spy.count());
        }
        QCOMPARE(counts, fired);
    }

    void alarmTimeReadsBackAsSet_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("23:59") << "23:59";
        QTest::newRow("midnight") << "00:00";
        QTest::newRow("not zero padded") << "9:05";
    }
    void alarmTimeReadsBackAsSet()
    {
        QFETCH(QString, text);
        FixedTimeSource time(at("08:00:00"));
        Clock clock(time);
        clock.setAlarmTime(text);
        QCOMPARE(clock.alarmTime(), text);
    }

    void showsThePresentTime()
    {
        FixedTimeSource time(at("08:00:00"));
        Clock clock(time);
        time.set(at("09:07:05"));
        clock.tick();
        QCOMPARE(clock.text(), QStringLiteral("09:07:05"));
    }

    // What the main window does when the alarm goes off: switch off, show the
    // notice, choose the next alarm, switch on.
    void handlerRearmsForALaterMinute()
    {
        FixedTimeSource time(at("14:50:00"));
        Clock clock(time);
        clock.setAlarmTime(QStringLiteral("14:55"));
        int fired = 0;
        connect(&clock, &Clock::Alarm, &clock, [&] {
            ++fired;
            clock.setAlarmEnabled(false);
            time.advanceSecs(90);   // the notice stays open a while
            clock.tick();
            clock.setAlarmTime(QStringLiteral("23:59"));
            clock.setAlarmTime(QStringLiteral("15:30"));
            clock.setAlarmEnabled(true);
        });
        time.set(at("14:55:00"));
        clock.tick();
        QCOMPARE(fired, 1);
        time.set(at("15:29:59"));
        clock.tick();
        QCOMPARE(fired, 1);
        time.set(at("15:30:00"));
        clock.tick();
        QCOMPARE(fired, 2);
    }

    // A handler of Alarm holds its notice open in a modal loop: the clock goes
    // on showing the time meanwhile (it used to stand at the alarm second).
    void keepsTickingWhileTheAlarmIsHandled()
    {
        FixedTimeSource time(at("14:54:59"));
        Clock clock(time);
        clock.setAlarmTime(QStringLiteral("14:55"));
        QString shownDuringTheNotice;
        connect(&clock, &Clock::Alarm, this, [&] {
            time.set(at("14:56:30"));   // the user reads the notice for a while
            (void)QTest::qWaitFor([&] { return clock.text() == QStringLiteral("14:56:30"); }, 3000);
            shownDuringTheNotice = clock.text();
        });
        time.set(at("14:55:00"));
        // The clock's own timer raises the alarm, as in the running program.
        QVERIFY(QTest::qWaitFor([&] { return !shownDuringTheNotice.isEmpty(); }, 5000));
        QCOMPARE(shownDuringTheNotice, QStringLiteral("14:56:30"));
    }

    void newDayIsToldOnce()
    {
        FixedTimeSource time(at("23:59:58"));
        Clock clock(time);
        QSignalSpy newDay(&clock, &Clock::NewDay);
        clock.tick();
        time.set(at("23:59:59"));
        clock.tick();
        QCOMPARE(newDay.count(), 0);
        time.set(at("00:00:01", 1));
        clock.tick();
        clock.tick();
        QCOMPARE(newDay.count(), 1);
        time.set(at("07:00:00", 3));   // woken days later
        clock.tick();
        QCOMPARE(newDay.count(), 2);
    }

    void settingTheFiredTimeAgainDoesNotRefire()
    {
        FixedTimeSource time(at("14:50:00"));
        Clock clock(time);
        clock.setAlarmTime(QStringLiteral("14:55"));
        QSignalSpy spy(&clock, &Clock::Alarm);
        time.set(at("14:55:00"));
        clock.tick();
        QCOMPARE(spy.count(), 1);
        time.set(at("14:55:30"));
        clock.setAlarmTime(QStringLiteral("14:55"));
        clock.tick();
        QCOMPARE(spy.count(), 1);
        // The same minute on the next day is a new alarm.
        time.set(at("14:50:00", 1));
        clock.setAlarmTime(QStringLiteral("14:55"));
        time.set(at("14:55:00", 1));
        clock.tick();
        QCOMPARE(spy.count(), 2);
    }
};

PORUKA_TEST_MAIN(TestClock)
#include "test_clock.moc"
