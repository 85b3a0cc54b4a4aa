#include "analysis/systemcurve.h"

#include "analysis/exactnumber.h"
#include "calc/calctexts.h"

#include <limits>

namespace SystemCurve {

double headOf(double pressureDrop, double density)
{
    // bar to Pa over rho g, with the g that the calculation itself uses.
    return pressureDrop * 100000 / (density * 9.81);
}

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

bool hasResult(CalcEngine::Status status)
{
    return status == CalcEngine::Status::Laminar || status == CalcEngine::Status::Turbulent;
}

Point pointAt(const Inputs &in, double bendsLd, double valvesLd, double flow)
{
    Inputs atFlow = in;
    atFlow.FlowRate = flow;
    Point p;
    p.flow = flow;
    p.outcome = CalcEngine::evaluate(atFlow, bendsLd, valvesLd);
    p.head = headOf(p.outcome.results.TotalPressureDrop, in.Density);
    return p;
}

std::vector<Point> points(const Inputs &in, double bendsLd, double valvesLd, double to, int count)
{
    std::vector<Point> out;
    for (double flow : flows(to, count))
        out.push_back(pointAt(in, bendsLd, valvesLd, flow));
    return out;
}

QByteArray csvHeader()
{
    return QByteArrayLiteral("flow [l/h],status,velocity [m/s],reynolds [-],friction factor [-],"
                             "pressure drop [bar],pressure drop [Pa],head [m]\n");
}

QByteArray csvRow(
    double flow, const QString &status, bool hasResult, const Results &results, double density)
{
    const double none = std::numeric_limits<double>::quiet_NaN();
    const Results &r = results;
    QByteArray row = exactNumber(flow);
    // The status texts hold no comma or quote, so they need no quoting.
    row += ',' + status.toUtf8();
    row += ',' + exactNumber(r.Velocity);
    row += ',' + exactNumber(r.Reynolds);
    row += ',' + exactNumber(hasResult ? r.FrictionFactor : none);
    row += ',' + exactNumber(hasResult ? r.TotalPressureDrop : none);
    row += ',' + exactNumber(hasResult ? r.TotalPressureDropPa : none);
    row += ',' + exactNumber(hasResult ? headOf(r.TotalPressureDrop, density) : none);
    row += '\n';
    return row;
}

QByteArray csv(const std::vector<Point> &points, double density)
{
    QByteArray out = csvHeader();
    for (const Point &p : points) {
        if (p.outcome.status == CalcEngine::Status::NeedsInput)
            continue;
        out += csvRow(
            p.flow, statusText(p.outcome.status), p.hasResult(), p.outcome.results, density);
    }
    return out;
}

} // namespace SystemCurve
