#include "curve/labelplacement.h"

#include <QLineF>

#include <algorithm>

namespace LabelPlacement {

namespace {

// The places tried around an anchor, nearest first: the four corners at the gap, then
// the same one and two text heights further up or down.
std::vector<QRectF> candidates(const Label &label, double gap)
{
    std::vector<QRectF> out;
    const double w = label.size.width();
    const double h = label.size.height();
    const QPointF a = label.anchor;
    for (int ring = 0; ring < 3; ++ring) {
        const double dy = gap + ring * h;
        out.emplace_back(a.x() + gap, a.y() - dy - h, w, h); // right above
        out.emplace_back(a.x() - gap - w, a.y() - dy - h, w, h); // left above
        out.emplace_back(a.x() + gap, a.y() + dy, w, h); // right below
        out.emplace_back(a.x() - gap - w, a.y() + dy, w, h); // left below
    }
    return out;
}

bool clear(const QRectF &place, const std::vector<QRectF> &taken)
{
    return std::none_of(taken.begin(), taken.end(),
        [&place](const QRectF &other) { return !other.isEmpty() && place.intersects(other); });
}

// True where a line of the polygon runs through the rectangle.
bool crosses(const QRectF &place, const Line &line)
{
    const QLineF edges[]
        = {{place.topLeft(), place.topRight()}, {place.topRight(), place.bottomRight()},
            {place.bottomRight(), place.bottomLeft()}, {place.bottomLeft(), place.topLeft()}};
    for (size_t i = 0; i < line.size(); ++i) {
        if (place.contains(line[i]))
            return true;
        if (i == 0)
            continue;
        const QLineF segment(line[i - 1], line[i]);
        for (const QLineF &edge : edges) {
            if (segment.intersects(edge) == QLineF::BoundedIntersection)
                return true;
        }
    }
    return false;
}

} // namespace

std::vector<QRectF> place(const std::vector<Label> &labels, const QRectF &frame,
    const std::vector<QRectF> &obstacles, double gap, const std::vector<Line> &lines)
{
    std::vector<QRectF> taken = obstacles;
    std::vector<QRectF> out;
    out.reserve(labels.size());
    for (const Label &label : labels) {
        const std::vector<QRectF> places = candidates(label, gap);
        const auto fits
            = [&](const QRectF &place) { return frame.contains(place) && clear(place, taken); };
        const auto offLines = [&](const QRectF &place) {
            return std::none_of(lines.begin(), lines.end(),
                [&place](const Line &line) { return crosses(place, line); });
        };
        QRectF chosen;
        auto found = std::find_if(places.begin(), places.end(),
            [&](const QRectF &place) { return fits(place) && offLines(place); });
        if (found == places.end())
            found = std::find_if(places.begin(), places.end(), fits);
        if (found != places.end())
            chosen = *found;
        out.push_back(chosen);
        taken.push_back(chosen);
    }
    return out;
}

} // namespace LabelPlacement
