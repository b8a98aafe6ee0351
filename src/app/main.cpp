#include "main_window/main_form.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("poruka"));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));

    SystemTimeSource time;
    QtUi ui;
    Main_Form form(QCoreApplication::applicationDirPath(), ui, time);
    // Start-up may end the program before the window is ever shown.
    if (!form.Form_Load())
        return 0;
    form.show();
    return app.exec();
}
