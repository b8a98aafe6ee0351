#include "ui/dialog_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

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
