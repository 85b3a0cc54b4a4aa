#pragma once

#include <vector>

// The ticks of a plot axis: round steps (1, 2, 2.5 or 5 times a power of ten), the
// range widened to whole steps so that the axis starts and ends on a tick.
struct AxisTicks
{
    double low = 0;
    double high = 1;
    double step = 1;
    int decimals = 0; // enough to tell neighbouring ticks apart
    std::vector<double> values;

    // For `low` to `high` with at most about `maxCount` steps.
    static AxisTicks nice(double low, double high, int maxCount = 8);
    // Ticks of another unit (`factor` of them per unit of the axis) over the same range.
    static AxisTicks scaled(const AxisTicks &axis, double factor, int maxCount = 8);
};
