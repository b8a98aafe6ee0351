#include "ui/screen_fit.h"

#include <algorithm>
#include <cmath>

namespace {

qint64 overlap(const QRect& a, const QRect& b)
{
    const QRect i = a.intersected(b);
    return i.isEmpty() ? 0 : qint64(i.width()) * i.height();
}

double distance(const QPoint& a, const QPoint& b) { return std::hypot(double(a.x() - b.x()), double(a.y() - b.y())); }

}   // namespace

QRect fitOnScreens(const QRect& wanted, const QList<QRect>& screens, const QSize& minimum)
{
    if (screens.isEmpty() || wanted.isEmpty())
        return wanted;
    const QRect* best = &screens.front();
    for (const QRect& s : screens) {
        const qint64 o = overlap(wanted, s), bestOverlap = overlap(wanted, *best);
        if (o > bestOverlap ||
            (o == bestOverlap && o == 0 &&
             distance(s.center(), wanted.center()) < distance(best->center(), wanted.center())))
            best = &s;
    }
    const QSize size = wanted.size().boundedTo(best->size()).expandedTo(minimum.boundedTo(best->size()));
    QRect placed(wanted.topLeft(), size);
    placed.moveLeft(std::clamp(placed.left(), best->left(), best->right() - size.width() + 1));
    placed.moveTop(std::clamp(placed.top(), best->top(), best->bottom() - size.height() + 1));
    return placed;
}
