#include "app/program_folders.h"
#include "app/single_instance.h"
#include "main_window/main_form.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("poruka"));
    // Ties the window to its desktop entry (the dock's icon and name).
    QGuiApplication::setDesktopFileName(QStringLiteral("poruka"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/poruka.png")));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));

    const ProgramFolders folders =
        programFolders(QCoreApplication::applicationDirPath(), qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath());
    if (folders.installed)
        QDir().mkpath(folders.programDir);
    // Started again on the same program folder: the running window comes forward.
    SingleInstance instance(folders.programDir);
    if (!instance.isFirst())
        return 0;

    SystemTimeSource time;
    QtUi ui;
    Main_Form form(folders.programDir, ui, time);
    form.setHelpDocument(folders.helpDocument);
    QObject::connect(&instance, &SingleInstance::activationRequested, &form, &Main_Form::bringToFront);
    // Start-up may end the program before the window is ever shown.
    if (!form.Form_Load())
        return 0;
    form.show();
    return app.exec();
}
