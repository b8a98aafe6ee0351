#pragma once
// Where forms appear: a dialog centred over the main window (left = main left +
// (main width - dialog width) / 2, top likewise), or, without one, in the middle
// of the screen.

class QWidget;

void centreOver(QWidget& widget, const QWidget* mainWindow);
