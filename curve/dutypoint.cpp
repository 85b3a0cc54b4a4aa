#include "calc/physics.h"
#include "curve/crossings.h"
#include "curve/pumpcurve.h"
#include "curve/systemcurve.h"

#include <cmath>
#include <limits>

// The duty point, the speed for a flow and the flow up to which the NPSH suffices: each
// the crossing of two curves found for sure (curve/crossings.h) on the exact system
// curve, every trial a full calculation of the case.
namespace SystemCurve {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double LowestSpeed = 10; // %
constexpr double HighestSpeed = 200; // %

// The system's head at a flow, with its friction steps; at no flow the static head, so
// that a crossing near no flow is found too.
struct SystemHead
{
    double head = NaN;
    FrictionSteps steps;
};

SystemHead systemHead(const System &system, double flow)
{
    if (!(flow > 0))
        return {flow == 0 ? staticHead(system) : NaN, {}};
    const SystemPoint p = systemAt(system, flow);
    return {p.head(), frictionSteps(p)};
}

QString noCrossingReason(const Crossings::Result &scan)
{
    if (!scan.anyValue)
        return QStringLiteral("the system has no result within the pump's flow range");
    if (scan.firstAbove && scan.firstBelow)
        return QStringLiteral("the curves meet only where the system has no result");
    if (scan.firstAbove && scan.gaps)
        return QStringLiteral("the pump gives more head than the system needs wherever the "
                              "system has a result within the pump's flow range");
    if (scan.firstAbove)
        return QStringLiteral("the pump gives more head than the system needs over its whole "
                              "flow range: the duty point lies beyond the pump curve's largest "
                              "flow");
    if (scan.gaps)
        return QStringLiteral("the system needs more head than the pump gives wherever the "
                              "system has a result within the pump's flow range");
    return QStringLiteral("the system needs more head than the pump gives over the pump's "
                          "whole flow range");
}

// NPSHa against margin x NPSHr over the pumps' range: the largest flow up to which the
// margin holds; nothing where it holds everywhere.
std::optional<double> npshLimit(
    const System &system, const PumpSet &pumps, const NpshSettings &npsh)
{
    const PumpCurve &pump = pumps.pump();
    const Crossings::Curves curves = [&](double flow) {
        const double required = npsh.margin * pump.npshr(pumps.pumpFlow(flow));
        const SystemPoint p = systemAt(system, flow);
        const FrictionSteps steps = frictionSteps(p);
        return Crossings::Value{
            npshAvailable(system, npsh, p) - required, steps.count, steps.height};
    };
    const double low = pumps.minFlow();
    const Crossings::Result scan = Crossings::find(curves, low, pumps.maxFlow());
    for (const Crossings::Crossing &c : scan.crossings) {
        if (c.stable) // from enough to too little
            return c.x;
    }
    if (scan.firstBelow && !scan.firstAbove)
        return low; // not even at the smallest flow
    return std::nullopt;
}

} // namespace

Duty dutyPoint(const System &system, const PumpSet &pumps, const NpshSettings *npsh)
{
    Duty duty;
    duty.speed = pumps.speed();
    duty.pumps = pumps.count();
    duty.arrangement = pumps.arrangement();
    const PumpCurve &pump = pumps.pump();
    if (pump.isEmpty()) {
        duty.reason = QStringLiteral("there is no pump curve");
        return duty;
    }

    const Crossings::Curves curves = [&](double flow) {
        const SystemHead s = systemHead(system, flow);
        return Crossings::Value{pumps.head(flow) - s.head, s.steps.count, s.steps.height};
    };
    const Crossings::Result scan = Crossings::find(curves, pumps.minFlow(), pumps.maxFlow());
    const Crossings::Crossing *first = nullptr;
    for (const Crossings::Crossing &c : scan.crossings) {
        duty.crossings.push_back({c.x, systemHead(system, c.x).head, c.stable});
        if (!first && c.stable)
            first = &c;
    }
    if (!first) {
        duty.reason = scan.crossings.empty()
            ? noCrossingReason(scan)
            : QStringLiteral("the curves meet only where the pump's head rises with the flow "
                             "faster than the system's: no stable duty point");
        return duty;
    }

    const double flow = first->x;
    const SystemPoint at = systemAt(system, flow);
    duty.found = true;
    duty.moreCrossings = duty.crossings.size() > 1;
    duty.system = at.discharge;
    duty.system.head = at.head();
    duty.suctionHead = at.suctionHead();
    duty.pumpHead = pumps.head(flow);
    duty.flowPerPump = pumps.pumpFlow(flow);
    duty.headPerPump = pumps.pumpHead(duty.pumpHead);
    duty.efficiency = pump.efficiency(duty.flowPerPump);
    duty.npshr = pump.npshr(duty.flowPerPump);
    duty.efficiencyMissing = pump.hasEfficiency() && std::isnan(duty.efficiency);
    duty.npshrMissing = pump.hasNpshr() && std::isnan(duty.npshr);
    // rho g Q H / eta of each pump, with the efficiency from % to a fraction.
    const double eta = duty.efficiency / 100;
    const double perPump = eta > 0 ? Physics::hydraulicPower(system.discharge.inputs.Density,
                                         duty.flowPerPump, duty.headPerPump)
            / eta
                                   : NaN;
    duty.shaftPower = perPump * duty.pumps;
    // W over l/h is Wh per litre, that is kWh per m3.
    duty.specificEnergy = duty.shaftPower / flow;

    duty.npsha = NaN;
    duty.npshRatio = NaN;
    if (npsh && system.suction && npsh->vapourPressure) {
        duty.npshChecked = true;
        duty.npsha = npshAvailable(system, *npsh, at);
        duty.npshRatio = duty.npsha / duty.npshr;
        if (pump.hasNpshr())
            duty.maxFlowNpsh = npshLimit(system, pumps, *npsh);
    }
    return duty;
}

Duty dutyPoint(const CaseInput &c, const PumpCurve &pump)
{
    return dutyPoint(System{c, std::nullopt, ExtraLoss::Fixed}, PumpSet(pump));
}

SpeedForFlow speedForFlow(
    const System &system, const PumpCurve &pump, int count, Arrangement arrangement, double flow)
{
    SpeedForFlow out;
    const double needed = systemHead(system, flow).head;
    if (std::isnan(needed)) {
        out.reason = QStringLiteral("the system has no result at that flow");
        return out;
    }
    const Crossings::Curves curves = [&](double speed) {
        return Crossings::Value{PumpSet(pump, speed, count, arrangement).head(flow) - needed};
    };
    const Crossings::Result scan = Crossings::find(curves, LowestSpeed, HighestSpeed);
    if (!scan.crossings.empty()) {
        out.speed = scan.crossings.front().x;
        return out;
    }
    if (!scan.anyValue)
        out.reason = QStringLiteral("the pump cannot deliver that flow at any speed from 10 % "
                                    "to 200 %");
    else if (scan.firstAbove && !scan.firstBelow)
        out.reason = QStringLiteral("even at the lowest speed within reach of that flow the pump "
                                    "gives more head than the system needs there");
    else
        out.reason = QStringLiteral("even at the highest speed within reach of that flow the "
                                    "pump gives less head than the system needs there");
    return out;
}

} // namespace SystemCurve
