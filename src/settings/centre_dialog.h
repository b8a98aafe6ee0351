#pragma once
// Places a dialog centred over the main window, as every form of the program
// does, and closes the settings dialogs' layouts the same way.

#include <QSize>

class QDialog;
class QPushButton;
class QVBoxLayout;
class QWidget;

// left = main left + (main width - dialog width) / 2, top likewise; nothing when
// there is no main window.
void centreOver(QWidget& dialog, const QWidget* mainWindow);

// Ends the dialog's column with `ok` and `cancel` side by side at the right,
// then gives the dialog `preferred` size or what its contents need, whichever
// is larger.
void finishWithButtons(QDialog& dialog, QVBoxLayout& column, QPushButton& ok, QPushButton& cancel, QSize preferred);
