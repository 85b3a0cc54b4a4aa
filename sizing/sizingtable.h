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

// Column heading with its unit, as the window and the CSV header show it.
QString heading(Column column);
// What the column holds, for a tooltip.
QString description(Column column);

// "laminar", "turbulent", "no friction factor", ...
QString regimeText(CalcEngine::Status status);

// The number in a column, or NaN where the row has none (the size and regime columns,
// the friction-dependent values without a friction factor, entries still missing).
double value(const SizingRow &row, Column column);

// The cell as the window shows it, numbers in `locale`; "****" stands for a number
// that the case does not give, as in the main window.
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

} // namespace SizingTable
