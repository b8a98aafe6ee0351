#pragma once
// Places a dialog centred over the main window, as every form of the program does.

class QWidget;

// left = main left + (main width - dialog width) / 2, top likewise; nothing when
// there is no main window.
void centreOver(QWidget& dialog, const QWidget* mainWindow);
