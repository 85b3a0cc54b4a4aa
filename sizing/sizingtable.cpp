#include "sizing/sizingtable.h"

#include "calc/dotnumber.h"
#include "calc/numbertext.h"

#include <QStringList>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace SizingTable {

namespace {

using CalcEngine::Status;

struct ColumnInfo
{
    const char *heading;
    const char *description;
    int decimals; // display format; -1 for the plain text of the number
};

constexpr std::array<ColumnInfo, ColumnCount> Columns = {{
    {"size", "The pipe as its table names it", -1},
    {"inner diameter [mm]", "The inner diameter of the pipe", -1},
    {"velocity [m/s]", "The mean velocity of the liquid", 2},
    {"Reynolds number [-]", "The Reynolds number of the flow", 0},
    {"regime", "Laminar below a Reynolds number of 2320, turbulent above", -1},
    {"friction factor [-]", "The Darcy friction factor", 4},
    {"pressure drop [bar]",
        "The pressure drop of the pipe run: pipe, fittings and elevation, as in the main "
        "window",
        4},
    {"pressure drop [bar/100 m]",
        "The friction loss of 100 m of straight pipe, whatever the length of the run", 4},
    {"head [m]", "The total pressure drop (extra equipment included) as a column of the liquid", 2},
    {"power loss [W]", "The power that the total pressure drop costs, as in the main window", 1},
}};

const ColumnInfo &info(Column column)
{
    return Columns[size_t(column)];
}

// Quoted only where CSV needs it, so that plain sizes stay plain.
QByteArray csvText(const QString &text)
{
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))
        || text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))
        || text != text.trimmed();
    if (!quote)
        return text.toUtf8();
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return '"' + quoted.toUtf8() + '"';
}

bool frictionDependent(Column column)
{
    return column == Column::FrictionFactor || column == Column::PressureDrop
        || column == Column::DropPer100m || column == Column::Head || column == Column::PowerLoss;
}

} // namespace

QString heading(Column column)
{
    return QString::fromLatin1(info(column).heading);
}

QString description(Column column)
{
    return QString::fromLatin1(info(column).description);
}

QString regimeText(Status status)
{
    switch (status) {
    case Status::Laminar:
        return QStringLiteral("laminar");
    case Status::Turbulent:
        return QStringLiteral("turbulent");
    case Status::FrictionFactorUndetermined:
        return QStringLiteral("no friction factor");
    case Status::NotFinite:
        return QStringLiteral("out of range");
    case Status::NeedsInput:
        break;
    }
    return QStringLiteral("entry missing");
}

double value(const SizingRow &row, Column column)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Results &r = row.results;
    if (column == Column::InnerDiameter)
        return row.pipe.innerDiameter;
    if (row.status == Status::NeedsInput)
        return nan;
    // Without a friction factor the main window still shows pressure drops computed
    // with 0; a sizing table would rank such a pipe as the best one, so it shows none.
    if (row.status == Status::FrictionFactorUndetermined && frictionDependent(column))
        return nan;
    double v = nan;
    switch (column) {
    case Column::Velocity:
        v = r.Velocity;
        break;
    case Column::Reynolds:
        v = r.Reynolds;
        break;
    case Column::FrictionFactor:
        v = r.FrictionFactor;
        break;
    case Column::PressureDrop:
        v = r.PipePressureDrop;
        break;
    case Column::DropPer100m:
        v = row.dropPer100m;
        break;
    case Column::Head:
        v = row.head;
        break;
    case Column::PowerLoss:
        v = r.PowerLoss;
        break;
    case Column::Size:
    case Column::InnerDiameter:
    case Column::Regime:
        break;
    }
    return std::isfinite(v) ? v : nan;
}

