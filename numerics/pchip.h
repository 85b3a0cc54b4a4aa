#pragma once

#include <vector>

// Piecewise cubic Hermite interpolation that keeps the shape of the data (Fritsch and
// Carlson, with the end slopes of Moler's pchip; the same as SciPy's PchipInterpolator):
// no overshoot between the points, monotone where the data is.
class Pchip
{
public:
    Pchip() = default;
    // x strictly increasing, at least two points, as many y as x.
    Pchip(std::vector<double> x, std::vector<double> y);

    bool isEmpty() const { return m_x.empty(); }
    double first() const { return m_x.front(); }
    double last() const { return m_x.back(); }
    // The value at x; NaN outside [first, last], since a pump curve is not extended.
    double value(double x) const;
    const std::vector<double> &slopes() const { return m_slope; }

private:
    std::vector<double> m_x;
    std::vector<double> m_y;
    std::vector<double> m_slope;
};
