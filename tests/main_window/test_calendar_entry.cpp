// A click on a day of the main calendar: the entry form for that day, then the
// headings, the calendar back on today and both own lists in date order.
#include "common/test_main.h"
#include "main_form_fixture.h"

#include "entry/f_kinyu.h"
#include "ui/calendar.h"
#include "ui/grid.h"

#include <QLabel>
#include <QRadioButton>

namespace {

QStringList column(const Grid& g, int col)
{
    QStringList out;
    for (int r = 1; r < g.rows(); ++r)
        out << g.cellText(r, col);
    return out;
}

// Lists on file out of date order, as an earlier 名前 sort may have left them.
void writeUnsortedLists(MainFormFixture& f)
{
    f.writeSettingsFile();
    f.writeList<TodoItem>(QStringLiteral("todo.dat"),
                          {todo("2027/01/05", "09:00", QStringLiteral("年明け"), QStringLiteral("山田")),
                           todo("9999/99/99", "99:99", QStringLiteral("いつか"), QStringLiteral("山田")),
                           todo("2026/12/01", "10:00", QStringLiteral("月初"), QStringLiteral("山田")),
                           todo("0000/00/00", "00:00", QStringLiteral("今日"), QStringLiteral("山田"))});
    f.writeList<ScheduleItem>(QStringLiteral("SCHE.DAT"),
                              {schedule("2026/12/24", "18:00", QStringLiteral("夕食"), QStringLiteral("山田")),
                               schedule("2026/12/24", "09:00", QStringLiteral("朝会"), QStringLiteral("山田"))});
}

}   // namespace

class TestCalendarEntry : public QObject {
    Q_OBJECT
private slots:
    void newItemLandsAtItsPlace_data();
    void newItemLandsAtItsPlace();
    void cancelSortsNothingAndGoesBackToToday();
};

void TestCalendarEntry::newItemLandsAtItsPlace_data()
{
    QTest::addColumn<bool>("schedule");
    QTest::addColumn<QStringList>("todoContents");
    QTest::addColumn<QStringList>("scheduleContents");
    QTest::addColumn<QString>("todoHeading");
    QTest::addColumn<QString>("scheduleHeading");
    QTest::newRow("ToDo") << false << QStringList{"今日", "月初", "クリスマス会", "年明け", "いつか"}
                          << QStringList{"朝会", "夕食"} << "やること(5件)"
                          << "予定(2件)";
    QTest::newRow("予定") << true << QStringList{"今日", "月初", "年明け", "いつか"}
                          << QStringList{"朝会", "クリスマス会", "夕食"} << "やること(4件)"
                          << "予定(3件)";
}

void TestCalendarEntry::newItemLandsAtItsPlace()
{
    QFETCH(bool, schedule);
    MainFormFixture f;
    writeUnsortedLists(f);
    QVERIFY(f.start());
    f.form->CSCalendar1->setDate(QDate(2026, 12, 24));

    QString shownDay;
    f.ui.onDialog(QStringLiteral("F_kinyu"), [&](QDialog& d) {
        auto& k = static_cast<F_kinyu&>(d);
        shownDay = QStringList{k.L_nen->text(), k.L_tuki->text(), k.L_hi->text()}.join('/');
        if (schedule)
            k.op_sche->click();
        k.ji[3]->click();   // 15 o'clock
        k.T_naiyo->setText(QStringLiteral("クリスマス会"));
        k.Command25->click();
        return d.result();
    });
    f.form->CSCalendar1_Click();

    QCOMPARE(f.ui.dialogsShown, QStringList{"F_kinyu"});
    QCOMPARE(shownDay, QStringLiteral("2026/12/24"));
    QTEST(f.form->Grid1->cellText(0, 2), "todoHeading");
    QTEST(f.form->Grid2->cellText(0, 2), "scheduleHeading");
    QCOMPARE(f.form->CSCalendar1->date(), QDate(2026, 12, 10));
    QTEST(column(*f.form->Grid1, 2), "todoContents");
    QTEST(column(*f.form->Grid2, 2), "scheduleContents");
    const Grid& grid = schedule ? *f.form->Grid2 : *f.form->Grid1;
    const int row = int(column(grid, 2).indexOf(QStringLiteral("クリスマス会"))) + 1;
    QCOMPARE(grid.cellText(row, 0), QStringLiteral("2026/12/24"));
    QCOMPARE(grid.cellText(row, 1), QStringLiteral("15:00"));
    // Registration wrote the item; the sorted order waits for the next save.
    const QByteArray file = readBytes(f.dataDir + (schedule ? "SCHE.DAT" : "todo.dat"));
    QVERIFY(file.contains(sjis(QStringLiteral("クリスマス会"))));
}

void TestCalendarEntry::cancelSortsNothingAndGoesBackToToday()
{
    MainFormFixture f;
    writeUnsortedLists(f);
    QVERIFY(f.start());
    const QByteArray todoBefore = readBytes(f.dataDir + "todo.dat");
    f.form->CSCalendar1->setDate(QDate(2027, 2, 3));

    f.form->CSCalendar1_Click();   // no script: the form is cancelled

    QCOMPARE(f.ui.dialogsShown, QStringList{"F_kinyu"});
    QCOMPARE(f.form->CSCalendar1->date(), QDate(2026, 12, 10));
    // Nothing registered: the lists stay in the order they had.
    QCOMPARE(column(*f.form->Grid1, 2), (QStringList{"年明け", "いつか", "月初", "今日"}));
    QCOMPARE(column(*f.form->Grid2, 2), (QStringList{"夕食", "朝会"}));
    QCOMPARE(f.form->Grid1->cellText(0, 2), QStringLiteral("やること(4件)"));
    QCOMPARE(readBytes(f.dataDir + "todo.dat"), todoBefore);
}

PORUKA_TEST_MAIN(TestCalendarEntry)
#include "test_calendar_entry.moc"
