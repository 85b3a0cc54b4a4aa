#include "widgets/windowplacement.h"

#include <algorithm>
#include <array>

namespace WindowPlacement {

namespace {

// The rectangle moved into the screen as far as it fits.
QRect clamped(QRect place, const QRect &screen)
{
    place.moveLeft(
        std::max(screen.left(), std::min(place.left(), screen.right() - place.width() + 1)));
    place.moveTop(
        std::max(screen.top(), std::min(place.top(), screen.bottom() - place.height() + 1)));
    return place;
}

qint64 covered(const QRect &place, const QRect &keepClear)
{
    const QRect common = place.intersected(keepClear);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

} // namespace

QPoint beside(const QRect &other, const QSize &size, const QRect &screen, const QRect &keepClear)
{
    constexpr int Gap = 8;
    const std::array<QRect, 4> places = {
        QRect(QPoint(other.right() + Gap, other.top()), size),
        QRect(QPoint(other.left() - Gap - size.width(), other.top()), size),
        QRect(QPoint(other.left(), other.bottom() + Gap), size),
        QRect(QPoint(other.left(), other.top() - Gap - size.height()), size),
    };
    for (const QRect &place : places) {
        if (screen.contains(place))
            return place.topLeft();
    }
    // The same places moved onto the screen, and its corners.
    const std::array<QRect, 8> fallbacks = {places[0], places[1], places[2], places[3],
        QRect(screen.topRight() - QPoint(size.width() - 1, 0), size),
        QRect(screen.bottomRight() - QPoint(size.width() - 1, size.height() - 1), size),
        QRect(screen.bottomLeft() - QPoint(0, size.height() - 1), size),
        QRect(screen.topLeft(), size)};
    QRect best = clamped(fallbacks[0], screen);
    for (const QRect &place : fallbacks) {
        const QRect onScreen = clamped(place, screen);
        if (covered(onScreen, keepClear) < covered(best, keepClear))
            best = onScreen;
    }
    return best.topLeft();
}

} // namespace WindowPlacement