QString text(const SizingRow &row, Column column, const QLocale &locale)
{
    if (column == Column::Size) {
        // The picker's texts are written with "."; a user's table names its pipes itself.
        if (!row.pipe.isBuiltIn())
            return row.pipe.size;
        QString size = row.pipe.size;
        return size.replace(QLatin1Char('.'), locale.decimalPoint());
    }
    if (column == Column::Regime)
        return regimeText(row.status);
    const double v = value(row, column);
    if (std::isnan(v))
        return row.status == Status::NeedsInput ? QString() : QStringLiteral("****");
    const int decimals = info(column).decimals;
    return decimals < 0 ? NumberText::plain(v, locale) : NumberText::fixed(v, decimals, locale);
}

double sortKey(const SizingRow &row, Column column)
{
    if (column == Column::Size)
        return row.pipe.innerDiameter;
    const double v = value(row, column);
    return std::isnan(v) ? std::numeric_limits<double>::infinity() : v;
}

QByteArray csvHeader()
{
    QByteArray out = "standard";
    for (int c = 0; c < ColumnCount; ++c)
        out += ',' + csvText(heading(Column(c)));
    return out + '\n';
}

QByteArray csvLine(const SizingRow &row)
{
    QByteArray out = csvText(row.pipe.standard);
    for (int c = 0; c < ColumnCount; ++c) {
        const auto column = Column(c);
        out += ',';
        if (column == Column::Size)
            out += csvText(row.pipe.size);
        else if (column == Column::Regime)
            out += csvText(regimeText(row.status));
        else
            DotNumber::append(out, value(row, column));
    }
    return out + '\n';
}

QByteArray csv(const std::vector<SizingRow> &rows)
{
    QByteArray out = csvHeader();
    for (const SizingRow &row : rows)
        out += csvLine(row);
    return out;
}

QByteArray csv(const std::vector<SizingRow> &rows, const SizingLimits &limits)
{
    QByteArray header = csvHeader();
    header.chop(1);
    QByteArray out = header + ',' + csvText(LimitsHeading) + '\n';
    for (const SizingRow &row : rows) {
        QByteArray line = csvLine(row);
        line.chop(1);
        out += line + (row.withinLimits(limits) ? ",yes\n" : ",no\n");
    }
    return out + "# limits: velocity " + DotNumber::text(limits.minVelocity) + " to "
        + DotNumber::text(limits.maxVelocity) + " m/s, pressure drop at most "
        + DotNumber::text(limits.maxDropPer100m) + " bar/100 m\n";
}

QString tabSeparated(
    const std::vector<const SizingRow *> &rows, const SizingLimits &limits, const QLocale &locale)
{
    QStringList headings = {TableHeading};
    for (int c = 0; c < ColumnCount; ++c)
        headings << heading(Column(c));
    headings << LimitsHeading;
    QString out = headings.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const SizingRow *row : rows) {
        QStringList cells = {row->pipe.standard};
        for (int c = 0; c < ColumnCount; ++c)
            cells << text(*row, Column(c), locale);
        cells << (row->withinLimits(limits) ? WithinLimits : QString());
        // A tab or line break inside a user's size would break the columns.
        for (QString &cell : cells)
            cell.replace(QLatin1Char('\t'), QLatin1Char(' '))
                .replace(QLatin1Char('\n'), QLatin1Char(' '));
        out += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out;
}

QString reversedBand(double lowest, double highest, const QLocale &locale)
{
    return QStringLiteral("The velocity band %1 to %2 m/s is reversed: it is refused, the limits "
                          "stay as they were.")
        .arg(NumberText::fixed(lowest, 2, locale), NumberText::fixed(highest, 2, locale));
}

QString refusedLimit(const QString &typed, double low, double high, const QLocale &locale)
{
    return QStringLiteral("\"%1\" is refused: type a number from %2 to %3, with \"%4\" as "
                          "decimal separator and no other.")
        .arg(typed, NumberText::plain(low, locale), NumberText::plain(high, locale),
            locale.decimalPoint());
}

QString notInPicker(const PipeSize &pipe, const QLocale &locale)
{
    return QStringLiteral("%1 (%2 mm) is now the inner diameter. The Inner diameter picker does "
                          "not list it: opening the picker writes its own remembered diameter "
                          "over it.")
        .arg(pipe.size, NumberText::plain(pipe.innerDiameter, locale));
}

} // namespace SizingTable
