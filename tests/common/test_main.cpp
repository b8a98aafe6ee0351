#include "common/test_main.h"

#include <QApplication>
#include <QLocale>
#include <QStyleFactory>

int porukaTestMain(int argc, char** argv, QObject* testObject)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    qputenv("TZ", "Asia/Tokyo");
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(testObject, argc, argv);
}
