#include "fittings/fittingtexts.h"

#include "calc/numbertext.h"
#include "calc/physics.h"

#include <QStringList>

#include <cmath>

namespace FittingTexts {

namespace {

using FittingLosses::Table;

constexpr int KDecimals = 3;
// The window shows pressure drops in Pa, as the main window's total beside the bar: a
// fitting often costs less than a millibar.
constexpr int DropDecimals = 2;

const QString AllFittings = QStringLiteral("All fittings");
const QString CaseTotal = QStringLiteral("Total pressure drop of the case");
const QString NoValue = QStringLiteral("-");

size_t methodOf(int column)
{
    return size_t(column < FirstDropColumn ? column - FirstKColumn : column - FirstDropColumn);
}

QString number(double value, int decimals, const QLocale &locale)
{
    return std::isfinite(value) ? NumberText::fixed(value, decimals, locale) : NoValue;
}

// A pressure drop in bar as the window shows it, in Pa.
QString pascals(double bar, const QLocale &locale)
{
    return number(bar * Physics::PascalPerBar, DropDecimals, locale);
}

QString regime(const Table &table)
{
    if (table.status == CalcEngine::Status::Laminar)
        return QStringLiteral("laminar");
    if (table.reynolds < FittingLosses::TransitionalLimit)
        return QStringLiteral("transitional");
    return QStringLiteral("turbulent");
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

QString methodTitle(FittingMethod method)
{
    switch (method) {
    case FittingMethod::Crane:
        return QStringLiteral("Crane");
    case FittingMethod::TwoK:
        return QStringLiteral("Hooper 2-K");
    case FittingMethod::ThreeK:
        return QStringLiteral("Darby 3-K");
    case FittingMethod::Ld:
        break;
    }
    return QStringLiteral("l/d");
}

QString heading(int column)
{
    switch (column) {
    case TypeColumn:
        return QStringLiteral("fitting");
    case CountColumn:
        return QStringLiteral("count");
    case LdColumn:
        return QStringLiteral("l/d\n[-]");
    default:
        break;
    }
    // On three lines, so that eleven columns fit the window.
    const FittingMethod method = AllFittingMethods[methodOf(column)];
    return column < FirstDropColumn
        ? QStringLiteral("K\n%1\n[-]").arg(methodTitle(method))
        : QStringLiteral("pressure drop\n%1\n[Pa]").arg(methodTitle(method));
}

QString description(int column)
{
    switch (column) {
    case TypeColumn:
        return QStringLiteral("The fitting as the count window names it");
    case CountColumn:
        return QStringLiteral("How many the count window holds");
    case LdColumn:
        return QStringLiteral("The equivalent length of one fitting in pipe diameters");
    default:
        break;
    }
    if (column >= FirstDropColumn)
        return QStringLiteral("count times K times rho v^2 / 2, in Pa");
    switch (AllFittingMethods[methodOf(column)]) {
    case FittingMethod::Ld:
        return QStringLiteral("The case's friction factor times l/d, as the main window");
    case FittingMethod::Crane:
        return QStringLiteral("The pipe's fully turbulent friction factor f_T times l/d");
    case FittingMethod::TwoK:
        return QStringLiteral("K1/Re + Kinf (1 + 1/D), D the inner diameter in inches");
    case FittingMethod::ThreeK:
        break;
    }
    return QStringLiteral("K1/Re + Ki (1 + Kd/D^0.3), D the nominal diameter in inches");
}

int rowCount(const Table &table)
{
    return table.rows.empty() ? 0 : int(table.rows.size()) + 2;
}

QString cell(const Table &table, int row, int column, const QLocale &locale)
{
    const int fittings = int(table.rows.size());
    if (row < fittings) {
        const FittingLosses::Row &r = table.rows[size_t(row)];
        if (column == TypeColumn)
            return FittingLosses::typeLabel(r.type);
        if (column == CountColumn)
            return locale.toString(r.count);
        if (column == LdColumn)
            return locale.toString(r.ld);
        if (column < FirstDropColumn)
            return number(r.k[methodOf(column)], KDecimals, locale);
        return pascals(r.pressureDrop[methodOf(column)], locale);
    }
    const bool all = row == fittings;
    if (column == TypeColumn)
        return all ? AllFittings : CaseTotal;
    if (column < FirstDropColumn)
        return {};
    const size_t m = methodOf(column);
    return pascals(all ? table.fittingsDrop[m] : table.totalDrop[m], locale);
}

QString cellDescription(const Table &table, int row, int column)
{
    if (row >= int(table.rows.size()) || column < FirstKColumn || column >= FirstDropColumn)
        return {};
    const int type = table.rows[size_t(row)].type;
    const FittingResistance::FittingType &t = FittingResistance::fittingTypes()[size_t(type)];
    switch (AllFittingMethods[methodOf(column)]) {
    case FittingMethod::Ld:
        return QStringLiteral("As the main window: the case's friction factor times l/d");
    case FittingMethod::Crane:
        return QString::fromUtf8(FittingResistance::CraneSource);
    case FittingMethod::TwoK:
        return t.twoK.row ? QString::fromUtf8(t.twoK.text) + QStringLiteral("; ")
                + QString::fromUtf8(FittingResistance::HooperSource)
                          : QString::fromUtf8(t.twoK.text);
    case FittingMethod::ThreeK:
        break;
    }
    return t.threeK.row ? QString::fromUtf8(t.threeK.text) + QStringLiteral("; ")
            + QString::fromUtf8(FittingResistance::DarbySource)
                        : QString::fromUtf8(t.threeK.text);
}

QString conditions(const Table &table, const QLocale &locale)
{
    if (table.status == CalcEngine::Status::NeedsInput)
        return QStringLiteral("The case has no result yet: the main window still needs an entry.");
    QString text = QStringLiteral("Reynolds number %1 (%2)")
                       .arg(number(table.reynolds, 0, locale), regime(table));
    if (table.hasResult())
        text += QStringLiteral(", friction factor %1").arg(number(table.frictionFactor, 4, locale));
    return text
        + QStringLiteral(
            "; Crane: f_T %1; Hooper: D %2 in; Darby: NPS %3 (Schedule 40, %4 mm inside)")
              .arg(number(table.fullyTurbulent, 4, locale),
                  number(table.innerDiameterInches, 3, locale),
                  NumberText::plain(table.nominal.nps, locale),
                  NumberText::plain(table.nominal.innerDiameter, locale));
}

QString spread(const Table &table, const QLocale &locale)
{
    const std::optional<FittingLosses::Spread> s = FittingLosses::spread(table);
    if (!s)
        return {};
    QString text = QStringLiteral("Spread of the fittings' pressure drop: %1 Pa (%2) to %3 Pa (%4)")
                       .arg(pascals(s->low, locale), methodTitle(s->lowest),
                           pascals(s->high, locale), methodTitle(s->highest));
    if (s->low > 0)
        text += QStringLiteral(", %1 times").arg(number(s->high / s->low, 2, locale));
    return text + QLatin1Char('.');
}

QString note(const Table &table)
{
    if (!FittingLosses::disagreesAtLowReynolds(table))
        return {};
    return QStringLiteral("The flow is %1 and the methods disagree by more than a factor of two: "
                          "the l/d values hold for fully turbulent flow.")
        .arg(regime(table));
}

QString curveNote(const CaseInput &c)
{
    const std::vector<int> types = FittingResistance::uncovered(c);
    if (types.empty())
        return {};
    QStringList names;
    for (int type : types)
        names << quoted(FittingLosses::typeLabel(type));
    return QStringLiteral("%1 gives no K for %2: no curve by this method.")
        .arg(methodTitle(c.fittings), names.join(QStringLiteral(", ")));
}

QString leftOut(const Table &table)
{
    QStringList lines;
    for (FittingMethod method : AllFittingMethods) {
        const std::vector<int> &types = table.leftOut[size_t(method)];
        if (types.empty())
            continue;
        QStringList names;
        for (int type : types) {
            const FittingResistance::FittingType &t
                = FittingResistance::fittingTypes()[size_t(type)];
            const char *why = method == FittingMethod::TwoK ? t.twoK.text
                : method == FittingMethod::ThreeK           ? t.threeK.text
                                                            : "no fully turbulent friction factor";
            names << QStringLiteral("%1 (%2)").arg(
                quoted(FittingLosses::typeLabel(type)), QString::fromUtf8(why));
        }
        lines << QStringLiteral("Left out of %1, which has no total: %2.")
                     .arg(methodTitle(method), names.join(QStringLiteral(", ")));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace FittingTexts
