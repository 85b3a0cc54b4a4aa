#include "curve/systemcurve.h"

#include "calc/calctexts.h"
#include "calc/dotnumber.h"
#include "calc/physics.h"

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

QByteArray csvHeader()
{
    return QByteArrayLiteral("flow [l/h],status,velocity [m/s],reynolds [-],friction factor [-],"
                             "pressure drop [bar],pressure drop [Pa],head [m]\n");
}

void appendCsvRow(QByteArray &out, const Point &point)
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
        out += '\n';
    } else {
        out += ",,,,\n";
    }
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

} // namespace SystemCurve
