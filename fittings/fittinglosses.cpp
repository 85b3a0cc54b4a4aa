#include "fittings/fittinglosses.h"

#include "appendages/fittings.h"
#include "calc/dotnumber.h"
#include "calc/physics.h"

#include <cmath>
#include <limits>

namespace FittingLosses {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

static_assert(BendTable.size() == size_t(BendTypeCount));
static_assert(ValveTable.size() == size_t(ValveTypeCount));

const FittingRow &countRow(int type)
{
    return type < BendTypeCount ? BendTable[size_t(type)]
                                : ValveTable[size_t(type - BendTypeCount)];
}

size_t index(FittingMethod method)
{
    return size_t(method);
}

// rho v^2 / 2 in bar: the pressure drop of a K of 1, grouped as the main window groups it.
double dynamicPressure(const Results &r, double density)
{
    return r.Velocity * r.Velocity * (density * 0.5) / Physics::PascalPerBar;
}

// The K of one fitting type by each method.
ByMethod coefficients(const Table &t, int type, bool hasFlow)
{
    ByMethod k;
    k.fill(NaN);
    const double ld = typeLd(type);
    if (t.hasResult())
        k[index(FittingMethod::Ld)] = t.frictionFactor * ld;
    if (!hasFlow)
        return k;
    k[index(FittingMethod::Crane)] = t.fullyTurbulent * ld;
    const FittingResistance::Conditions at{t.reynolds, t.innerDiameterInches, t.nominal.nps};
    for (FittingMethod method : {FittingMethod::TwoK, FittingMethod::ThreeK})
        k[index(method)] = FittingResistance::coefficient(method, type, at);
    return k;
}

} // namespace

QString typeLabel(int type)
{
    return QString::fromLatin1(countRow(type).label);
}

double typeLd(int type)
{
    return countRow(type).factor;
}

Table of(const CaseInput &c, const std::optional<CalcEngine::Outcome> &computed)
{
    Table t;
    const CalcEngine::Outcome byLd
        = computed ? *computed : CalcEngine::evaluate(c.withFittings(FittingMethod::Ld));
    const Results &r = byLd.results;
    t.status = byLd.status;
    t.reynolds = r.Reynolds;
    t.frictionFactor = r.FrictionFactor;
    t.fullyTurbulent = FittingResistance::fullyTurbulentFrictionFactor(
        c.inputs.WallRoughness, c.inputs.InnerDiameter);
    t.innerDiameterInches = Physics::inchesOf(c.inputs.InnerDiameter);
    t.nominal = FittingResistance::nominalSize(c.inputs.InnerDiameter);
    // Without a prompt the velocity and the Reynolds number are there, even where the
    // friction factor is not.
    const bool hasFlow = t.status != CalcEngine::Status::NeedsInput && std::isfinite(t.reynolds)
        && t.reynolds > 0 && std::isfinite(r.Velocity);

    const double perK = dynamicPressure(r, c.inputs.Density);
    for (int type = 0; type < FittingTypeCount; ++type) {
        const int count = c.counts[type];
        if (count == 0)
            continue;
        Row row{type, count, typeLd(type), coefficients(t, type, hasFlow), {}};
        for (size_t m = 0; m < row.k.size(); ++m)
            row.pressureDrop[m] = count * row.k[m] * perK;
        t.rows.push_back(row);
    }

    for (FittingMethod method : AllFittingMethods) {
        const size_t m = index(method);
        const CaseInput byMethod = c.withFittings(method);
        const CalcEngine::Outcome outcome
            = method == FittingMethod::Ld ? byLd : CalcEngine::evaluate(byMethod);
        t.leftOut[m] = FittingResistance::uncovered(byMethod);
        const bool result = CalcEngine::hasResult(outcome.status);
        t.fittingsDrop[m] = result
            ? dynamicPressure(outcome.results, c.inputs.Density) * outcome.results.AppendageFriction
            : NaN;
        t.totalDrop[m] = result && t.leftOut[m].empty() ? outcome.results.TotalPressureDrop : NaN;
    }
    return t;
}

std::optional<Spread> spread(const Table &table)
{
    std::optional<Spread> out;
    int methods = 0;
    for (FittingMethod method : AllFittingMethods) {
        const double drop = table.fittingsDrop[index(method)];
        if (table.rows.empty() || !table.leftOut[index(method)].empty() || !std::isfinite(drop))
            continue;
        ++methods;
        if (!out) {
            out = Spread{method, method, drop, drop};
            continue;
        }
        if (drop < out->low) {
            out->lowest = method;
            out->low = drop;
        }
        if (drop > out->high) {
            out->highest = method;
            out->high = drop;
        }
    }
    if (methods < 2)
        return std::nullopt;
    return out;
}

bool disagreesAtLowReynolds(const Table &table)
{
    const std::optional<Spread> s = spread(table);
    return table.hasResult() && table.reynolds < TransitionalLimit && s && s->high > 2 * s->low;
}

QByteArray csvHeader()
{
    QByteArray out = "type,count,l/d [-]";
    for (FittingMethod method : AllFittingMethods)
        out += QByteArray(",K ") + fittingMethodName(method) + " [-]";
    for (FittingMethod method : AllFittingMethods)
        out += QByteArray(",pressure drop ") + fittingMethodName(method) + " [bar]";
    return out + ",reynolds [-]\n";
}

QByteArray csv(const Table &table)
{
    QByteArray out = csvHeader();
    for (const Row &row : table.rows) {
        // Two labels hold a comma ("90 bend (square , R=1.5D)"); none holds a quote.
        out += '"' + typeLabel(row.type).toUtf8() + "\"," + QByteArray::number(row.count) + ',';
        DotNumber::append(out, row.ld);
        for (double k : row.k) {
            out += ',';
            DotNumber::append(out, k);
        }
        for (double drop : row.pressureDrop) {
            out += ',';
            DotNumber::append(out, drop);
        }
        out += ',';
        DotNumber::append(out, table.reynolds);
        out += '\n';
    }
    out += "total,,";
    for (size_t m = 0; m < AllFittingMethods.size(); ++m)
        out += ',';
    for (double drop : table.totalDrop) {
        out += ',';
        DotNumber::append(out, drop);
    }
    out += ',';
    DotNumber::append(out, table.reynolds);
    return out + '\n';
}

} // namespace FittingLosses
