#include "curve/curvetexts.h"

#include "calc/physics.h"

#include "calc/numbertext.h"

#include <algorithm>
#include <cmath>

namespace CurveTexts {

namespace {

const QString NoValue = QStringLiteral("-");
const std::array<QString, 4> ColumnNames = {QStringLiteral("flow"), QStringLiteral("head"),
    QStringLiteral("efficiency"), QStringLiteral("NPSHr")};

QString withUnit(double value, int decimals, const char *unit)
{
    if (!std::isfinite(value))
        return NoValue;
    return NumberText::fixed(value, decimals) + QLatin1Char(' ') + QLatin1String(unit);
}

// Three significant digits at least, as an engineer reads a curve.
int decimalsFor(double value)
{
    const double size = std::abs(value);
    if (!(size > 0) || !std::isfinite(size))
        return 2;
    return std::clamp(2 - int(std::floor(std::log10(size))), 0, 6);
}

} // namespace

QString tick(double value, int decimals)
{
    return NumberText::fixed(value, decimals);
}

double headToBar(double head, double density)
{
    // rho g H in Pa, to bar.
    return Physics::pressureOf(head, density);
}

QString cursor(double flow, double head, double bar)
{
    return QStringLiteral("Flow %1, head %2 (%3)")
        .arg(withUnit(flow, 0, "l/h"), withUnit(head, decimalsFor(head), "m"),
            withUnit(bar, decimalsFor(bar), "bar"));
}

DutyReadout dutyReadout(const SystemCurve::Duty &duty)
{
    DutyReadout out;
    if (!duty.found) {
        out.flow = out.head = out.pressureDrop = out.velocity = out.efficiency = out.shaftPower
            = out.npshr = out.flowPerPump = out.headPerPump = out.speed = out.specificEnergy
            = out.npsha = out.npshRatio = out.maxFlowNpsh = NoValue;
        out.note
            = duty.reason.isEmpty() ? QString() : QStringLiteral("No duty point: ") + duty.reason;
        return out;
    }
    const Results &r = duty.system.outcome.results;
    out.flow = withUnit(duty.system.flow, 0, "l/h");
    out.head = withUnit(duty.system.head, decimalsFor(duty.system.head), "m");
    out.pressureDrop = withUnit(r.TotalPressureDrop, 4, "bar");
    out.velocity = withUnit(r.Velocity, r.Velocity > 1 ? 2 : 4, "m/s");
    out.efficiency = withUnit(duty.efficiency, 1, "%");
    out.shaftPower = withUnit(duty.shaftPower, 0, "W");
    out.npshr = withUnit(duty.npshr, 2, "m");
    out.flowPerPump = withUnit(duty.flowPerPump, 0, "l/h");
    out.headPerPump = withUnit(duty.headPerPump, decimalsFor(duty.headPerPump), "m");
    out.speed = withUnit(duty.speed, 1, "%");
    out.specificEnergy = withUnit(duty.specificEnergy, 4, "kWh/m3");
    out.npsha = withUnit(duty.npsha, 2, "m");
    out.npshRatio = std::isfinite(duty.npshRatio) ? NumberText::fixed(duty.npshRatio, 2) : NoValue;
    out.maxFlowNpsh = !duty.npshChecked || std::isnan(duty.npshr) ? NoValue
        : duty.maxFlowNpsh ? withUnit(*duty.maxFlowNpsh, 0, "l/h")
                           : QStringLiteral("whole range");
    const auto unstable = std::count_if(duty.crossings.begin(), duty.crossings.end(),
        [](const SystemCurve::Crossing &c) { return !c.stable; });
    if (unstable > 0)
        out.note = QStringLiteral("The curves also meet where the pump's head rises faster than "
                                  "the system's (hollow marks): not a stable duty point.");
    else if (duty.moreCrossings)
        out.note = QStringLiteral("The curves meet at more than one flow; this is the lowest.");
    return out;
}

QString dutyLabel(const SystemCurve::Duty &duty)
{
    if (!duty.found)
        return {};
    return QStringLiteral("Duty point: %1, %2")
        .arg(withUnit(duty.system.flow, 0, "l/h"),
            withUnit(duty.system.head, decimalsFor(duty.system.head), "m"));
}

std::vector<PumpRowTexts> tableTexts(const PumpCurve &pump)
{
    std::vector<PumpRowTexts> rows;
    for (const PumpPoint &p : pump.points()) {
        rows.push_back({NumberText::plain(p.flow), NumberText::plain(p.head),
            pump.hasEfficiency() ? NumberText::plain(p.efficiency) : QString(),
            pump.hasNpshr() ? NumberText::plain(p.npshr) : QString()});
    }
    return rows;
}

TableRead pumpFromTable(const std::vector<PumpRowTexts> &rows)
{
    TableRead out;
    std::array<bool, 4> used{};
    std::vector<size_t> filled;
    for (size_t i = 0; i < rows.size(); ++i) {
        bool any = false;
        for (size_t c = 0; c < 4; ++c) {
            const bool has = !rows[i][c].trimmed().isEmpty();
            used[c] = used[c] || has;
            any = any || has;
        }
        if (any)
            filled.push_back(i);
    }
    if (filled.empty()) {
        out.empty = true;
        return out;
    }
    std::vector<PumpPoint> points;
    for (size_t i : filled) {
        std::array<double, 4> values{};
        for (size_t c = 0; c < 4; ++c) {
            if (!used[c] && c >= 2)
                continue;
            const std::optional<double> v = NumberText::parse(rows[i][c]);
            if (!v) {
                out.error
                    = QStringLiteral("Row %1: the %2 is %3")
                          .arg(i + 1)
                          .arg(ColumnNames[c],
                              rows[i][c].trimmed().isEmpty() ? QStringLiteral("missing")
                                                             : QStringLiteral("not a number"));
                return out;
            }
            values[c] = *v;
        }
        points.push_back({values[0], values[1], values[2], values[3]});
    }
    if (const auto fault = PumpCurve::check(points, used[2], used[3])) {
        const size_t at = size_t(fault->row);
        const QString row
            = at < filled.size() ? QStringLiteral("Row %1: ").arg(filled[at] + 1) : QString();
        out.error = row + fault->what;
        return out;
    }
    out.curve = PumpCurve(std::move(points), used[2], used[3]);
    return out;
}

} // namespace CurveTexts
