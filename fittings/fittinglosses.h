#pragma once

#include "calc/calcengine.h"
#include "calc/caseinput.h"
#include "calc/fittingmethod.h"
#include "calc/fittingresistance.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// What each counted fitting of a case costs by the l/d of the main window and by the
// published methods, side by side, and the case's total pressure drop by each method.
// Arrays by method are in the order of AllFittingMethods.
namespace FittingLosses {

// Below this Reynolds number the flow is laminar or transitional, where fixed l/d
// values, which hold for fully turbulent flow, are least to be trusted.
inline constexpr double TransitionalLimit = 4000;

using ByMethod = std::array<double, AllFittingMethods.size()>;

struct Row
{
    int type = 0; // 0 to 5 bends and tees, 6 to 18 valves
    int count = 0;
    double ld = 0; // of one fitting, as the count window has it
    ByMethod k{}; // of one fitting; NaN where the method gives none
    ByMethod pressureDrop{}; // bar, count times K times rho v^2 / 2; NaN where no K
};

struct Table
{
    CalcEngine::Status status = CalcEngine::Status::NeedsInput;
    double reynolds = 0;
    double frictionFactor = 0; // the case's, for the l/d method
    double fullyTurbulent = 0; // Crane's f_T; NaN where the pipe has none
    double innerDiameterInches = 0; // Hooper's D
    FittingResistance::NominalSize nominal{}; // Darby's D
    std::vector<Row> rows; // the counted types, in the rows of the count windows
    // The pressure drop of all the fittings by each method, in bar, as the case's
    // evaluation by that method reckons them; by l/d exactly the main window's
    // rho v^2 / 2 times its friction of appendages. Fittings without a K are left out.
    ByMethod fittingsDrop{};
    // The case's total pressure drop in bar with each method's fittings in place of the
    // l/d ones; NaN where the case has no result, or the method leaves a counted fitting out.
    ByMethod totalDrop{};
    // The counted types each method gives no K.
    std::array<std::vector<int>, AllFittingMethods.size()> leftOut;

    bool hasResult() const { return CalcEngine::hasResult(status); }
};

// The table of a case. `computed`, where given, is what the main window computed for
// the case by l/d; the other methods are evaluated here.
Table of(const CaseInput &c, const std::optional<CalcEngine::Outcome> &computed = std::nullopt);

// The lowest and the highest pressure drop of the fittings among the methods that
// leave none out; none where fewer than two such methods have one.
struct Spread
{
    FittingMethod lowest = FittingMethod::Ld;
    FittingMethod highest = FittingMethod::Ld;
    double low = 0; // bar
    double high = 0; // bar
};
std::optional<Spread> spread(const Table &table);

// Laminar or transitional flow where the methods disagree by more than a factor of two.
bool disagreesAtLowReynolds(const Table &table);

// The caption of a fitting type as its count window shows it, and its l/d there.
QString typeLabel(int type);
double typeLd(int type);

// The CSV of a table, as the window exports it and `zeptor-cli fittings --format csv`
// writes it: a header with units, a line per counted fitting type and a last line
// "total" with the case's total pressure drop by each method. Numbers read back
// exactly, "." as decimal separator; a value a method does not give is empty.
QByteArray csvHeader();
QByteArray csv(const Table &table);

} // namespace FittingLosses
