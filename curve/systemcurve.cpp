#include "curve/systemcurve.h"

#include "calc/calctexts.h"
#include "calc/dotnumber.h"
#include "calc/frictionfactor.h"
#include "calc/physics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace SystemCurve {

std::vector<double> flows(double to, int count)
{
    std::vector<double> out;
    out.reserve(size_t(std::max(count, 0)));
    for (int k = 1; k <= count; ++k)
        out.push_back(to * k / count);
    return out;
}

QString statusText(CalcEngine::Status status)
{
    switch (status) {
    case CalcEngine::Status::Laminar:
        return CalcTexts::StatusLaminar;
    case CalcEngine::Status::Turbulent:
        return CalcTexts::StatusTurbulent;
    case CalcEngine::Status::FrictionFactorUndetermined:
        return CalcTexts::StatusFrictionError;
    case CalcEngine::Status::NotFinite:
    case CalcEngine::Status::NeedsInput:
        break;
    }
    return CalcTexts::StatusError;
}

Point pointOf(double flow, const CalcEngine::Outcome &outcome, double density)
{
    Point p{flow, outcome, std::numeric_limits<double>::quiet_NaN()};
    if (p.hasResult())
        p.head = Physics::headOf(outcome.results.TotalPressureDrop, density);
    return p;
}

CaseInput caseAt(const CaseInput &c, double flow, ExtraLoss extraLoss)
{
    CaseInput at = c.atFlow(flow);
    const double own = c.inputs.FlowRate;
    if (extraLoss == ExtraLoss::FollowsFlow && own > 0 && std::isfinite(own)) {
        const double ratio = flow / own;
        at.inputs.ExtraLoss = c.inputs.ExtraLoss * (ratio * ratio);
    }
    return at;
}

Point pointAt(const CaseInput &c, double flow, ExtraLoss extraLoss)
{
    return pointOf(flow, CalcEngine::evaluate(caseAt(c, flow, extraLoss)), c.inputs.Density);
}

double staticHead(const CaseInput &c, ExtraLoss extraLoss)
{
    // The pressure drop at no flow as the calculation adds it up, in bar; an extra loss
    // that follows the flow is gone at no flow.
    Inputs in = c.inputs;
    if (extraLoss == ExtraLoss::FollowsFlow && in.FlowRate > 0)
        in.ExtraLoss = 0;
    return Physics::headOf(CalcEngine::staticPressureDrop(in), in.Density);
}

bool SystemPoint::hasResult() const
{
    return discharge.hasResult() && (!suction || suction->hasResult());
}

double SystemPoint::head() const
{
    if (!hasResult())
        return std::numeric_limits<double>::quiet_NaN();
    return suction ? discharge.head + suction->head : discharge.head;
}

double SystemPoint::suctionHead() const
{
    return suction ? suction->head : std::numeric_limits<double>::quiet_NaN();
}

SystemPoint systemAt(const System &system, double flow)
{
    SystemPoint p{pointAt(system.discharge, flow, system.extraLoss), std::nullopt};
    if (system.suction)
        p.suction = pointAt(*system.suction, flow, system.extraLoss);
    return p;
}

double staticHead(const System &system)
{
    double head = staticHead(system.discharge, system.extraLoss);
    if (system.suction)
        head += staticHead(*system.suction, system.extraLoss);
    return head;
}

std::vector<Point> lead(const System &system, const Point &first)
{
    std::vector<Point> out;
    if (!first.hasResult() || !(first.flow > 0))
        return out;
    Point still;
    still.outcome.status = CalcEngine::Status::Laminar; // no flow starts the laminar range
    still.head = staticHead(system);
    out.push_back(still);

    const double reynolds = first.outcome.results.Reynolds;
    if (first.outcome.status == CalcEngine::Status::Laminar || !std::isfinite(reynolds)
        || !(reynolds > 0))
        return out;
    // The Reynolds number grows with the flow in proportion: the laminar range ends near
    // this flow, and a few steps of one unit in the last place find the exact edge.
    const auto at = [&system](double flow) {
        const SystemPoint p = systemAt(system, flow);
        Point whole = p.discharge;
        whole.head = p.head();
        return whole;
    };
    const auto laminar
        = [](const Point &p) { return p.outcome.status == CalcEngine::Status::Laminar; };
    constexpr int Steps = 8;
    Point below = at(first.flow * (2320 / reynolds));
    for (int step = 0; step < Steps && !laminar(below); ++step)
        below = at(std::nextafter(below.flow, 0.0));
    Point above = at(std::nextafter(below.flow, first.flow));
    for (int step = 0; step < Steps && laminar(above); ++step)
        above = at(std::nextafter(above.flow, first.flow));
    if (!laminar(below) || laminar(above) || !(above.flow < first.flow))
        return out;
    out.push_back(below);
    out.push_back(above);
    return out;
}

namespace {

// One side: its friction factor in steps, and one step times what the friction costs per
// unit of the factor, (L / D + l/d) v^2 / 2g.
void addSteps(FrictionSteps &steps, const Point &p)
{
    if (p.outcome.status != CalcEngine::Status::Turbulent)
        return;
    const Results &r = p.outcome.results;
    const double perFactor = (r.PipeFriction + r.AppendageFriction) / r.FrictionFactor;
    const double velocityHead = r.Velocity * r.Velocity / (2 * Physics::Gravity);
    steps.count += r.FrictionFactor / FrictionFactorGridStep;
    steps.height = std::max(steps.height, FrictionFactorGridStep * perFactor * velocityHead);
}

} // namespace

