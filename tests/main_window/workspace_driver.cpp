// A second copy of the program for the tests of two copies on one data
// folder: a workspace in its own process, started on the program folder given
// on the command line and driven line by line on stdin with the commands of
// copy_commands.h. Each line is answered "ok" or "error <what>".
#include "common/fake_ui.h"

#include "copy_commands.h"
#include "ui/time_source.h"

#include <QApplication>
#include <QTextStream>


int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    FakeUi ui;
    FixedTimeSource time(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    Workspace ws(QString::fromLocal8Bit(argv[1]), ui, time);
    if (ws.start() != Workspace::Start::Run)
        return 3;
    QTextStream in(stdin);
    QTextStream out(stdout);
    for (QString line; in.readLineInto(&line);) {
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString error = runCopyCommand(ws, words, time);
        out << (error.isEmpty() ? QStringLiteral("ok") : QStringLiteral("error ") + error) << Qt::endl;
        if (words.value(0) == "quit")
            break;
    }
    return 0;
}
