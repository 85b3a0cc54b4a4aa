#include "calc/physics.h"
#include "curve/pumpcurve.h"
#include "curve/systemcurve.h"

#include <cmath>
#include <limits>
#include <optional>

// The duty point: a scan over the pump's flow range finds where pump head minus system
// head changes sign, then bisection on the exact curve narrows that interval. Bisection
// rather than a faster secant method, since the system curve jumps where the flow turns
// turbulent and has stretches without a result.
namespace SystemCurve {

namespace {

// Enough samples that crossings closer than 1/256 of the pump's range are rare, while the
// whole search stays well under a millisecond.
constexpr int ScanIntervals = 256;
constexpr double FlowTolerance = 1e-9;

struct Sample
{
    double flow = 0;
    double difference = std::numeric_limits<double>::quiet_NaN(); // pump minus system, m
    bool hasResult() const { return !std::isnan(difference); }
};

bool differInSign(const Sample &a, const Sample &b)
{
    return (a.difference > 0) != (b.difference > 0);
}

class Search
{
public:
    Search(const CaseInput &c, const PumpCurve &pump)
        : m_case(c)
        , m_pump(pump)
    { }

    // NaN where the system has no result or the flow is outside the pump's range.
    Sample sample(double flow) const
    {
        Sample s{flow};
        if (!(flow > 0))
            return s;
        const Point p = pointAt(m_case, flow);
        if (p.hasResult())
            s.difference = m_pump.head(flow) - p.head;
        return s;
    }

    // The crossing inside [a, b], where the differences differ in sign; none when a trial
    // inside lands where the system has no result.
    std::optional<double> refine(Sample a, Sample b) const
    {
        while (narrowable(a, b)) {
            const Sample m = sample(a.flow + (b.flow - a.flow) / 2);
            if (!m.hasResult())
                return std::nullopt;
            if (m.difference == 0)
                return m.flow;
            if (differInSign(a, m))
                b = m;
            else
                a = m;
        }
        return std::abs(a.difference) <= std::abs(b.difference) ? a.flow : b.flow;
    }

    // Between a flow with a result and one without: the sample with a result nearest to
    // where the result ends (or begins), so that a crossing right at that edge is not
    // lost with the stretch beyond it.
    Sample edge(Sample withResult, Sample without) const
    {
        while (narrowable(withResult, without)) {
            const Sample m = sample(withResult.flow + (without.flow - withResult.flow) / 2);
            (m.hasResult() ? withResult : without) = m;
        }
        return withResult;
    }

    // The crossing inside the interval between two scan samples, past `previous` (a
    // crossing right at a sample is the sample's own).
    std::optional<double> crossing(const Sample &previous, const Sample &s) const
    {
        if (previous.hasResult() && s.hasResult()) {
            if (previous.difference == 0 || s.difference == 0 || !differInSign(previous, s))
                return std::nullopt;
            return refine(previous, s);
        }
        if (previous.hasResult() == s.hasResult())
            return std::nullopt;
        // The result ends (or begins) inside the interval: look up to that edge.
        const Sample known = previous.hasResult() ? previous : s;
        if (known.difference == 0)
            return std::nullopt; // counted at its own sample
        const Sample last = edge(known, previous.hasResult() ? s : previous);
        if (last.difference == 0)
            return last.flow;
        if (last.flow == known.flow || !differInSign(known, last))
            return std::nullopt;
        return known.flow < last.flow ? refine(known, last) : refine(last, known);
    }

private:
    static bool narrowable(const Sample &a, const Sample &b)
    {
        const double mid = a.flow + (b.flow - a.flow) / 2;
        const double width = std::abs(b.flow - a.flow);
        // Adjacent doubles are as narrow as it gets.
        return width > FlowTolerance * std::max(a.flow, b.flow) && mid != a.flow && mid != b.flow;
    }

    const CaseInput &m_case;
    const PumpCurve &m_pump;
};

} // namespace

Duty dutyPoint(const CaseInput &c, const PumpCurve &pump)
{
    Duty duty;
    if (pump.isEmpty()) {
        duty.reason = QStringLiteral("there is no pump curve");
        return duty;
    }
    const Search search(c, pump);
    const double low = pump.minFlow();
    const double high = pump.maxFlow();

    std::optional<double> first;
    int crossings = 0;
    bool anyResult = false;
    bool anyWithout = false;
    bool pumpAbove = false;
    bool pumpBelow = false;
    Sample previous;
    for (int i = 0; i <= ScanIntervals; ++i) {
        const double flow = i == ScanIntervals ? high : low + (high - low) * i / ScanIntervals;
        const Sample s = search.sample(flow);
        if (s.hasResult()) {
            anyResult = true;
            pumpAbove = pumpAbove || s.difference > 0;
            pumpBelow = pumpBelow || s.difference < 0;
        } else if (flow > 0) {
            anyWithout = true;
        }
        std::optional<double> crossing;
        if (s.hasResult() && s.difference == 0)
            crossing = s.flow;
        else if (i > 0 && previous.flow > 0) // no flow has no result by definition
            crossing = search.crossing(previous, s);
        if (crossing) {
            ++crossings;
            if (!first)
                first = crossing;
        }
        previous = s;
    }

    if (!first) {
        if (!anyResult)
            duty.reason = QStringLiteral("the system has no result within the pump's flow range");
        else if (pumpAbove && pumpBelow)
            duty.reason = QStringLiteral("the curves meet only where the system has no result");
        else if (pumpAbove && anyWithout)
            duty.reason = QStringLiteral("the pump gives more head than the system needs "
                                         "wherever the system has a result within the pump's "
                                         "flow range");
        else if (pumpAbove)
            duty.reason = QStringLiteral("the pump gives more head than the system needs over "
                                         "its whole flow range: the duty point lies beyond the "
                                         "pump curve's largest flow");
        else if (anyWithout)
            duty.reason = QStringLiteral("the system needs more head than the pump gives "
                                         "wherever the system has a result within the pump's "
                                         "flow range");
        else
            duty.reason = QStringLiteral("the system needs more head than the pump gives over "
                                         "the pump's whole flow range");
        return duty;
    }

    duty.found = true;
    duty.moreCrossings = crossings > 1;
    const double flow = *first;
    duty.system = pointAt(c, flow);
    duty.pumpHead = pump.head(flow);
    duty.efficiency = pump.efficiency(flow);
    duty.npshr = pump.npshr(flow);
    duty.efficiencyMissing = pump.hasEfficiency() && std::isnan(duty.efficiency);
    duty.npshrMissing = pump.hasNpshr() && std::isnan(duty.npshr);
    // rho g Q H / eta, with the efficiency from % to a fraction.
    const double eta = duty.efficiency / 100;
    duty.shaftPower = eta > 0 ? Physics::hydraulicPower(c.inputs.Density, flow, duty.pumpHead) / eta
                              : std::numeric_limits<double>::quiet_NaN();
    return duty;
}

} // namespace SystemCurve