FrictionSteps frictionSteps(const SystemPoint &point)
{
    FrictionSteps steps;
    addSteps(steps, point.discharge);
    if (point.suction)
        addSteps(steps, *point.suction);
    return steps;
}

double npshAvailable(const System &system, const NpshSettings &npsh, const SystemPoint &point)
{
    const double none = std::numeric_limits<double>::quiet_NaN();
    if (!system.suction || !npsh.vapourPressure || !point.suction || !point.suction->hasResult())
        return none;
    const double density = system.suction->inputs.Density;
    return Physics::headOf(npsh.surfacePressure - *npsh.vapourPressure, density)
        - point.suction->head;
}

std::vector<Point> points(const CaseInput &c, double to, int count)
{
    std::vector<Point> out;
    out.reserve(size_t(std::max(count, 0)));
    for (double flow : flows(to, count))
        out.push_back(pointAt(c, flow));
    return out;
}

QByteArray csvHeader()
{
    return QByteArrayLiteral("flow [l/h],status,velocity [m/s],reynolds [-],friction factor [-],"
                             "pressure drop [bar],pressure drop [Pa],head [m]\n");
}

namespace {

void appendCells(QByteArray &out, const Point &point)
{
    const Results &r = point.outcome.results;
    DotNumber::append(out, point.flow);
    out += ',';
    // The status texts hold no comma or quote, so they need no quoting.
    out += statusText(point.outcome.status).toUtf8();
    out += ',';
    DotNumber::append(out, r.Velocity);
    out += ',';
    DotNumber::append(out, r.Reynolds);
    if (point.hasResult()) {
        out += ',';
        DotNumber::append(out, r.FrictionFactor);
        out += ',';
        DotNumber::append(out, r.TotalPressureDrop);
        out += ',';
        DotNumber::append(out, r.TotalPressureDropPa);
        out += ',';
        DotNumber::append(out, point.head);
    } else {
        out += ",,,,";
    }
}

} // namespace

void appendCsvRow(QByteArray &out, const Point &point)
{
    appendCells(out, point);
    out += '\n';
}

QByteArray csvHeader(bool suction, bool npsha)
{
    QByteArray header = csvHeader();
    header.chop(1);
    if (suction)
        header += ",suction head [m]";
    if (suction && npsha)
        header += ",NPSHa [m]";
    return header + '\n';
}

void appendCsvRow(QByteArray &out, const SystemPoint &point, bool npshaColumn, double npsha)
{
    Point whole = point.discharge;
    whole.head = point.head();
    appendCells(out, whole);
    if (point.suction) {
        out += ',';
        DotNumber::append(out, point.hasResult() ? point.suction->head : std::nan(""));
        if (npshaColumn) {
            out += ',';
            DotNumber::append(out, npsha);
        }
    }
    out += '\n';
}

QByteArray csv(const std::vector<Point> &points)
{
    QByteArray out = csvHeader();
    for (const Point &p : points) {
        if (p.outcome.status != CalcEngine::Status::NeedsInput)
            appendCsvRow(out, p);
    }
    return out;
}

namespace {

// The line without its line break, a cell more, and the break again.
void addCell(QByteArray &line, const QByteArray &cell)
{
    if (line.endsWith('\n'))
        line.chop(1);
    line += ',' + cell + '\n';
}

} // namespace

void addPumpHeading(QByteArray &header)
{
    addCell(header, "pump head [m]");
}

void addPumpHead(QByteArray &row, const PumpSet &pumps, double flow)
{
    addCell(row, DotNumber::text(pumps.head(flow))); // empty where the pumps give none
}

QByteArray csvDutyLine(const Duty &duty)
{
    if (!duty.found)
        return "# duty: none, " + duty.reason.toUtf8() + '\n';
    const Results &r = duty.system.outcome.results;
    QByteArray out = "# duty: flow " + DotNumber::text(duty.system.flow) + " l/h, head "
        + DotNumber::text(duty.system.head) + " m, pump head " + DotNumber::text(duty.pumpHead)
        + " m, pressure drop " + DotNumber::text(r.TotalPressureDrop) + " bar, velocity "
        + DotNumber::text(r.Velocity) + " m/s";
    // Values the pump curve does not give at this flow are left out.
    if (std::isfinite(duty.efficiency))
        out += ", efficiency " + DotNumber::text(duty.efficiency) + " %";
    if (std::isfinite(duty.shaftPower))
        out += ", shaft power " + DotNumber::text(duty.shaftPower) + " W";
    if (std::isfinite(duty.npshr))
        out += ", npshr " + DotNumber::text(duty.npshr) + " m";
    return out + '\n';
}

QByteArray csv(const std::vector<Point> &points, const PumpSet &pumps, const Duty &duty)
{
    QByteArray out = csvHeader();
    addPumpHeading(out);
    QByteArray row;
    for (const Point &p : points) {
        if (p.outcome.status == CalcEngine::Status::NeedsInput)
            continue;
        row.resize(0);
        appendCsvRow(row, p);
        addPumpHead(row, pumps, p.flow);
        out += row;
    }
    return out + csvDutyLine(duty);
}

} // namespace SystemCurve
