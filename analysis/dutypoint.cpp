#include "analysis/pumpcurve.h"
#include "analysis/systemcurve.h"

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
};

class Search
{
public:
    Search(const Inputs &in, double bendsLd, double valvesLd, const PumpCurve &pump)
        : m_in(in)
        , m_bendsLd(bendsLd)
        , m_valvesLd(valvesLd)
        , m_pump(pump)
    { }

    // NaN where the system has no result or the flow is outside the pump's range.
    Sample sample(double flow) const
    {
        Sample s{flow};
        if (!(flow > 0))
            return s;
        const Point p = pointAt(m_in, m_bendsLd, m_valvesLd, flow);
        if (p.hasResult())
            s.difference = m_pump.head(flow) - p.head;
        return s;
    }

    // The crossing inside [a, b], where the differences differ in sign; none when a trial
    // inside lands where the system has no result.
    std::optional<double> refine(Sample a, Sample b) const
    {
        while (b.flow - a.flow > FlowTolerance * b.flow) {
            const double mid = a.flow + (b.flow - a.flow) / 2;
            if (mid <= a.flow || mid >= b.flow)
                break; // adjacent doubles: as narrow as it gets
            const Sample m = sample(mid);
            if (std::isnan(m.difference))
                return std::nullopt;
            if (m.difference == 0)
                return mid;
            if ((m.difference > 0) == (a.difference > 0))
                a = m;
            else
                b = m;
        }
        return std::abs(a.difference) <= std::abs(b.difference) ? a.flow : b.flow;
    }

private:
    const Inputs &m_in;
    double m_bendsLd;
    double m_valvesLd;
    const PumpCurve &m_pump;
};

} // namespace

Duty dutyPoint(const Inputs &in, double bendsLd, double valvesLd, const PumpCurve &pump)
{
    Duty duty;
    if (pump.isEmpty()) {
        duty.reason = QStringLiteral("there is no pump curve");
        return duty;
    }
    const Search search(in, bendsLd, valvesLd, pump);
    const double low = pump.minFlow();
    const double high = pump.maxFlow();

    std::optional<double> first;
    int crossings = 0;
    bool anyResult = false;
    bool pumpAbove = false;
    bool pumpBelow = false;
    Sample previous;
    for (int i = 0; i <= ScanIntervals; ++i) {
        const double flow = i == ScanIntervals ? high : low + (high - low) * i / ScanIntervals;
        const Sample s = search.sample(flow);
        if (!std::isnan(s.difference)) {
            anyResult = true;
            pumpAbove = pumpAbove || s.difference > 0;
            pumpBelow = pumpBelow || s.difference < 0;
            std::optional<double> crossing;
            if (s.difference == 0)
                crossing = s.flow;
            else if (!std::isnan(previous.difference) && previous.difference != 0
                && (previous.difference > 0) != (s.difference > 0))
                crossing = search.refine(previous, s);
            if (crossing) {
                ++crossings;
                if (!first)
                    first = crossing;
            }
        }
        previous = s;
    }

    if (!first) {
        if (!anyResult)
            duty.reason = QStringLiteral("the system has no result within the pump's flow range");
        else if (pumpAbove && pumpBelow)
            duty.reason = QStringLiteral("the curves meet only where the system has no result");
        else if (pumpAbove)
            duty.reason = QStringLiteral("the pump gives more head than the system needs over "
                                         "its whole flow range: the duty point lies beyond the "
                                         "pump curve's largest flow");
        else
            duty.reason = QStringLiteral("the system needs more head than the pump gives over "
                                         "the pump's whole flow range");
        return duty;
    }

    duty.found = true;
    duty.moreCrossings = crossings > 1;
    duty.system = pointAt(in, bendsLd, valvesLd, *first);
    const double flow = *first;
    duty.pumpHead = pump.head(flow);
    duty.efficiency = pump.efficiency(flow);
    duty.npshr = pump.npshr(flow);
    // rho g Q H / eta, with Q from l/h to m3/s and the efficiency from % to a fraction.
    const double eta = duty.efficiency / 100;
    duty.shaftPower = eta > 0 ? in.Density * 9.81 * (flow / 3600000) * duty.pumpHead / eta
                              : std::numeric_limits<double>::quiet_NaN();
    return duty;
}

} // namespace SystemCurve
