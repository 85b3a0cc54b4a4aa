#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window opens beside another one: right of it, else left of it, below or
// above it, the first of these where the window fits on the screen. Where it fits
// nowhere, the place on the screen that covers the least of `keepClear` (what must
// stay in view of the other window, in screen coordinates).
namespace WindowPlacement {

QPoint beside(const QRect &other, const QSize &size, const QRect &screen, const QRect &keepClear);

} // namespace WindowPlacement
