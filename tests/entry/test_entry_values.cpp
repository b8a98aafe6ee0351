// The record fields built from the entry form's labels and options.
#include "common/test_main.h"

#include "entry/entry_values.h"

Q_DECLARE_METATYPE(Deadline)

namespace {

EntryState onDate(const QString& hour, const QString& minute)
{
    EntryState s;
    s.deadline = Deadline::OnDate;
    s.year = QStringLiteral("2026");
    s.month = QStringLiteral("12");
    s.day = QStringLiteral("24");
    s.hour = hour;
    s.minute = minute;
    s.content = QStringLiteral("会議");
    s.person = QStringLiteral("山田");
    return s;
}

}   // namespace

class TestEntryValues : public QObject {
    Q_OBJECT
private slots:
    void dateAndTime_data()
    {
        QTest::addColumn<Deadline>("deadline");
        QTest::addColumn<bool>("noTime");
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");

        // 今日中 and 期限無し show dashes in the labels; the sentinels win.
        QTest::newRow("今日中") << Deadline::Today << true << "--"
                                << "--"
                                << "0000/00/00"
                                << "00:00";
        QTest::newRow("期限無し") << Deadline::None << true << "--"
                                  << "--"
                                  << "9999/99/99"
                                  << "99:99";
        QTest::newRow("hour 14 minute 5") << Deadline::OnDate << false << "14"
                                          << "5"
                                          << "2026/12/24"
                                          << "14:05";
        QTest::newRow("never touched") << Deadline::OnDate << false << "0"
                                       << "0"
                                       << "2026/12/24"
                                       << "00:00";
        QTest::newRow("stored 09:30 kept") << Deadline::OnDate << false << "09"
                                           << "30"
                                           << "2026/12/24"
                                           << "09:30";
        QTest::newRow("hour 9 minute 55") << Deadline::OnDate << false << "9"
                                          << "55"
                                          << "2026/12/24"
                                          << "09:55";
        QTest::newRow("時刻指定無し") << Deadline::OnDate << true << "0"
                                      << "0"
                                      << "2026/12/24"
                                      << "99:99";
        QTest::newRow("labels no time of day") << Deadline::OnDate << false << "ab"
                                               << "7"
                                               << "2026/12/24"
                                               << "99:99";
        QTest::newRow("hour 24") << Deadline::OnDate << false << "24"
                                 << "0"
                                 << "2026/12/24"
                                 << "99:99";
    }
    void dateAndTime()
    {
        QFETCH(Deadline, deadline);
        QFETCH(bool, noTime);
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        EntryState s = onDate(hour, minute);
        s.deadline = deadline;
        s.noTime = noTime;
        if (deadline != Deadline::OnDate) {
            s.year = QStringLiteral("----");
            s.month = s.day = QStringLiteral("--");
        }
        QTEST(entryDate(s), "date");
        QTEST(entryTime(s), "time");

        TodoItem item;
        applyEntry(item, s);
        QTEST(item.date.text(), "date");
        QTEST(item.time.text(), "time");
    }

    void flags_data()
    {
        QTest::addColumn<bool>("important");
        QTest::addColumn<bool>("secret");
        QTest::addColumn<bool>("alarm");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QByteArray>("importantBytes");
        QTest::addColumn<QByteArray>("secretBytes");
        QTest::addColumn<QByteArray>("alarmBytes");

        QTest::newRow("plain") << false << false << false << "会議" << QByteArray() << QByteArray()
                               << QByteArray(" 0 ");
        QTest::newRow("important") << true << false << false << "●会議" << QByteArray("JYUYO") << QByteArray()
                                   << QByteArray(" 0 ");
        QTest::newRow("secret") << false << true << false << "会議" << QByteArray() << QByteArray("SECRET")
                                << QByteArray(" 0 ");
        QTest::newRow("alarm") << false << false << true << "会議" << QByteArray() << QByteArray() << QByteArray(" 1 ");
        QTest::newRow("all three") << true << true << true << "●会議" << QByteArray("JYUYO") << QByteArray("SECRET")
                                   << QByteArray(" 1 ");
    }
    void flags()
    {
        EntryState s = onDate("10", "0");
        QFETCH(bool, important);
        QFETCH(bool, secret);
        QFETCH(bool, alarm);
        s.important = important;
        s.secret = secret;
        s.alarm = alarm;

        // A change starts from an item that had every flag set: unticking clears.
        ScheduleItem item;
        item.content = Field(QStringLiteral("●古い"));
        item.important = Field("JYUYO");
        item.secret = Field("SECRET");
        item.alarm = Field::number(1);
        applyEntry(item, s);
        QTEST(item.content.text(), "content");
        QTEST(item.important.bytes(), "importantBytes");
        QTEST(item.secret.bytes(), "secretBytes");
        QTEST(item.alarm.bytes(), "alarmBytes");
        QCOMPARE(item.person.text(), QStringLiteral("山田"));
    }

    void newItems()
    {
        EntryState s = onDate("14", "5");
        const QDate today(2026, 12, 10);

        const TodoItem t = newTodoItem(s, today);
        QCOMPARE(t.entryDate.bytes(), QByteArray("2026/12/10"));
        QCOMPARE(t.rank.bytes(), QByteArray(" 9999 "));
        QCOMPARE(t.memoNo.bytes(), QByteArray(" 0 "));
        QVERIFY(t.spare.isEmpty());
        QCOMPARE(deriveShown(t).date, QStringLiteral("2026/12/24"));
        QCOMPARE(deriveShown(t).time, QStringLiteral("14:05"));

        s.deadline = Deadline::Today;
        const ScheduleItem sc = newScheduleItem(s, today);
        QCOMPARE(sc.entryDate.bytes(), QByteArray("2026/12/10"));
        QCOMPARE(deriveShown(sc).date, QStringLiteral("今日中"));
        QCOMPARE(deriveShown(sc).time, QString());
    }

    void changeKeepsWhatItDoesNotOwn()
    {
        TodoItem item;
        item.entryDate = Field("2020/01/02");
        item.rank = Field::fromBytes("  17  ");
        item.spare = Field::fromBytes("extra\x85");
        item.memoNo = Field::fromBytes(" 42 ");
        applyEntry(item, onDate("8", "15"));
        QCOMPARE(item.entryDate.bytes(), QByteArray("2020/01/02"));
        QCOMPARE(item.rank.bytes(), QByteArray("  17  "));
        QCOMPARE(item.spare.bytes(), QByteArray("extra\x85"));
        QCOMPARE(item.memoNo.bytes(), QByteArray(" 42 "));
        QCOMPARE(item.time.text(), QStringLiteral("08:15"));
    }

    void contentForEditing_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QByteArray>("important");
        QTest::addColumn<QString>("shown");
        QTest::newRow("important") << "●会議" << QByteArray("JYUYO") << "会議";
        QTest::newRow("mark without flag kept") << "●会議" << QByteArray() << "●会議";
        QTest::newRow("plain") << "会議" << QByteArray() << "会議";
    }
    void contentForEditing()
    {
        QFETCH(QString, content);
        QFETCH(QByteArray, important);
        TodoItem item;
        item.content = Field(content);
        item.important = Field::fromBytes(important);
        QTEST(::contentForEditing(item), "shown");
    }
};

PORUKA_TEST_MAIN(TestEntryValues)
#include "test_entry_values.moc"
