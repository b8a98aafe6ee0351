#include "common/test_main.h"

#include <QCoreApplication>
#include <QLocale>

// The main of the tests that need Qt Core alone (the store's and the core's):
// they link no widget and no GUI library.
int porukaTestMain(int argc, char** argv, QObject* testObject)
{
    qputenv("TZ", "Asia/Tokyo");
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QCoreApplication app(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(testObject, argc, argv);
}
