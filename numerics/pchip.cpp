#include "numerics/pchip.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int sign(double v)
{
    return (v > 0) - (v < 0);
}

// The end slope from the first two intervals (h0 next to the end), held to the shape
// of the data: zero where it would turn against the first secant, at most three times
// that secant where the data turns.
double endSlope(double h0, double h1, double m0, double m1)
{
    const double d = ((2 * h0 + h1) * m0 - h0 * m1) / (h0 + h1);
    if (sign(d) != sign(m0))
        return 0;
    if (sign(m0) != sign(m1) && std::abs(d) > 3 * std::abs(m0))
        return 3 * m0;
    return d;
}

} // namespace

Pchip::Pchip(std::vector<double> x, std::vector<double> y)
    : m_x(std::move(x))
    , m_y(std::move(y))
{
    const size_t n = m_x.size();
    m_slope.assign(n, 0.0);
    if (n < 2)
        return;
    std::vector<double> h(n - 1);
    std::vector<double> m(n - 1);
    for (size_t k = 0; k + 1 < n; ++k) {
        h[k] = m_x[k + 1] - m_x[k];
        m[k] = (m_y[k + 1] - m_y[k]) / h[k];
    }
    if (n == 2) {
        m_slope[0] = m_slope[1] = m[0];
        return;
    }
    // Inner slopes: the weighted harmonic mean of the secants on both sides, zero at a
    // local extremum or next to a flat stretch.
    for (size_t k = 1; k + 1 < n; ++k) {
        const double mPrev = m[k - 1];
        const double mNext = m[k];
        if (sign(mPrev) != sign(mNext) || mPrev == 0 || mNext == 0)
            continue;
        const double w1 = 2 * h[k] + h[k - 1];
        const double w2 = h[k] + 2 * h[k - 1];
        m_slope[k] = (w1 + w2) / (w1 / mPrev + w2 / mNext);
    }
    m_slope[0] = endSlope(h[0], h[1], m[0], m[1]);
    m_slope[n - 1] = endSlope(h[n - 2], h[n - 3], m[n - 2], m[n - 3]);
}

double Pchip::value(double x) const
{
    if (m_x.empty() || !(x >= m_x.front() && x <= m_x.back()))
        return std::numeric_limits<double>::quiet_NaN();
    // The interval [x_k, x_k+1] that holds x; the last point belongs to the last one.
    if (m_x.size() == 1)
        return m_y[0];
    size_t k = size_t(std::upper_bound(m_x.begin(), m_x.end(), x) - m_x.begin());
    k = std::clamp<size_t>(k, 1, m_x.size() - 1) - 1;
    const double h = m_x[k + 1] - m_x[k];
    const double t = (x - m_x[k]) / h;
    const double t2 = t * t;
    const double t3 = t2 * t;
    // The cubic Hermite basis on the unit interval.
    const double h00 = 2 * t3 - 3 * t2 + 1;
    const double h10 = t3 - 2 * t2 + t;
    const double h01 = -2 * t3 + 3 * t2;
    const double h11 = t3 - t2;
    return h00 * m_y[k] + h10 * h * m_slope[k] + h01 * m_y[k + 1] + h11 * h * m_slope[k + 1];
}
