#pragma once
// Where a window remembered from another session goes on the screens there
// are now: wholly on one of them, so that it can always be reached.

#include <QList>
#include <QRect>

// `wanted` moved and shrunk onto the screen (an available geometry) it
// overlaps most, or the nearest one when it overlaps none; `minimum` is kept
// where the screen has room for it. Nothing changes for a window that fits.
QRect fitOnScreens(const QRect& wanted, const QList<QRect>& screens, const QSize& minimum = {});
