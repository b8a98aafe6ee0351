#include "common/test_main.h"

#include "ui/grid.h"
#include "ui/twips.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <algorithm>
#include <functional>

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

// Every cell of every row, heading included.
QList<QStringList> allCells(const Grid& g)
{
    QList<QStringList> out;
    for (int r = 0; r < g.rows(); ++r) {
        QStringList row;
        for (int c = 0; c < g.cols(); ++c)
            row.append(g.cellText(r, c));
        out.append(row);
    }
    return out;
}

// The row of an item named `name`: a different text in each column.
QStringList cellsOf(const QString& name)
{
    return {name, name + QLatin1Char('1'), name + QLatin1Char('2'), name + QLatin1Char('3')};
}

// A caller's list behind a lazy refill, counting what the grid asks for.
struct Source {
    QStringList items;   // item i is items[i - 1]
    QList<int> asked;
    std::function<QStringList(int)> provider()
    {
        return [this](int i) {
            asked.append(i);
            return cellsOf(items.value(i - 1));
        };
    }
};

// One step of a script run on a grid. The lazy grid's caller keeps its list in
// step with the rows, as the contract asks; `source` is null for the eager grid.
void runStep(Grid& g, Source* source, const QString& step)
{
    const QStringList w = step.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString op = w.value(0);
    if (op == "read") {
        g.cellText(w[1].toInt(), 1);
    } else if (op == "add") {
        const int at = std::clamp(w[1].toInt(), 1, g.rows()) - 1;
        g.addItem(cellsOf(w[2]).join(QLatin1Char('\t')), w[1].toInt());
        if (source)
            source->items.insert(at, w[2]);
    } else if (op == "remove") {
        const int r = w[1].toInt();
        const bool inRange = r >= 1 && r < g.rows();
        g.removeItem(r);
        if (source && inRange)
            source->items.removeAt(r - 1);
    } else if (op == "set") {
        g.setRow(w[1].toInt());
        g.setCol(w[2].toInt());
        g.setText(w[3]);
    } else if (op == "rows") {
        g.setRows(w[1].toInt());
        if (source && source->items.size() > g.rows() - 1)
            source->items.resize(g.rows() - 1);
    } else if (op == "replace") {
        std::vector<QStringList> rows;
        for (const QString& name : w[1].split(QLatin1Char(',')))
            rows.push_back(cellsOf(name));
        g.replaceItems(std::move(rows));
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }
}

}   // namespace

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

    void replaceItemsKeepsHeadingAndResetsCurrentRow_data()
    {
        QTest::addColumn<bool>("lazy");
        QTest::newRow("rows given") << false;
        QTest::newRow("rows from a provider") << true;
    }
    void replaceItemsKeepsHeadingAndResetsCurrentRow()
    {
        QFETCH(bool, lazy);
        Grid g;
        fill(g, {"a", "b", "c"});
        g.setColumnWidth(2, 3700);
        g.setRow(0);
        g.setCol(2);
        g.setText(QStringLiteral("見出し"));
        g.setRow(2);
        QSignalSpy change(&g, &Grid::RowColChange);
        const std::vector<QStringList> rows{QStringList{"x", "1"}, QStringList{"y"}};
        const auto refill = [&](const std::vector<QStringList>& r) {
            if (lazy)
                g.showItems(int(r.size()), [r](int i) { return r[std::size_t(i - 1)]; });
            else
                g.replaceItems(r);
        };
        refill(rows);
        QCOMPARE(g.rows(), 3);
        QCOMPARE(firstColumn(g), (QStringList{"x", "y"}));
        QCOMPARE(g.cellText(1, 1), QStringLiteral("1"));
        QCOMPARE(g.cellText(2, 1), QString());   // missing cell
        QCOMPARE(g.cellText(0, 2), QStringLiteral("見出し"));
        QCOMPARE(g.view()->columnWidth(2), twipsToPixels(3700));
        QCOMPARE(g.row(), 0);
        QCOMPARE(change.count(), 1);
        g.setRow(2);
        QCOMPARE(g.cellText(g.row(), 0), QStringLiteral("y"));
        QCOMPARE(change.count(), 2);
        refill({});
        QCOMPARE(g.rows(), 1);
        QCOMPARE(g.row(), 0);
        QCOMPARE(change.count(), 3);
        refill({});   // already at row 0: nothing to report
        QCOMPARE(change.count(), 3);
    }

    // A lazy grid and an eager one over the same five items take the same
    // steps and must end showing the same cells; meanwhile the lazy one asks
    // its provider only for the rows read, once each.
    void lazyRowsFollowEveryEdit_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("calls");
        QTest::newRow("nothing read") << "" << 0;
        QTest::newRow("a row read twice is built once") << "read 3; read 3" << 1;
        QTest::newRow("remove moves unbuilt rows up") << "remove 2; read 2" << 1;
        QTest::newRow("remove a built row") << "read 2; remove 2; read 2; read 1" << 3;
        QTest::newRow("add in the middle") << "add 2 x; read 2; read 3" << 1;
        QTest::newRow("add past the end") << "add 9 x; read 6" << 0;
        QTest::newRow("setText on an unbuilt row") << "set 4 2 z" << 1;
        QTest::newRow("setText, then rows move over it") << "set 4 2 z; remove 1; add 1 x; read 4" << 1;
        QTest::newRow("setRows cuts and pads") << "rows 3; rows 6; read 2; read 4" << 1;
        QTest::newRow("eager refill drops the provider") << "read 1; replace x,y; read 1; read 2" << 1;
        QTest::newRow("mixed") << "add 1 x; remove 3; set 3 1 q; add 4 y; remove 1; read 5" << 2;
    }
    void lazyRowsFollowEveryEdit()
    {
        QFETCH(QString, script);
        QFETCH(int, calls);
        const QStringList names{"a", "b", "c", "d", "e"};
        Grid eager;
        eager.setCols(4);
        std::vector<QStringList> rows;
        for (const QString& n : names)
            rows.push_back(cellsOf(n));
        eager.replaceItems(rows);
        Source source{names, {}};
        Grid lazy;
        lazy.setCols(4);
        lazy.showItems(int(names.size()), source.provider());
        QCOMPARE(lazy.rows(), 6);
        QVERIFY(source.asked.isEmpty());

        for (const QString& step : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            runStep(eager, nullptr, step);
            runStep(lazy, &source, step);
            QCOMPARE(lazy.row(), eager.row());
        }
        QCOMPARE(source.asked.size(), calls);
        QCOMPARE(allCells(lazy), allCells(eager));
        // Everything is built now; reading again asks nothing.
        const qsizetype built = source.asked.size();
        QCOMPARE(allCells(lazy), allCells(eager));
        QCOMPARE(source.asked.size(), built);
    }

    // Every edit, eager or lazy, keeps the model to the rules views rely on
    // (row counts, signals around inserts, removals and resets, valid indexes).
    void modelKeepsTheItemModelRules_data() { lazyRowsFollowEveryEdit_data(); }
    void modelKeepsTheItemModelRules()
    {
        QFETCH(QString, script);
        const QStringList names{"a", "b", "c", "d", "e"};
        Grid eager;
        eager.setCols(4);
        QAbstractItemModelTester eagerTester(eager.view()->model(),
                                             QAbstractItemModelTester::FailureReportingMode::QtTest);
        std::vector<QStringList> rows;
        for (const QString& n : names)
            rows.push_back(cellsOf(n));
        eager.replaceItems(rows);
        Source source{names, {}};
        Grid lazy;
        lazy.setCols(4);
        QAbstractItemModelTester lazyTester(lazy.view()->model(),
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
        lazy.showItems(int(names.size()), source.provider());
        for (const QString& step : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            runStep(eager, nullptr, step);
            runStep(lazy, &source, step);
        }
        QCOMPARE(allCells(lazy), allCells(eager));
    }

    // A full list shown at a small height: only the rows drawn are built.
    void lazyRefillBuildsOnlyRowsInSight()
    {
        constexpr int kCount = 30000;
        Source source;
        Grid g;
        g.setCols(4);
        g.resize(300, 120);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.showItems(kCount, [&](int i) {
            source.asked.append(i);
            return cellsOf(QString::number(i));
        });
        QCOMPARE(g.rows(), kCount + 1);
        QTRY_VERIFY(source.asked.contains(1));
        QCoreApplication::processEvents();
        QVERIFY2(source.asked.size() < 40, qPrintable(QString::number(source.asked.size())));
        QVERIFY(std::all_of(source.asked.begin(), source.asked.end(), [](int i) { return i >= 1 && i < 40; }));

        g.view()->scrollToBottom();
        QTRY_VERIFY(source.asked.contains(kCount));
        QCoreApplication::processEvents();
        QVERIFY2(source.asked.size() < 80, qPrintable(QString::number(source.asked.size())));
        QVERIFY(std::all_of(source.asked.begin(), source.asked.end(),
                            [](int i) { return (i >= 1 && i < 40) || (i > kCount - 40 && i <= kCount); }));

        // A row far from sight, read by the program, comes from the provider too.
        const qsizetype before = source.asked.size();
        QCOMPARE(g.cellText(15000, 2), QStringLiteral("150002"));
        QCOMPARE(source.asked.size(), before + 1);
        QCOMPARE(source.asked.last(), 15000);

        // Clicking a row works as on any grid.
        QSignalSpy click(&g, &Grid::Click);
        const QModelIndex last = g.view()->model()->index(kCount - 1, 2);
        QTest::mouseClick(g.view()->viewport(), Qt::LeftButton, {}, g.view()->visualRect(last).center());
        QCOMPARE(click.count(), 1);
        QCOMPARE(g.row(), kCount);
        QCOMPARE(g.text(), QStringLiteral("300002"));
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
        QCOMPARE(g.clickedRow(), 1);
    }

    // A click anywhere in the grid is a click in it: below the last row, and
    // on the heading. The current row stays; clickedRow says no item was hit.
    void clicksOutsideTheItems()
    {
        Grid g;
        fill(g, {"a", "b", "c"});
        g.resize(400, 300);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.setRow(2);
        QSignalSpy click(&g, &Grid::Click);
        QSignalSpy dblClick(&g, &Grid::DblClick);
        QSignalSpy change(&g, &Grid::RowColChange);

        const QPoint below(20, g.view()->viewport()->height() - 5);
        QVERIFY(!g.view()->indexAt(below).isValid());
        QTest::mouseClick(g.view()->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(click.count(), 1);
        QCOMPARE(g.row(), 2);
        QCOMPARE(g.clickedRow(), 0);

        QWidget* heading = g.view()->horizontalHeader()->viewport();
        QTest::mouseClick(heading, Qt::LeftButton, {}, QPoint(20, heading->height() / 2));
        QTest::mouseDClick(heading, Qt::LeftButton, {}, QPoint(20, heading->height() / 2));
        QCOMPARE(click.count(), 2);
        QCOMPARE(dblClick.count(), 1);
        QCOMPARE(g.row(), 2);
        QCOMPARE(g.clickedRow(), 0);
        QCOMPARE(change.count(), 0);
    }
};

PORUKA_TEST_MAIN(TestGrid)
#include "test_grid.moc"
