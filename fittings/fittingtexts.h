#pragma once

#include "fittings/fittinglosses.h"

#include <QLocale>
#include <QString>

// The texts of the Fitting losses window: its table's headings and cells and the lines
// under it, numbers in the user's locale.
namespace FittingTexts {

// The columns: the fitting, its count and l/d, K by each method, then the pressure
// drop by each method.
inline constexpr int TypeColumn = 0;
inline constexpr int CountColumn = 1;
inline constexpr int LdColumn = 2;
inline constexpr int FirstKColumn = 3;
inline constexpr int FirstDropColumn = FirstKColumn + int(AllFittingMethods.size());
inline constexpr int ColumnCount = FirstDropColumn + int(AllFittingMethods.size());

// "l/d", "Crane", "Hooper 2-K", "Darby 3-K".
QString methodTitle(FittingMethod method);

QString heading(int column);
QString description(int column);

// The rows of the table: one per counted fitting type, then "All fittings" and the
// case's total pressure drop; none without a counted fitting.
int rowCount(const FittingLosses::Table &table);
QString cell(
    const FittingLosses::Table &table, int row, int column, const QLocale &locale = QLocale());
// Where a K comes from: the published row and its source, or why the method has none.
QString cellDescription(const FittingLosses::Table &table, int row, int column);

// The lines under the table. Pressure drops are shown in Pa.
QString conditions(const FittingLosses::Table &table, const QLocale &locale = QLocale());
QString spread(const FittingLosses::Table &table, const QLocale &locale = QLocale());
QString note(const FittingLosses::Table &table);
QString leftOut(const FittingLosses::Table &table);

// Why the case's method draws no curve: the counted fittings it has no K for; empty
// where it covers them all.
QString curveNote(const CaseInput &c);

} // namespace FittingTexts
