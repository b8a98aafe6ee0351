#include "common/test_main.h"

#include "ui/calendar.h"

#include <QSignalSpy>
#include <QTableView>

namespace {

// The cell of day `day` of the shown month in the calendar's own table.
QModelIndex dayCell(QTableView* view, int day)
{
    QAbstractItemModel* model = view->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        for (int c = 0; c < model->columnCount(); ++c) {
            const QModelIndex i = model->index(r, c);
            // Mid-month days are not among the neighbouring months' days at the edges.
            if (i.data().toString() == QString::number(day))
                return i;
        }
    }
    return {};
}

}   // namespace

class TestCalendar : public QObject {
    Q_OBJECT

private slots:
    void settingFromCodeRaisesNothing()
    {
        Calendar cal;
        QSignalSpy click(&cal, &Calendar::Click);
        QSignalSpy change(&cal, &Calendar::Change);
        cal.setDate(QDate(2024, 3, 15));
        cal.setDate(QDate(2025, 1, 2));
        QCOMPARE(cal.date(), QDate(2025, 1, 2));
        QCOMPARE(cal.year(), 2025);
        QCOMPARE(cal.month(), 1);
        QCOMPARE(cal.day(), 2);
        QCOMPARE(click.count(), 0);
        QCOMPARE(change.count(), 0);
    }

    void clickOnADaySelectsItFirst()
    {
        Calendar cal;
        cal.setDate(QDate(2024, 3, 15));
        cal.resize(320, 240);
        cal.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cal));
        QList<QDate> atClick;
        connect(&cal, &Calendar::Click, &cal, [&] { atClick.append(cal.date()); });
        QSignalSpy change(&cal, &Calendar::Change);

        auto* view = cal.findChild<QTableView*>();
        QVERIFY(view);
        const QModelIndex cell = dayCell(view, 20);
        QVERIFY(cell.isValid());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());

        QCOMPARE(atClick, QList<QDate>{QDate(2024, 3, 20)});
        QCOMPARE(cal.date(), QDate(2024, 3, 20));
        QCOMPARE(change.count(), 1);
    }
};

PORUKA_TEST_MAIN(TestCalendar)
#include "test_calendar.moc"
