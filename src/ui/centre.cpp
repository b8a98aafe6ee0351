#include "ui/centre.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreOver(QWidget& widget, const QWidget* mainWindow)
{
    const QSize size = widget.frameGeometry().size();
    QRect area;
    // A minimised main window has no place worth centring on.
    if (mainWindow && !mainWindow->isMinimized()) {
        area = mainWindow->frameGeometry();
    } else {
        const QScreen* screen = mainWindow && mainWindow->screen() ? mainWindow->screen() : widget.screen();
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (!screen)
            return;
        area = screen->availableGeometry();
    }
    widget.move(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2);
}
