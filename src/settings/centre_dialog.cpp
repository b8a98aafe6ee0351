#include "settings/centre_dialog.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

void centreOver(QWidget& dialog, const QWidget* mainWindow)
{
    if (!mainWindow)
        return;
    const QRect main = mainWindow->frameGeometry();
    const QSize size = dialog.frameGeometry().size();
    dialog.move(main.left() + (main.width() - size.width()) / 2, main.top() + (main.height() - size.height()) / 2);
}

void finishWithButtons(QDialog& dialog, QVBoxLayout& column, QPushButton& ok, QPushButton& cancel, QSize preferred)
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(&ok);
    buttons->addWidget(&cancel);
    column.addLayout(buttons);
    column.activate();
    dialog.resize(preferred.expandedTo(dialog.minimumSizeHint()));
}
