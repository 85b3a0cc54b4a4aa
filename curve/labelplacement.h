#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <vector>

// Where the texts beside a plot's markers go: each at the first of the usual places
// around its marker (right above, left above, right below, left below, and the same
// further out) that lies inside the frame and clear of every marker and of the texts
// placed before it, and where there is such a place, clear of the curves' lines too. A
// text that fits nowhere is left out rather than drawn over another.
namespace LabelPlacement {

// A curve as drawn: its points joined by straight lines.
using Line = std::vector<QPointF>;

struct Label
{
    QPointF anchor; // the marker the text belongs to
    QSizeF size; // of the text
};

// The rectangles in the order of `labels`; an empty one for a text left out.
// `obstacles` are the markers' own rectangles; `gap` the distance kept to the anchor;
// `lines` the curves as drawn.
std::vector<QRectF> place(const std::vector<Label> &labels, const QRectF &frame,
    const std::vector<QRectF> &obstacles, double gap, const std::vector<Line> &lines = {});

} // namespace LabelPlacement
