#include "common/test_main.h"

#include "ui/grid.h"
#include "ui/twips.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>

namespace {

// A four-column grid with the given first cells as item rows.
void fill(Grid& g, const QStringList& firstCells)
{
    g.setRows(1);
    g.setCols(4);
    for (const QString& c : firstCells)
        g.addItem(c + QStringLiteral("\tb\tc\td"), g.rows());
}

QStringList firstColumn(const Grid& g)
{
    QStringList out;
    for (int r = 1; r < g.rows(); ++r)
        out.append(g.cellText(r, 0));
    return out;
}

}  // namespace

Q_DECLARE_METATYPE(std::vector<int>)

class TestGrid : public QObject {
    Q_OBJECT

private slots:
    void addAndRemoveKeepOrder_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("after");
        const QStringList abc{"a", "b", "c"};
        QTest::newRow("add first to heading only") << QStringList{} << "add" << 1 << QStringList{"x"};
        QTest::newRow("add at 1 moves rows down") << abc << "add" << 1 << QStringList{"x", "a", "b", "c"};
        QTest::newRow("add in the middle") << abc << "add" << 2 << QStringList{"a", "x", "b", "c"};
        QTest::newRow("add at rows() appends") << abc << "add" << 4 << QStringList{"a", "b", "c", "x"};
        QTest::newRow("remove 1 moves rows up") << abc << "remove" << 1 << QStringList{"b", "c"};
        QTest::newRow("remove last") << abc << "remove" << 3 << QStringList{"a", "b"};
        QTest::newRow("remove heading is ignored") << abc << "remove" << 0 << abc;
    }
    void addAndRemoveKeepOrder()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, op);
        QFETCH(int, index);
        QFETCH(QStringList, after);
        Grid g;
        fill(g, before);
        if (op == "add")
            g.addItem(QStringLiteral("x"), index);
        else
            g.removeItem(index);
        QCOMPARE(firstColumn(g), after);
        QCOMPARE(g.rows(), after.size() + 1);
    }

    void addSplitsOnTabs()
    {
        Grid g;
        fill(g, {});
        g.addItem(QStringLiteral("2024/03/15\t10:00\t会議"), 1);
        QCOMPARE(g.cellText(1, 0), QStringLiteral("2024/03/15"));
        QCOMPARE(g.cellText(1, 2), QStringLiteral("会議"));
        QCOMPARE(g.cellText(1, 3), QString());   // missing cell
        g.addItem(QStringLiteral("\t\t\t山田"), 2);
        QCOMPARE(g.cellText(2, 0), QString());
        QCOMPARE(g.cellText(2, 3), QStringLiteral("山田"));
    }

    void removingRowOneNTimesLeavesHeading()
    {
        Grid g;
        fill(g, {"a", "b", "c", "d", "e"});
        g.setRow(0);
        g.setCol(2);
        g.setText(QStringLiteral("やること(5件)"));
        g.setRow(3);
        for (int i = 0; i < 5; ++i)
            g.removeItem(1);
        QCOMPARE(g.rows(), 1);
        QCOMPARE(g.row(), 0);
        QCOMPARE(g.cellText(0, 2), QStringLiteral("やること(5件)"));
    }

    void setRowsTruncatesOrExtends()
    {
        Grid g;
        fill(g, {"a", "b", "c"});
        g.setRows(3);
        QCOMPARE(firstColumn(g), (QStringList{"a", "b"}));
        g.setRows(5);
        QCOMPARE(firstColumn(g), (QStringList{"a", "b", "", ""}));
        g.setRows(1);
        QCOMPARE(g.rows(), 1);
    }

    void rowZeroIsTheHeading()
    {
        Grid g;
        fill(g, {"a", "b"});
        g.setRow(2);
        g.setCol(2);
        QCOMPARE(g.text(), QStringLiteral("c"));
        g.setText(QStringLiteral("z"));
        QCOMPARE(g.cellText(2, 2), QStringLiteral("z"));
        QCOMPARE(g.cellText(1, 2), QStringLiteral("c"));

        g.setRow(0);
        QCOMPARE(g.col(), 2);
        g.setText(QStringLiteral("予定(2件)"));
        QCOMPARE(g.text(), QStringLiteral("予定(2件)"));
        QCOMPARE(g.view()->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("予定(2件)"));
        QCOMPARE(g.cellText(2, 2), QStringLiteral("z"));
        QVERIFY(!g.view()->currentIndex().isValid());
    }

    void columnWidthsInTwips_data()
    {
        QTest::addColumn<int>("twips");
        QTest::newRow("date") << 1200;
        QTest::newRow("time") << 700;
        QTest::newRow("content") << 3700;
        QTest::newRow("name, not a whole pixel") << 785;
    }
    void columnWidthsInTwips()
    {
        QFETCH(int, twips);
        Grid g;
        fill(g, {"a"});
        g.setColumnWidth(2, twips);
        QVERIFY2(qAbs(g.columnWidth(2) - twips) < kTwipsPerPixel, qPrintable(QString::number(g.columnWidth(2))));
        QCOMPARE(g.view()->columnWidth(2), twipsToPixels(twips));
        // A refill must not throw the widths away.
        g.replaceItems({QStringList{"x"}, QStringList{"y"}});
        QCOMPARE(g.view()->columnWidth(2), twipsToPixels(twips));
    }

    void alignmentReachesTheView()
    {
        Grid g;
        fill(g, {"a"});
        g.setColumnAlignment(1, Qt::AlignHCenter);
        const QVariant v = g.view()->model()->index(0, 1).data(Qt::TextAlignmentRole);
        QCOMPARE(Qt::Alignment(v.toInt()) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        const QVariant left = g.view()->model()->index(0, 0).data(Qt::TextAlignmentRole);
        QCOMPARE(Qt::Alignment(left.toInt()) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }

    void reorderItemsMovesRows_data()
    {
        QTest::addColumn<std::vector<int>>("order");
        QTest::addColumn<bool>("done");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("reversed") << std::vector<int>{2, 1, 0} << true << QStringList{"c", "b", "a"};
        QTest::newRow("rotated") << std::vector<int>{1, 2, 0} << true << QStringList{"b", "c", "a"};
        QTest::newRow("too short: nothing moves") << std::vector<int>{1, 0} << false << QStringList{"a", "b", "c"};
        QTest::newRow("out of range: nothing moves") << std::vector<int>{0, 1, 3} << false << QStringList{"a", "b", "c"};
    }
    void reorderItemsMovesRows()
    {
        QFETCH(std::vector<int>, order);
        QFETCH(bool, done);
        QFETCH(QStringList, after);
        Grid g;
        fill(g, {"a", "b", "c"});
        QCOMPARE(g.reorderItems(order), done);
        QCOMPARE(firstColumn(g), after);
        QCOMPARE(g.cellText(1, 3), QStringLiteral("d"));
    }

    void replaceItemsKeepsHeadingAndResetsCurrentRow()
    {
        Grid g;
        fill(g, {"a", "b", "c"});
        g.setRow(0);
        g.setCol(2);
        g.setText(QStringLiteral("見出し"));
        g.setRow(2);
        QSignalSpy change(&g, &Grid::RowColChange);
        g.replaceItems({QStringList{"x", "1"}, QStringList{"y"}});
        QCOMPARE(g.rows(), 3);
        QCOMPARE(firstColumn(g), (QStringList{"x", "y"}));
        QCOMPARE(g.cellText(1, 1), QStringLiteral("1"));
        QCOMPARE(g.cellText(0, 2), QStringLiteral("見出し"));
        QCOMPARE(g.row(), 0);
        QCOMPARE(change.count(), 1);
        g.replaceItems({});   // already at row 0: nothing to report
        QCOMPARE(g.rows(), 1);
        QCOMPARE(change.count(), 1);
    }

    void rowColChangeFromCode()
    {
        Grid g;
        fill(g, {"a", "b", "c"});
        QSignalSpy change(&g, &Grid::RowColChange);
        g.setRow(2);
        QCOMPARE(change.count(), 1);
        g.setRow(2);
        QCOMPARE(change.count(), 1);
        g.setCol(3);
        QCOMPARE(change.count(), 2);
        QCOMPARE(g.view()->currentIndex().column(), 3);
        g.setRow(0);
        QCOMPARE(change.count(), 3);
        g.setCol(1);   // on the heading row too
        QCOMPARE(change.count(), 4);
        g.setRow(9);   // out of range: ignored
        QCOMPARE(g.row(), 0);
        QCOMPARE(change.count(), 4);
    }

    void removingRowsMovesCurrentRow()
    {
        Grid g;
        fill(g, {"a", "b", "c"});
        g.setRow(3);
        QSignalSpy change(&g, &Grid::RowColChange);
        g.removeItem(1);   // the current item moves up
        QCOMPARE(g.row(), 2);
        QCOMPARE(g.text(), QStringLiteral("c"));
        QCOMPARE(change.count(), 1);
        g.removeItem(2);   // the current item goes: its neighbour becomes current, once
        QCOMPARE(g.row(), 1);
        QCOMPARE(change.count(), 2);
        QVERIFY(g.view()->selectionModel()->isRowSelected(0, {}));
        g.removeItem(1);
        QCOMPARE(g.row(), 0);
        QCOMPARE(change.count(), 3);
        g.addItem(QStringLiteral("new"), 1);
        QCOMPARE(g.row(), 0);
        QCOMPARE(change.count(), 3);
    }

    void mouseMakesTheRowCurrentBeforeTheEvent()
    {
        Grid g;
        fill(g, {"a", "b", "c", "d"});
        g.resize(400, 300);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QList<QPoint> atClick;
        QList<QPoint> atDblClick;
        QList<QPoint> atChange;
        connect(&g, &Grid::Click, &g, [&] { atClick.append({g.row(), g.col()}); });
        connect(&g, &Grid::DblClick, &g, [&] { atDblClick.append({g.row(), g.col()}); });
        connect(&g, &Grid::RowColChange, &g, [&] { atChange.append({g.row(), g.col()}); });

        QWidget* viewport = g.view()->viewport();
        const QModelIndex cell = g.view()->model()->index(2, 1);   // row 3, column 1
        QTest::mouseClick(viewport, Qt::LeftButton, {}, g.view()->visualRect(cell).center());
        QCOMPARE(atClick, (QList<QPoint>{{3, 1}}));
        QCOMPARE(atChange, (QList<QPoint>{{3, 1}}));
        QCOMPARE(g.text(), QStringLiteral("b"));

        // A double click reaches the view as a click followed by the double click.
        const QPoint other = g.view()->visualRect(g.view()->model()->index(0, 2)).center();   // row 1, column 2
        QTest::mouseClick(viewport, Qt::LeftButton, {}, other);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, other);
        QCOMPARE(atDblClick, (QList<QPoint>{{1, 2}}));
        QCOMPARE(atChange.last(), QPoint(1, 2));
    }
};

PORUKA_TEST_MAIN(TestGrid)
#include "test_grid.moc"
