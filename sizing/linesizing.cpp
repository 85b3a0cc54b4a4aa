#include "sizing/linesizing.h"

#include "calc/physics.h"

#include <cmath>
#include <limits>

bool SizingRow::calculated() const
{
    return status == CalcEngine::Status::Laminar || status == CalcEngine::Status::Turbulent;
}

bool SizingRow::withinLimits(const SizingLimits &limits) const
{
    const double v = results.Velocity;
    return calculated() && v >= limits.minVelocity && v <= limits.maxVelocity
        && dropPer100m <= limits.maxDropPer100m;
}

namespace LineSizing {

SizingRow row(const PipeSize &pipe, const CaseInput &c)
{
    return rowOf(pipe, c, CalcEngine::evaluate(c.withDiameter(pipe.innerDiameter)));
}

SizingRow rowOf(const PipeSize &pipe, const CaseInput &c, const CalcEngine::Outcome &outcome)
{
    const Inputs &in = c.inputs;
    SizingRow row;
    row.pipe = pipe;
    row.status = outcome.status;
    row.results = outcome.results;

    const double nan = std::numeric_limits<double>::quiet_NaN();
    if (!row.calculated()) {
        row.dropPer100m = nan;
        row.head = nan;
        return row;
    }
    const Results &r = row.results;
    // 100 m of pipe over a diameter in mm, hence the factor 1000; Pa to bar.
    const double resistance = r.FrictionFactor * 100 * 1000 / pipe.innerDiameter;
    row.dropPer100m
        = r.Velocity * r.Velocity * (in.Density * 0.5) * resistance / Physics::PascalPerBar;
    row.head = Physics::headOf(r.TotalPressureDrop, in.Density);
    return row;
}

std::vector<SizingRow> rows(const std::vector<PipeSize> &pipes, const CaseInput &c)
{
    std::vector<SizingRow> out;
    out.reserve(pipes.size());
    for (const PipeSize &pipe : pipes)
        out.push_back(row(pipe, c));
    return out;
}

bool isCurrentDiameter(const PipeSize &pipe, double diameter)
{
    return pipe.innerDiameter == diameter;
}

} // namespace LineSizing
