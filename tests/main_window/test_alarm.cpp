#include "common/test_main.h"
#include "main_form_fixture.h"

#include "entry/f_kinyu.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "main_window/alarm_choice.h"
#include "ui/clock.h"

namespace {

// "date|time|alarm|content" per item.
template <class T> void addItems(ItemList<T>& list, const QStringList& rows)
{
    for (const QString& row : rows) {
        const QStringList f = row.split(QLatin1Char('|'));
        T item;
        item.date = Field(f[0]);
        item.time = Field(f[1]);
        item.alarm = Field::number(f[2].toInt());
        item.content = Field(f[3]);
        item.person = Field(QStringLiteral("山田"));
        list.append(item);
    }
}

QDateTime at(int h, int m, int day = 10) { return QDateTime(QDate(2026, 12, day), QTime(h, m)); }

QString text(QDialog& d, const char* name) { return d.findChild<QLineEdit*>(QLatin1String(name))->text(); }

}   // namespace

class TestAlarm : public QObject {
    Q_OBJECT
private slots:
    void choose_data()
    {
        QTest::addColumn<QString>("now");
        QTest::addColumn<bool>("sameMinute");
        QTest::addColumn<QStringList>("todos");
        QTest::addColumn<QStringList>("schedules");
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<QString>("chosen");   // content of the notice; empty: none chosen
        const QString today = QStringLiteral("2026/12/10|");
        const auto item = [&](const char* rest) { return today + QString::fromUtf8(rest); };

        QTest::newRow("15:00 seen at 14:50 rings at 14:55")
            << "14:50" << true << QStringList{} << QStringList{item("15:00|1|会議")} << "14:55"
            << "会議";
        QTest::newRow("registered at 14:55 for 15:00: chosen at once")
            << "14:55" << true << QStringList{} << QStringList{item("15:00|1|会議")} << "14:55"
            << "会議";
        QTest::newRow("from the alarm event: later minutes only")
            << "14:55" << false << QStringList{} << QStringList{item("15:00|1|会議"), item("15:01|1|次")} << "14:56"
            << "次";
        QTest::newRow("moment already past")
            << "15:00" << true << QStringList{item("15:00|1|x")} << QStringList{} << "23:59"
            << "";
        QTest::newRow("no time 99:99 never rings")
            << "10:00" << true << QStringList{item("99:99|1|x")} << QStringList{item("99:99|1|y")} << "23:59"
            << "";
        QTest::newRow("00:00 never rings, even at midnight")
            << "00:00" << true << QStringList{"0000/00/00|00:00|1|x"} << QStringList{item("00:00|1|y")} << "23:59"
            << "";
        QTest::newRow("alarm 0 never rings")
            << "10:00" << true << QStringList{item("15:00|0|x")} << QStringList{item("16:00|0|y")} << "23:59"
            << "";
        QTest::newRow("ToDo beats schedule at the same minute")
            << "10:00" << true << QStringList{item("15:00|1|T")} << QStringList{item("15:00|1|S")} << "14:55"
            << "T";
        QTest::newRow("first of two at the same minute")
            << "10:00" << true << QStringList{} << QStringList{item("15:00|1|S1"), item("15:00|1|S2")} << "14:55"
            << "S1";
        QTest::newRow("earliest wins across the lists")
            << "10:00" << true << QStringList{item("16:00|1|T"), item("15:40|1|T2")}
            << QStringList{item("15:30|1|S"), item("17:00|1|S2")} << "15:25"
            << "S";
        QTest::newRow("another day's item counts too")
            << "15:00" << true << QStringList{} << QStringList{"2026/12/11|16:00|1|明日"} << "15:55"
            << "明日";
        QTest::newRow("00:03 rings at 00:00, not the evening before")
            << "00:00" << true << QStringList{item("00:03|1|深夜")} << QStringList{} << "00:00"
            << "深夜";
        QTest::newRow("nothing to arm") << "10:00" << true << QStringList{} << QStringList{} << "23:59"
                                        << "";
        QTest::newRow("another day's item does not hide today's at the same minute")
            << "10:00" << true << QStringList{"2026/12/11|15:00|1|明日", "2026/12/09|15:00|1|昨日"}
            << QStringList{item("15:00|1|今日")} << "14:55"
            << "今日";
        QTest::newRow("today's first of several at the minute")
            << "10:00" << true << QStringList{"2026/12/11|15:00|1|明日", item("15:00|1|今日1")}
            << QStringList{item("15:00|1|今日2")} << "14:55"
            << "今日1";
    }
    void choose()
    {
        QFETCH(QString, now);
        QFETCH(bool, sameMinute);
        QFETCH(QStringList, todos);
        QFETCH(QStringList, schedules);
        QFETCH(QString, alarm);
        QFETCH(QString, chosen);
        ItemStore store;
        addItems(store.todos, todos);
        addItems(store.schedules, schedules);
        const AlarmChoice choice = chooseAlarm(store, now, sameMinute, QStringLiteral("2026/12/10"));
        QCOMPARE(choice.alarmTime, alarm);
        QCOMPARE(choice.notice.has_value(), !chosen.isEmpty());
        if (choice.notice)
            QCOMPARE(choice.notice->content, chosen);
    }

