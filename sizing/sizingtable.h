#pragma once

#include "sizing/linesizing.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <vector>

// The columns of the line sizing table, their texts in the window and the CSV file
// that both the window's export and `zeptor-cli size --format csv` write.
namespace SizingTable {

enum class Column {
    Size,
    InnerDiameter,
    Velocity,
    Reynolds,
    Regime,
    FrictionFactor,
    PressureDrop,
    DropPer100m,
    Head,
    PowerLoss,
};
inline constexpr int ColumnCount = 10;

// The window's first and last columns around these: the table a pipe comes from, and
// whether the row meets the limits.
inline const QString TableHeading = QStringLiteral("table");
inline const QString LimitsHeading = QStringLiteral("within limits");
inline const QString WithinLimits = QStringLiteral("yes");

// Column heading with its unit, as the window and the CSV header show it.
QString heading(Column column);
// What the column holds, for a tooltip.
QString description(Column column);

// "laminar", "turbulent", "no friction factor", ...
QString regimeText(CalcEngine::Status status);

// The number in a column, or NaN where the row has none (the size and regime columns,
// the friction-dependent values without a friction factor, entries still missing).
double value(const SizingRow &row, Column column);

// The cell as the window shows it, numbers in `locale` (the sizes of the picker's
// tables too: "22,6 mm" where the decimal separator is a comma); "****" stands for a
// number that the case does not give, as in the main window.
QString text(const SizingRow &row, Column column, const QLocale &locale = QLocale());

// The key a column sorts by: sizes by diameter, missing numbers after all others.
double sortKey(const SizingRow &row, Column column);

// The CSV file: a header line with units, then one line per row; a leading "standard"
// column names the table. "." as decimal separator and numbers in the shortest form
// that reads back exactly, so the bytes are the same under every locale; a missing
// number is an empty field.
QByteArray csvHeader();
QByteArray csvLine(const SizingRow &row);
QByteArray csv(const std::vector<SizingRow> &rows);
// The same with a last column "within limits" (yes or no) and, after the rows, the
// limits in a comment line: "# limits: velocity 0.5 to 3 m/s, ...".
QByteArray csv(const std::vector<SizingRow> &rows, const SizingLimits &limits);

// The window's messages: a velocity band whose lowest value lies above its highest is
// refused; a size from the user's own table is one the diameter picker does not list,
// and opening the picker writes its own remembered diameter over it.
QString reversedBand(double lowest, double highest, const QLocale &locale = QLocale());
// A limit typed in another notation or beyond its range: refused, as the main window
// refuses it, with the notation and range it would need.
QString refusedLimit(
    const QString &typed, double low, double high, const QLocale &locale = QLocale());
QString notInPicker(const PipeSize &pipe, const QLocale &locale = QLocale());

// Rows as the window shows them, for the clipboard: a line of headings, then one line
// per row, cells separated by tabs, numbers in `locale`.
QString tabSeparated(const std::vector<const SizingRow *> &rows, const SizingLimits &limits,
    const QLocale &locale = QLocale());

} // namespace SizingTable
