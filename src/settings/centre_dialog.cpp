#include "settings/centre_dialog.h"

#include <QWidget>

void centreOver(QWidget& dialog, const QWidget* mainWindow)
{
    if (!mainWindow)
        return;
    const QRect main = mainWindow->frameGeometry();
    const QSize size = dialog.frameGeometry().size();
    dialog.move(main.left() + (main.width() - size.width()) / 2, main.top() + (main.height() - size.height()) / 2);
}