    // A date written without its leading zeros is still today's.
    void todayWithoutLeadingZeros()
    {
        ItemStore store;
        addItems(store.todos, {"2026/01/15|15:00|1|別の日", "2026/1/5|15:00|1|今日"});
        const AlarmChoice choice = chooseAlarm(store, QStringLiteral("10:00"), true, QStringLiteral("2026/01/05"));
        QVERIFY(choice.notice);
        QCOMPARE(choice.notice->content, QStringLiteral("今日"));
    }

    // At 14:55 the notice shows the 15:00 item. An alarm that came due while it
    // was open (打合せ at 14:56) follows as soon as it is closed, then the next
    // alarm is armed among the later minutes.
    void noticeThenNextAlarm()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        f.writeList(kTodoFileName,
                    QList<TodoItem>{todo("2026/12/11", "16:00", QStringLiteral("電話"), QStringLiteral("佐藤"), 0, 1)});
        f.writeList(kScheduleFileName,
                    QList<ScheduleItem>{
                        schedule("2026/12/10", "15:00", QStringLiteral("●会議"), QStringLiteral("山田"), 0, 1),
                        schedule("2026/12/10", "15:01", QStringLiteral("打合せ"), QStringLiteral("山田"), 0, 1)});
        QVERIFY(f.start());
        Main_Form& form = *f.form;
        QCOMPARE(form.CurTime1->alarmTime(), QStringLiteral("14:55"));
        QVERIFY(form.CurTime1->alarmEnabled());

        f.time.set(at(14, 55));
        bool switchedOff = false;
        QList<QStringList> shown;
        const auto acknowledge = [&](QDialog& d) {
            switchedOff = !form.CurTime1->alarmEnabled();
            shown.append({text(d, "Text1"), text(d, "Text2"), text(d, "Text3"), text(d, "Text4")});
            f.time.set(at(14, 57));   // the user reads it for a while
            d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            return d.result();
        };
        f.ui.onDialog(QStringLiteral("F_Alarm"), acknowledge);
        f.ui.onDialog(QStringLiteral("F_Alarm"), acknowledge);
        form.CurTime1_Alarm();
        QCOMPARE(f.ui.dialogsShown, (QStringList{"F_Alarm", "F_Alarm"}));
        QVERIFY(switchedOff);
        QCOMPARE(
            shown,
            (QList<QStringList>{{"2026/12/10", "15:00", "●会議", "山田"}, {"2026/12/10", "15:01", "打合せ", "山田"}}));
        QCOMPARE(f.ui.beeps, 2);
        // Not 会議 again: the next is tomorrow's 電話 at 15:55.
        QCOMPARE(form.CurTime1->alarmTime(), QStringLiteral("15:55"));
        QCOMPARE(form.presenter().alarmNotice()->content, QStringLiteral("電話"));
        QVERIFY(form.CurTime1->alarmEnabled());

