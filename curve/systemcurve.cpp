#include "curve/systemcurve.h"

#include "calc/calctexts.h"
#include "calc/dotnumber.h"
#include "calc/physics.h"
#include "curve/pumpcurve.h"

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

Point pointAt(const CaseInput &c, double flow)
{
    return pointOf(flow, CalcEngine::evaluate(c.atFlow(flow)), c.inputs.Density);
}

std::vector<Point> points(const CaseInput &c, double to, int count)
{
    std::vector<Point> out;
    out.reserve(size_t(std::max(count, 0)));
    for (double flow : flows(to, count))
        out.push_back(pointAt(c, flow));
    return out;
}

std::vector<Point> lead(const CaseInput &c, const Point &first)
{
    std::vector<Point> out;
    if (!first.hasResult() || !(first.flow > 0))
        return out;
    CalcEngine::Outcome still;
    still.status = CalcEngine::Status::Laminar; // no flow starts the laminar range
    still.results.TotalPressureDrop = CalcEngine::staticPressureDrop(c.inputs);
    still.results.TotalPressureDropPa = still.results.TotalPressureDrop * Physics::PascalPerBar;
    out.push_back(pointOf(0, still, c.inputs.Density));

    const double reynolds = first.outcome.results.Reynolds;
    if (first.outcome.status == CalcEngine::Status::Laminar || !std::isfinite(reynolds)
        || !(reynolds > 0))
        return out;
    // The Reynolds number grows with the flow in proportion: the laminar range ends near
    // this flow, and a few steps of one unit in the last place find the exact edge.
    const auto laminar
        = [](const Point &p) { return p.outcome.status == CalcEngine::Status::Laminar; };
    constexpr int Steps = 8;
    Point below = pointAt(c, first.flow * (2320 / reynolds));
    for (int step = 0; step < Steps && !laminar(below); ++step)
        below = pointAt(c, std::nextafter(below.flow, 0.0));
    Point above = pointAt(c, std::nextafter(below.flow, first.flow));
    for (int step = 0; step < Steps && laminar(above); ++step)
        above = pointAt(c, std::nextafter(above.flow, first.flow));
    if (!laminar(below) || laminar(above) || !(above.flow < first.flow))
        return out;
    out.push_back(below);
    out.push_back(above);
    return out;
}

QByteArray csvHeader(const PumpCurve *pump)
{
    QByteArray out = "flow [l/h],status,velocity [m/s],reynolds [-],friction factor [-],"
                     "pressure drop [bar],pressure drop [Pa],head [m]";
    if (pump)
        out += ",pump head [m]";
    return out + '\n';
}

void appendCsvRow(QByteArray &out, const Point &point, const PumpCurve *pump)
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
    if (pump) {
        out += ',';
        DotNumber::append(out, pump->head(point.flow)); // empty outside the pump's points
    }
    out += '\n';
}

namespace {

QByteArray rows(const std::vector<Point> &points, const PumpCurve *pump)
{
    QByteArray out = csvHeader(pump);
    for (const Point &p : points) {
        if (p.outcome.status != CalcEngine::Status::NeedsInput)
            appendCsvRow(out, p, pump);
    }
    return out;
}

} // namespace

QByteArray csv(const std::vector<Point> &points)
{
    return rows(points, nullptr);
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

QByteArray csv(const std::vector<Point> &points, const PumpCurve &pump, const Duty &duty)
{
    return rows(points, &pump) + csvDutyLine(duty);
}

} // namespace SystemCurve
