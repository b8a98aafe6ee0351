// A second copy of the program for the tests of two copies on one data
// folder and of crashes: a presenter in its own process, started on the
// program folder given on the command line and driven line by line on stdin
// with the commands of copy_commands.h. Each line is answered "ok" or
// "error <what>". Two more commands for the crash tests:
//   stop-at <n>    at the n-th durable file call from now on, say "stopped"
//                  and wait to be killed
//   unseen-locks   from now on file locks are not taken, as on a mount where
//                  the other copy's locks do not reach
// and a second argument <n> does the same as stop-at from the start on (a
// conversion of old data, say). A third, "--data=<folder>", writes a new
// poruka.ini naming that data folder when the program folder has none (the
// soak script's copies).
#include "common/fake_ui.h"

#include "copy_commands.h"
#include "store/file_calls.h"
#include "ui/time_source.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace {

void stopAt(int n)
{
    if (n <= 0)
        return;
    setFileCallHook([n, durable = 0](FileCall call, const QByteArray&) mutable {
        if (isDurable(call) && ++durable == n) {
            std::fputs("stopped\n", stdout);
            std::fflush(stdout);
            for (;;)
                ::pause();
        }
        return CallAnswer::Make;
    });
}

}   // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    if (argc > 2)
        stopAt(QByteArray(argv[2]).toInt());
    const QString programDir = QString::fromLocal8Bit(argv[1]);
    if (argc > 3 && QByteArray(argv[3]).startsWith("--data=") && !QFile::exists(programDir + "/poruka.ini") &&
        !writeSettings(programDir + "/poruka.ini",
                       newSettings(QStringLiteral("soak"), withTrailingSeparator(QString::fromLocal8Bit(argv[3] + 7)),
                                   {0, 0, 0, 6000, 9000}))
             .ok())
        return 4;
    FakeUi ui;
    FakeForms forms;
    // A copy that finds old data converts them.
    forms.conversions.enqueue(true);
    FixedTimeSource time(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    Presenter presenter(programDir, ui, forms, time);
    if (presenter.start() != Presenter::Start::Run)
        return 3;
    QTextStream in(stdin);
    QTextStream out(stdout);
    for (QString line; in.readLineInto(&line);) {
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.value(0) == "stop-at") {
            stopAt(words.value(1).toInt());
            out << "ok" << Qt::endl;
            continue;
        }
        if (words.value(0) == "unseen-locks") {
            setFileCallHook([](FileCall call, const QByteArray&) {
                return call == FileCall::Lock ? CallAnswer::Skip : CallAnswer::Make;
            });
            out << "ok" << Qt::endl;
            continue;
        }
        const QString error = runCopyCommand({presenter, forms, time}, words);
        out << (error.isEmpty() ? QStringLiteral("ok") : QStringLiteral("error ") + error) << Qt::endl;
        if (words.value(0) == "quit")
            break;
    }
    return 0;
}
