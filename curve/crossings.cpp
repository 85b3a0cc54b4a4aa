#include "curve/crossings.h"

#include <algorithm>
#include <cmath>
#include <limits>

// A scan over the range, then on every interval where the sign changes, or where the
// second curve takes steps that could bring it across the first, halves until every
// crossing inside stands alone. Bisection rather than a faster secant method: the second curve
// jumps (where the flow turns turbulent, at each step of the friction factor) and has stretches
// without a value.
namespace Crossings {

namespace {

constexpr int ScanIntervals = 256;
constexpr double Tolerance = 1e-9;

struct Sample
{
    double x = 0;
    double d = std::numeric_limits<double>::quiet_NaN();
    double steps = 0;
    double stepHeight = 0;
    bool hasValue() const { return !std::isnan(d); }
};

class Search
{
public:
    explicit Search(const Curves &curves)
        : m_curves(curves)
    { }

    Sample sample(double x) const
    {
        const Value v = m_curves(x);
        return {x, v.difference, v.steps, v.stepHeight};
    }

    // Every crossing strictly inside (a, b], where b is not a zero of the difference
    // (a zero is a crossing of its own, found at its sample).
    void explore(const Sample &a, const Sample &b)
    {
        if (a.hasValue() && b.hasValue()) {
            between(a, b);
            return;
        }
        if (a.hasValue() == b.hasValue())
            return;
        // The values end (or begin) inside: look up to that edge.
        const Sample known = a.hasValue() ? a : b;
        const Sample edge = edgeOf(known, a.hasValue() ? b : a);
        if (edge.x == known.x)
            return;
        if (edge.d == 0) {
            add(edge.x, false);
            return;
        }
        if (known.x < edge.x)
            between(known, edge);
        else
            between(edge, known);
    }

    // A zero at sample `z`, coming from `before`: the lowest x of the stretch of zeros.
    void zeroAt(const Sample &before, const Sample &z)
    {
        Sample nonzero = before;
        Sample zero = z;
        if (before.hasValue() && before.d != 0) {
            while (narrowable(nonzero, zero)) {
                const Sample m = sample(mid(nonzero, zero));
                (m.hasValue() && m.d == 0 ? zero : nonzero) = m;
            }
        }
        m_zeroFrom = before.hasValue() ? before.d : 0;
        m_zeroAt = m_crossings.size();
        add(zero.x, false);
    }

    // The first nonzero sample after a stretch of zeros: a crossing from above to below
    // is stable, a touch is not.
    void zeroEnds(const Sample &after)
    {
        if (m_zeroAt < m_crossings.size() && after.hasValue())
            m_crossings[m_zeroAt].stable = m_zeroFrom > 0 && after.d < 0;
        m_zeroAt = std::numeric_limits<size_t>::max();
    }

    std::vector<Crossing> take()
    {
        std::sort(m_crossings.begin(), m_crossings.end(),
            [](const Crossing &p, const Crossing &q) { return p.x < q.x; });
        m_crossings.erase(std::unique(m_crossings.begin(), m_crossings.end(),
                              [](const Crossing &p, const Crossing &q) { return p.x == q.x; }),
            m_crossings.end());
        return std::move(m_crossings);
    }

private:
    static double mid(const Sample &a, const Sample &b) { return a.x + (b.x - a.x) / 2; }

    static bool narrowable(const Sample &a, const Sample &b)
    {
        const double m = mid(a, b);
        return std::abs(b.x - a.x) > Tolerance * std::max(std::abs(a.x), std::abs(b.x)) && m != a.x
            && m != b.x;
    }

    // The most the second curve can move by its steps between a and b.
    static double stepsBetween(const Sample &a, const Sample &b)
    {
        return std::abs(b.steps - a.steps) * std::max(a.stepHeight, b.stepHeight);
    }

    // Both ends have a value.
    void between(const Sample &a, const Sample &b)
    {
        const bool signChange = a.d != 0 && b.d != 0 && (a.d > 0) != (b.d > 0);
        if (!narrowable(a, b)) {
            if (signChange)
                add(std::abs(a.d) <= std::abs(b.d) ? a.x : b.x, a.d > 0);
            return;
        }
        // Between two samples on the same step both curves are smooth; where the second
        // steps, it may cross the first and back.
        const bool close = std::min(std::abs(a.d), std::abs(b.d)) <= stepsBetween(a, b);
        if (!signChange && !close)
            return;
        const Sample m = sample(mid(a, b));
        if (m.hasValue() && m.d == 0) {
            // A zero inside: the lowest of its stretch, then what lies beyond it.
            zeroAt(a, m);
            Sample after = m;
            while (after.hasValue() && after.d == 0 && narrowable(after, b))
                after = sample(mid(after, b));
            zeroEnds(after.hasValue() && after.d != 0 ? after : b);
            if (after.hasValue() && after.d != 0)
                explore(after, b);
            return;
        }
        explore(a, m);
        explore(m, b);
    }

    // Between a sample with a value and one without: the sample with a value nearest to
    // where the values end (or begin).
    Sample edgeOf(Sample with, Sample without) const
    {
        while (narrowable(with, without)) {
            const Sample m = sample(mid(with, without));
            (m.hasValue() ? with : without) = m;
        }
        return with;
    }

    void add(double x, bool stable) { m_crossings.push_back({x, stable}); }

    const Curves &m_curves;
    std::vector<Crossing> m_crossings;
    size_t m_zeroAt = std::numeric_limits<size_t>::max();
    double m_zeroFrom = 0;
};

} // namespace

Result find(const Curves &curves, double low, double high)
{
    Result result;
    if (!(high >= low))
        return result;
    Search search(curves);
    Sample previous;
    bool inZeros = false;
    for (int i = 0; i <= ScanIntervals; ++i) {
        const double x = i == ScanIntervals ? high : low + (high - low) * i / ScanIntervals;
        const Sample s = search.sample(x);
        result.anyValue = result.anyValue || s.hasValue();
        result.firstAbove = result.firstAbove || s.d > 0;
        result.firstBelow = result.firstBelow || s.d < 0;
        result.gaps = result.gaps || !s.hasValue();
        const bool zero = s.hasValue() && s.d == 0;
        if (zero && !inZeros) {
            search.zeroAt(previous, s);
        } else if (!zero) {
            if (inZeros)
                search.zeroEnds(s);
            else if (i > 0)
                search.explore(previous, s);
        }
        inZeros = zero;
        previous = s;
        if (low == high)
            break;
    }
    result.crossings = search.take();
    return result;
}

} // namespace Crossings
