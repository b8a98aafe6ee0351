#pragma once
// Window geometry is kept in twips: 1440 to the logical inch, 15 to a
// device-independent pixel at 96 DPI.

#include <QRect>

constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

inline QRect twipsToPixels(const QRect& r)
{
    return {twipsToPixels(r.x()), twipsToPixels(r.y()), twipsToPixels(r.width()), twipsToPixels(r.height())};
}
