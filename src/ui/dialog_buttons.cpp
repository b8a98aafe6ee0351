#include "ui/dialog_buttons.h"

#include <QLayout>
#include <QWidget>

#include <algorithm>

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
    sizeToContents(dialog, preferred);
}

void sizeToContents(QWidget& window, QSize preferred)
{
    if (QLayout* layout = window.layout())
        layout->activate();
    QSize size = preferred.expandedTo(window.minimumSizeHint());
    if (window.hasHeightForWidth())
        size.setHeight(std::max(size.height(), window.heightForWidth(size.width())));
    window.resize(size);
}
