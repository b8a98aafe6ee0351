#pragma once
// The foot of the settings dialogs: the confirming and the cancelling button
// side by side at the right.

#include <QSize>

class QDialog;
class QPushButton;
class QVBoxLayout;
class QWidget;

// Ends the dialog's column with `ok` and `cancel`, then gives the dialog
// `preferred` size or what its contents need, whichever is larger.
void finishWithButtons(QDialog& dialog, QVBoxLayout& column, QPushButton& ok, QPushButton& cancel, QSize preferred);

// Gives a laid-out window `preferred` size or what its contents need at that
// width (wrapped labels grow taller when narrower), whichever is larger.
void sizeToContents(QWidget& window, QSize preferred);
