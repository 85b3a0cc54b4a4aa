#include "calc/calcengine.h"

#include "calc/fittingresistance.h"
#include "calc/frictionfactor.h"
#include "calc/physics.h"
#include "calc/resulttable.h"

#include <cmath>
#include <limits>

namespace CalcEngine {

double velocity(double flowRate, double diameter)
{
    // l/h to m3/s over the area in m2.
    const double d = diameter / 1000;
    return Physics::cubicMetresPerSecond(flowRate) / (d * d * Physics::QuarterPi);
}

double reynolds(const Inputs &in, double v)
{
    // The diameter in mm and the viscosity in cP both carry a factor 1/1000; they cancel.
    return in.Density * v * in.InnerDiameter / in.Viscosity;
}

bool isLaminar(double reynolds)
{
    return reynolds < 2320;
}

double pipePressureDrop(const Inputs &in, double velocity, double resistance)
{
    // rho v^2 / 2 times the resistance coefficients plus the static head, Pa to bar.
    const double rho = in.Density;
    return (velocity * velocity * (rho * 0.5) * resistance + rho * Physics::Gravity * in.Elevation)
        / Physics::PascalPerBar;
}

double staticPressureDrop(const Inputs &in)
{
    // No velocity and no resistance: what is left of the sum is the elevation's part,
    // and the extra equipment is added as after every calculation.
    return in.ExtraLoss + pipePressureDrop(in, 0, 0);
}

namespace {

// computeResults with the fittings of `fittings` reckoned by its method; without a case,
// or by l/d, their resistance is the main window's.
bool computeWith(const Inputs &in, bool turbulent, Results &res, const CaseInput *fittings)
{
    const double D = in.InnerDiameter; // mm
    const double L = in.PipeLength; // m

    bool frictionFactorFound = true;
    if (!turbulent) {
        res.FrictionFactor = 64 / res.Reynolds;
    } else if (std::isfinite(res.Velocity) && std::isfinite(res.Reynolds)) {
        res.FrictionFactor = frictionFactorOrZero(in.WallRoughness, D, res.Reynolds);
        frictionFactorFound = res.FrictionFactor != 0;
    } else {
        // The flow itself is beyond a double: no friction factor means anything.
        res.FrictionFactor = std::numeric_limits<double>::quiet_NaN();
    }
    const double f = res.FrictionFactor;
    const double v = res.Velocity;

    // Lengths in m over a diameter in mm, hence the factor 1000.
    res.PipeFriction = L * f * 1000 / D;
    res.PipeArea = D * D * Physics::QuarterPi;
    res.PipeVolume = L * res.PipeArea / 1000;

    // The equivalent length follows the diameter in use now, also when a prompt or a
    // loaded file changed the diameter since the appendage fields were last edited.
    res.AppendageLength = (res.BendsLd + res.ValvesLd) * D / 1000;
    res.AppendageFriction = fittings && fittings->fittings != FittingMethod::Ld
        ? FittingResistance::resistance(*fittings, res.Reynolds)
        : res.AppendageLength * f * 1000 / D;

    res.PipePressureDrop = pipePressureDrop(in, v, res.AppendageFriction + res.PipeFriction);
    res.TotalPressureDrop = in.ExtraLoss + res.PipePressureDrop;
    res.TotalPressureDropPa = res.TotalPressureDrop * Physics::PascalPerBar;
    res.ResidenceTime = L / v;
    // l/h over 3600 times 0.001 gives m3/s.
    res.PowerLoss = in.FlowRate * res.TotalPressureDropPa / Physics::SecondsPerHour
        * Physics::CubicMetresPerLitre;
    res.ShearRate = v * 4 / D * 1000;
    if (turbulent)
        res.RelativeRoughness = in.WallRoughness / D;
    return frictionFactorFound;
}

} // namespace

bool computeResults(const Inputs &in, bool turbulent, Results &res)
{
    return computeWith(in, turbulent, res, nullptr);
}

bool anyNotFinite(const Results &res, bool turbulent, bool frictionFactorFound)
{
    // Inputs far outside any pipe (a diameter whose square underflows, a flow that
    // overflows) leave results that are not numbers. What the fields show counts: not
    // the friction factor where none was found ("****"), nor the relative roughness of
    // laminar flow ("n.a.").
    for (const ResultInfo &result : ResultTable) {
        const bool shown = result.index != 0
            && (result.member != &Results::FrictionFactor || frictionFactorFound)
            && (result.member != &Results::RelativeRoughness || turbulent);
        if (shown && !std::isfinite(res.*result.member))
            return true;
    }
    return false;
}

namespace {

Outcome evaluateWith(const Inputs &in, double bendsLd, double valvesLd, const CaseInput *fittings)
{
    Outcome out;
    Results &res = out.results;
    res.BendsLd = bendsLd;
    res.ValvesLd = valvesLd;
    if (!(in.FlowRate > 0) || !(in.InnerDiameter > 0))
        return out;
    res.Velocity = velocity(in.FlowRate, in.InnerDiameter);
    if (!(in.Viscosity > 0) || !(in.Density > 0))
        return out;
    res.Reynolds = reynolds(in, res.Velocity);
    const bool turbulent = !isLaminar(res.Reynolds);
    if (turbulent && !(in.WallRoughness > 0 && in.WallRoughness <= 5))
        return out;

    const bool found = computeWith(in, turbulent, res, fittings);
    if (!turbulent)
        out.status = Status::Laminar;
    else
        out.status = found ? Status::Turbulent : Status::FrictionFactorUndetermined;
    if (anyNotFinite(res, turbulent, found))
        out.status = Status::NotFinite;
    return out;
}

} // namespace

Outcome evaluate(const Inputs &in, double bendsLd, double valvesLd)
{
    return evaluateWith(in, bendsLd, valvesLd, nullptr);
}

Outcome evaluate(const CaseInput &c)
{
    return evaluateWith(c.inputs, c.bendsLd, c.valvesLd, &c);
}

} // namespace CalcEngine
