// A remembered window put wholly on the screens there are now.
#include "common/test_main.h"

#include "ui/screen_fit.h"

class TestScreenFit : public QObject {
    Q_OBJECT
private slots:
    void fit_data()
    {
        QTest::addColumn<QRect>("wanted");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QRect>("placed");
        const QRect laptop(0, 0, 1280, 900);
        const QList<QRect> one{laptop};
        const QList<QRect> two{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
        QTest::newRow("fits: unchanged") << QRect(100, 100, 800, 600) << one << QSize() << QRect(100, 100, 800, 600);
        QTest::newRow("far off") << QRect(5000, 3000, 800, 600) << one << QSize() << QRect(480, 300, 800, 600);
        QTest::newRow("larger than the screen") << QRect(-50, -20, 2000, 1500) << one << QSize() << laptop;
        QTest::newRow("half below the bottom")
            << QRect(100, 800, 800, 600) << one << QSize() << QRect(100, 300, 800, 600);
        QTest::newRow("on a screen that is gone") << QRect(2000, 100, 800, 600) << QList<QRect>{QRect(0, 0, 1920, 1080)}
                                                  << QSize() << QRect(1120, 100, 800, 600);
        QTest::newRow("mostly on the second screen")
            << QRect(1800, 100, 800, 600) << two << QSize() << QRect(1920, 100, 800, 600);
        QTest::newRow("a screen with a panel on top")
            << QRect(0, 0, 800, 600) << QList<QRect>{QRect(0, 32, 1280, 868)} << QSize() << QRect(0, 32, 800, 600);
        QTest::newRow("minimum kept") << QRect(10, 10, 100, 100) << one << QSize(630, 465) << QRect(10, 10, 630, 465);
        QTest::newRow("minimum larger than the screen")
            << QRect(0, 0, 100, 100) << QList<QRect>{QRect(0, 0, 640, 360)} << QSize(630, 465) << QRect(0, 0, 630, 360);
    }
    void fit()
    {
        QFETCH(QRect, wanted);
        QFETCH(QList<QRect>, screens);
        QFETCH(QSize, minimum);
        QFETCH(QRect, placed);
        QCOMPARE(fitOnScreens(wanted, screens, minimum), placed);
    }
};

PORUKA_TEST_MAIN(TestScreenFit)
#include "test_screen_fit.moc"
