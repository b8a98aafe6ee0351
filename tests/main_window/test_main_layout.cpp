#include "common/test_main.h"
#include "main_window/main_layout.h"

class TestMainLayout : public QObject {
    Q_OBJECT
private slots:
    void horizontal_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("right");   // Combo1 and its column
        QTest::addColumn<int>("second");   // Command13, cmd_syuryo
        QTest::addColumn<int>("clock");
        QTest::addColumn<int>("list");   // grids and memo width
        QTest::addColumn<int>("content");   // content column
        QTest::newRow("minimum") << 9450 << 6840 << 7980 << 8280 << 6735 << 3700;
        QTest::newRow("wider by 1000") << 10450 << 7840 << 8980 << 9280 << 7735 << 4700;
        QTest::newRow("wide screen") << 28800 << 26190 << 27330 << 27630 << 26085 << 23050;
    }
    void horizontal()
    {
        QFETCH(int, width);
        const ResizePlan plan = planResize(width, kMinWindowHeight, false);
        QVERIFY(!plan.pushWidth);
        QVERIFY(plan.horizontal);
        QFETCH(int, right);
        QFETCH(int, second);
        QFETCH(int, clock);
        QFETCH(int, list);
        QFETCH(int, content);
        QCOMPARE(plan.horizontal->rightColumnLeft, right);
        QCOMPARE(plan.horizontal->secondColumnLeft, second);
        QCOMPARE(plan.horizontal->clockLeft, clock);
        QCOMPARE(plan.horizontal->listWidth, list);
        QCOMPARE(plan.horizontal->contentColumnWidth, content);
    }

    void vertical_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("grid1Height");
        QTest::addColumn<int>("grid2Top");
        QTest::addColumn<int>("memoTop");
        QTest::addColumn<int>("buttonsTop");
        QTest::newRow("minimum") << 6975 << 2235 << 2340 << 4620 << 5820;
        QTest::newRow("taller by 1199: buttons stay") << 8174 << 3434 << 3539 << 5819 << 5820;
        QTest::newRow("taller by 1200: buttons follow the memo") << 8175 << 3435 << 3540 << 5820 << 5820;
        QTest::newRow("taller by 3000") << 9975 << 5235 << 5340 << 7620 << 7620;
    }
    void vertical()
    {
        QFETCH(int, height);
        const ResizePlan plan = planResize(kMinWindowWidth, height, false);
        QVERIFY(!plan.pushHeight);
        QVERIFY(plan.vertical);
        QFETCH(int, grid1Height);
        QFETCH(int, grid2Top);
        QFETCH(int, memoTop);
        QFETCH(int, buttonsTop);
        QCOMPARE(plan.vertical->grid1Height, grid1Height);
        QCOMPARE(plan.vertical->grid2Top, grid2Top);
        QCOMPARE(plan.vertical->memoTop, memoTop);
        QCOMPARE(plan.vertical->bottomButtonsTop, buttonsTop);
    }

    void tooSmallSpringsBack_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("pushWidth");
        QTest::addColumn<bool>("pushHeight");
        QTest::newRow("narrow") << 8000 << 7000 << true << false;
        QTest::newRow("low") << 9500 << 5000 << false << true;
        QTest::newRow("exactly 540 high") << 9500 << 540 << false << true;
        QTest::newRow("both") << 100 << 100 << true << true;
    }
    void tooSmallSpringsBack()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, pushWidth);
        QFETCH(bool, pushHeight);
        const ResizePlan plan = planResize(width, height, false);
        QCOMPARE(plan.pushWidth.has_value(), pushWidth);
        QCOMPARE(plan.pushHeight.has_value(), pushHeight);
        // The direction pushed back is not laid out now; the push brings a new resize.
        QCOMPARE(plan.horizontal.has_value(), !pushWidth);
        QCOMPARE(plan.vertical.has_value(), !pushHeight);
        if (pushWidth)
            QCOMPARE(*plan.pushWidth, kMinWindowWidth);
        if (pushHeight)
            QCOMPARE(*plan.pushHeight, kMinWindowHeight);
    }

    // At the minimum size the resize rule must leave every control where the
    // window puts it at start-up, or the first resize would make it jump.
    void minimumSizeGivesTheStartLayout()
    {
        using namespace start_layout;
        const ResizePlan plan = planResize(kMinWindowWidth, kMinWindowHeight, false);
        QVERIFY(plan.horizontal && plan.vertical);
        for (const Place& p : {kCombo, kFrame1, kFrame2, kCommand12, kCommand14, kCalendar})
            QCOMPARE(plan.horizontal->rightColumnLeft, p.left);
        for (const Place& p : {kCommand13, kQuit})
            QCOMPARE(plan.horizontal->secondColumnLeft, p.left);
        QCOMPARE(plan.horizontal->clockLeft, kClock.left);
        for (const Place& p : {kGrid1, kGrid2, kMemo})
            QCOMPARE(plan.horizontal->listWidth, p.width);
        QCOMPARE(plan.horizontal->contentColumnWidth, kColumnWidths[2]);
        QCOMPARE(plan.vertical->grid1Height, kGrid1.height);
        QCOMPARE(plan.vertical->grid2Top, kGrid2.top);
        QCOMPARE(plan.vertical->memoTop, kMemo.top);
        QCOMPARE(plan.vertical->bottomButtonsTop, kCommand14.top);
        QCOMPARE(plan.vertical->bottomButtonsTop, kQuit.top);
    }

    void minimizedDoesNothing()
    {
        const ResizePlan plan = planResize(100, 100, true);
        QVERIFY(!plan.pushWidth && !plan.pushHeight && !plan.horizontal && !plan.vertical);
    }
};

PORUKA_TEST_MAIN(TestMainLayout)
#include "test_main_layout.moc"
