#include "curve/plotscale.h"

#include <algorithm>
#include <cmath>

namespace {

struct Step
{
    double step;
    int decimals;
};

Step roundStep(double span, int maxCount)
{
    const double raw = span / std::max(maxCount, 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / magnitude;
    double mantissa = 10;
    for (double m : {1.0, 2.0, 2.5, 5.0}) {
        if (fraction <= m * (1 + 1e-12)) {
            mantissa = m;
            break;
        }
    }
    const double step = mantissa * magnitude;
    // 2.5 steps need one decimal more than the power of ten shows.
    int decimals = -int(std::floor(std::log10(step) + 1e-9));
    if (mantissa == 2.5)
        ++decimals;
    return {step, std::max(decimals, 0)};
}

} // namespace

AxisTicks AxisTicks::nice(double low, double high, int maxCount)
{
    AxisTicks axis;
    if (!std::isfinite(low) || !std::isfinite(high))
        return axis;
    if (high < low)
        std::swap(low, high);
    if (high - low <= std::abs(high) * 1e-12) {
        // A flat range still needs an axis: one unit around it, or the value's own size.
        const double pad = high == 0 ? 1 : std::abs(high) * 0.1;
        low -= pad;
        high += pad;
    }
    const Step s = roundStep(high - low, maxCount);
    axis.step = s.step;
    axis.decimals = s.decimals;
    axis.low = std::floor(low / s.step + 1e-9) * s.step;
    axis.high = std::ceil(high / s.step - 1e-9) * s.step;
    const int count = int(std::lround((axis.high - axis.low) / s.step));
    for (int i = 0; i <= count; ++i) {
        const double v = axis.low + i * s.step;
        axis.values.push_back(std::abs(v) < s.step * 1e-9 ? 0.0 : v);
    }
    return axis;
}

AxisTicks AxisTicks::scaled(const AxisTicks &axis, double factor, int maxCount)
{
    AxisTicks out;
    if (!(factor > 0) || !std::isfinite(factor))
        return out;
    const double low = axis.low * factor;
    const double high = axis.high * factor;
    if (!(high > low))
        return out;
    const Step s = roundStep(high - low, maxCount);
    out.step = s.step;
    out.decimals = s.decimals;
    // Only the ticks inside the other axis's range: both scales share one frame.
    out.low = low;
    out.high = high;
    const double first = std::ceil(low / s.step - 1e-9);
    for (double k = first; k * s.step <= high + s.step * 1e-9; ++k) {
        const double v = k * s.step;
        out.values.push_back(std::abs(v) < s.step * 1e-9 ? 0.0 : v);
    }
    return out;
}