        // 電話 is tomorrow's: at 15:55 nothing is shown and nothing is left to arm.
        f.time.set(at(15, 55));
        form.CurTime1_Alarm();
        QCOMPARE(f.ui.dialogsShown.size(), 2);
        QCOMPARE(form.CurTime1->alarmTime(), QStringLiteral("23:59"));
        QVERIFY(form.CurTime1->alarmEnabled());
    }

    // At 23:59 with nothing chosen, the notice kept from earlier (dated today) is stale.
    void nothingShownAt2359()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        f.writeList(kTodoFileName, QList<TodoItem>{});
        f.writeList(
            kScheduleFileName,
            QList<ScheduleItem>{schedule("2026/12/10", "15:00", QStringLiteral("会議"), QStringLiteral("山田"), 0, 1)});
        QVERIFY(f.start());
        f.time.set(at(14, 55));
        f.form->CurTime1_Alarm();
        QCOMPARE(f.ui.dialogsShown.size(), 1);
        QCOMPARE(f.form->CurTime1->alarmTime(), QStringLiteral("23:59"));
        QCOMPARE(f.form->presenter().alarmNotice()->date, QStringLiteral("2026/12/10"));

        f.time.set(at(23, 59));
        f.form->CurTime1_Alarm();
        QCOMPARE(f.ui.dialogsShown.size(), 1);
        QCOMPARE(f.form->CurTime1->alarmTime(), QStringLiteral("23:59"));
        QVERIFY(f.form->CurTime1->alarmEnabled());
    }

    // Registering in the minute a notice went off must not choose that minute
    // again: the clock would not ring it twice and the later alarms would wait.
    void rearmingInTheMinuteThatRangKeepsLaterAlarms()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        f.writeList(kTodoFileName,
                    QList<TodoItem>{todo("2026/12/10", "15:00", QStringLiteral("A"), QStringLiteral("山田"), 0, 1),
                                    todo("2026/12/10", "16:00", QStringLiteral("B"), QStringLiteral("山田"), 0, 1)});
        QVERIFY(f.start());
        QCOMPARE(f.form->CurTime1->alarmTime(), QStringLiteral("14:55"));
        f.time.set(at(14, 55));
        f.form->CurTime1_Alarm();
        QCOMPARE(f.form->CurTime1->alarmTime(), QStringLiteral("15:55"));
        // A registration in that minute re-arms the clock.
        f.ui.onDialog(QStringLiteral("F_kinyu"), [](QDialog& d) {
            auto& k = static_cast<F_kinyu&>(d);
            k.op_kigennasi->click();
            k.T_naiyo->setText(QStringLiteral("C"));
            k.Command25->click();
            return d.result();
        });
        f.form->CSCalendar1_Click();
        QCOMPARE(f.ui.dialogsShown.last(), QStringLiteral("F_kinyu"));
        QCOMPARE(f.form->CurTime1->alarmTime(), QStringLiteral("15:55"));
        QCOMPARE(f.form->presenter().alarmNotice()->content, QStringLiteral("B"));
    }

    // Left running overnight, the window arms the new day's first alarm by itself.
    void newDayArmsItsFirstAlarm()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        f.writeList(kTodoFileName,
                    QList<TodoItem>{todo("2026/12/11", "09:00", QStringLiteral("朝一"), QStringLiteral("山田"), 0, 1)});
        f.time.set(at(23, 50));
        QVERIFY(f.start());
        f.form->CurTime1->tick();
        QCOMPARE(f.form->CurTime1->alarmTime(), QStringLiteral("23:59"));

        f.time.set(at(0, 0, 11));
        f.form->CurTime1->tick();
        QCOMPARE(f.form->CurTime1->alarmTime(), QStringLiteral("08:55"));
        f.time.set(at(8, 55, 11));
        f.form->CurTime1->tick();
        QCOMPARE(f.ui.dialogsShown, QStringList{QStringLiteral("F_Alarm")});
    }

    // A window the user is not looking at gets a desktop notification beside
    // the notice; a minimised one does not take the notice down with it.
    void noticeReachesAnUnseenWindow_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("notified");
        QTest::addColumn<bool>("parented");
        QTest::newRow("in front") << "active" << false << true;
        QTest::newRow("behind another window") << "inactive" << true << true;
        QTest::newRow("minimised") << "minimised" << true << false;
        QTest::newRow("hidden") << "hidden" << true << true;
    }

    void noticeReachesAnUnseenWindow()
    {
        QFETCH(QString, state);
        QFETCH(bool, notified);
        QFETCH(bool, parented);
        MainFormFixture f;
        f.writeSettingsFile();
        f.writeList(kScheduleFileName,
                    QList<ScheduleItem>{
                        schedule("2026/12/10", "15:00", QStringLiteral("●会議"), QStringLiteral("山田"), 0, 1)});
        QVERIFY(f.start());
        Main_Form& form = *f.form;
        QWidget other;
        if (state != QLatin1String("hidden")) {
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
        }
        if (state == QLatin1String("active")) {
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
        } else if (state == QLatin1String("inactive")) {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        } else if (state == QLatin1String("minimised")) {
            form.showMinimized();
            QTRY_VERIFY(form.isMinimized());
        }

        QWidget* parent = nullptr;
        bool onTop = false;
        f.ui.onDialog(QStringLiteral("F_Alarm"), [&](QDialog& d) {
            parent = d.parentWidget();
            onTop = d.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            return int(QDialog::Accepted);
        });
        f.time.set(at(14, 55));
        form.CurTime1_Alarm();
        QCOMPARE(f.ui.dialogsShown, QStringList{QStringLiteral("F_Alarm")});
        QVERIFY(onTop);
        QCOMPARE(parent == &form, parented);
        QCOMPARE(f.ui.notices,
                 notified ? QStringList{QStringLiteral("★★　お邪魔します　★★\n2026/12/10 15:00\n●会議")}
                          : QStringList{});
    }
};

PORUKA_TEST_MAIN(TestAlarm)
#include "test_alarm.moc"
