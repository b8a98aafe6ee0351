#include "ui/ui.h"

#include "ui/memo_editor.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QUrl>

namespace {

QMessageBox::StandardButtons standardButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case MsgButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The first button is the default, as users of this program expect Enter to
// confirm; Escape maps to the negative answer.
QMessageBox::StandardButton defaultButton(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::YesNo:
        return QMessageBox::Yes;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry;
    default:
        return QMessageBox::Ok;
    }
}

MsgAnswer answerFor(int clicked, MsgButtons buttons)
{
    switch (clicked) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    default:
        break;
    }
    // Closed without a button (e.g. the window was closed): the safe answer.
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    default:
        return MsgAnswer::Cancel;
    }
}

qint64 monotonicMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

}   // namespace

MsgAnswer QtUi::message(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    QMessageBox box(boxIcon(icon), title, text, standardButtons(buttons), parent);
    box.setDefaultButton(defaultButton(buttons));
    // Wide enough for its title beside the title bar's buttons: a short text
    // would otherwise leave the title cut.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(box.fontMetrics().horizontalAdvance(title) + 120, 0, QSizePolicy::Minimum,
                                      QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    const int clicked = box.exec();
    return answerFor(clicked, buttons);
}

void QtUi::beep() { QApplication::beep(); }

bool QtUi::openWithShell(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

bool QtUi::editMemo(const QString& path)
{
    const std::optional<EditorCommand> command =
        memoEditorCommand(path, qEnvironmentVariable(kMemoEditorVariable),
                          [](const QString& program) { return QStandardPaths::findExecutable(program); });
    if (!command)
        return openWithShell(path);
    return QProcess::startDetached(command->program, command->arguments);
}

int QtUi::runModal(QDialog& dialog) { return dialog.exec(); }

void QtUi::notify(QWidget* window, const QString& title, const QString& text)
{
    if (window)
        QApplication::alert(window);
    if (!QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages())
        return;
    if (!tray_) {
        tray_ = new QSystemTrayIcon(QApplication::windowIcon(), qApp);
        tray_->setToolTip(kAppTitle);
    }
    tray_->show();
    tray_->showMessage(title, text, QSystemTrayIcon::Information, 60000);
}

void QtUi::yieldToEvents()
{
    // Called from long loops; processing events every call would dominate them.
    constexpr qint64 kMinIntervalMs = 16;
    const qint64 now = monotonicMs();
    if (lastYieldMs_ >= 0 && now - lastYieldMs_ < kMinIntervalMs)
        return;
    lastYieldMs_ = now;
    QCoreApplication::processEvents();
}

BusyPointer::BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }

BusyPointer::~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
