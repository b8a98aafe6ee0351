#include "main_window/f_alarm.h"

#include "ui/centre.h"
#include "ui/ui.h"

F_Alarm::F_Alarm(const AlarmNotice& notice, Ui& ui, QWidget* parent)
    : ItemDialog({.objectName = "F_Alarm",
                  .title = kAlarmTitle,
                  .sentence = notice.late
                      ? QStringLiteral("%1 のお知らせが遅れました。お時間を過ぎています。").arg(notice.time)
                      : QStringLiteral("間もなくお時間でございます。"),
                  .todo = std::nullopt,
                  .captions = std::array<QString, 4>{QStringLiteral("名前"), QStringLiteral("日付"),
                                                     QStringLiteral("時刻"), QStringLiteral("内容")},
                  .person = true,
                  .accept = QStringLiteral("わかった"),
                  .reject = QString(),
                  .rejectIsDefault = false,
                  .width = 420},
                 {notice.date, notice.time, notice.content, notice.person}, parent)
{
    // Above every other window, so that it is seen whatever the user is doing.
    setWindowFlag(Qt::WindowStaysOnTopHint);
    // The notice may come while the main window is minimised: the screen's
    // middle, not the window's.
    centreOver(*this, nullptr);
    ui.beep();
}

void F_Alarm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    raise();
    activateWindow();
}
