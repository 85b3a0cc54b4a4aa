#pragma once

#include "calc/numbertext.h"

#include <QString>
#include <QStringList>

#include <array>
#include <span>

class Dialogs;

// A fitting type: the caption of its row and its equivalent length in pipe diameters.
struct FittingRow
{
    const char *label;
    qint16 factor; // l/d
};

inline constexpr std::array<FittingRow, 6> BendTable = {{
    {"180 bend, R=5D", 28},
    {"90 bend, R=5D", 16},
    {"90 bend (square , R=1.5D)", 20},
    {"45 bend(square , R=1.5D)", 16},
    {"Tee (flow straight through)", 20},
    {"Tee (flow through side outlet)", 65},
}};

inline constexpr std::array<FittingRow, 13> ValveTable = {{
    {"Gate valve open", 13},
    {"1/4-closed", 39},
    {"1/2-closed", 195},
    {"3/4-closed", 300},
    {"Membrane valve", 200},
    {"Ball valve (spherical plug valve)", 18},
    {"Needle valve", 1000},
    {"Butterfly valve (larger then 6 inch)", 20},
    {"Globe valve", 300},
    {"Nozzle (suction nozzle on vessel)", 32},
    {"Check valve (in-line ball type)", 150},
    {"Check valve (swing type)", 135},
    {"Filter (Y-type and bucket type)", 250},
}};

// The total l/d of a set of count fields: each count text times its factor, added up
// in row order and taken to a 32-bit whole number (halves to even) after every step.
// The count fields always hold whole numbers when this runs; a text that is not a
// number counts as 0.
qint32 totalLd(const QStringList &countTexts, std::span<const FittingRow> table);
// The same with the locale's symbols looked up already.
qint32 totalLd(const QStringList &countTexts, std::span<const FittingRow> table,
    const NumberText::Symbols &symbols);

// The l/d totals of a case's counts, as the count windows and a load compute them
// from the count texts: every count times its factor, added up in row order.
struct FittingTotals
{
    qint32 bendsLd = 0;
    qint32 valvesLd = 0;
};
FittingTotals fittingTotals(
    const std::array<qint16, 6> &bendCounts, const std::array<qint16, 13> &valveCounts);

// The decimal text of a count, as the count fields show it.
QString countText(qint16 count);

// Turns a typed count into a count of 0 to 999. A text that is not a number, or a
// number outside that range, is announced in a warning message box and gives 0.
qint16 CheckCount(const QString &text, Dialogs &dialogs);

inline constexpr int CountLimit = 999;
