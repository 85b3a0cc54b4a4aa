#pragma once

#include "calc/caseinput.h"
#include "calc/fittingmethod.h"

#include <optional>
#include <span>
#include <vector>

// The resistance coefficient K of the count windows' fitting types by the published
// methods that follow the Reynolds number: Crane's K = f_T l/d, Hooper's 2-K and
// Darby's 3-K. The pressure drop of a fitting is K rho v^2 / 2.
namespace FittingResistance {

// A row of Hooper's 2-K table: K = K1/Re + Kinf (1 + 1/D), D the inner diameter in inches.
struct TwoK
{
    double k1;
    double kInf;
};

// A row of Darby's 3-K table: K = K1/Re + Ki (1 + Kd/D^0.3), D the nominal diameter in
// inches.
struct ThreeK
{
    double k1;
    double ki;
    double kd; // inches^0.3
};

// Where a fitting type stands in one published table: the row and its constants, or,
// where the table has no such fitting, why not. A type without a row is left out of
// that method's sum; nothing is made up for it.
template<typename Row>
struct Counterpart
{
    const char *text; // the row's name as the source tabulates it, or why there is none
    std::optional<Row> row;
};

struct FittingType
{
    const char *label; // as in the count window
    Counterpart<TwoK> twoK;
    Counterpart<ThreeK> threeK;
};

inline constexpr const char *CraneSource
    = "Crane TP-410 (2009): K = f_T l/d, with the count window's l/d";
inline constexpr const char *HooperSource
    = "Hooper, Chem. Eng. 88 (Aug. 24, 1981) 97; the row as fluids.fittings.Hooper names it";
inline constexpr const char *DarbySource = "Darby (Silverberg and Darby), Chem. Eng. 106 (July "
                                           "1999) 101; the row as fluids.fittings.Darby names it";

// Every fitting type of the count windows, the bends and tees first, in their rows.
std::span<const FittingType, FittingTypeCount> fittingTypes();

// Hooper's K at `reynolds` in a pipe of `innerDiameter` inches.
double twoK(const TwoK &row, double reynolds, double innerDiameter);
// Darby's K at `reynolds` in a pipe of nominal size `nps` (inches).
double threeK(const ThreeK &row, double reynolds, double nps);

// The fully turbulent friction factor of a pipe: the Colebrook-White equation at
// Re -> infinity, 1/sqrt(f) = -2 log10(e / (3.7 D)), exactly, with the program's log10.
// Roughness and diameter in the same unit. NaN where the pipe has none: a smooth wall
// (e = 0), or a roughness so large that e / (3.7 D) is 1 or more.
double fullyTurbulentFrictionFactor(double roughness, double diameter);

// A nominal pipe size and the Schedule 40 inner diameter that stands for it.
struct NominalSize
{
    double nps; // inches
    double innerDiameter; // mm
};
// Darby's diameter for a pipe of `innerDiameter` mm: the nominal size whose Schedule 40
// inner diameter (ASME B36.10M, as fluids.piping tabulates NPS40 and S40i) is nearest,
// the smaller size on a tie; beyond the table its first or last size (1/8 and 36).
NominalSize nominalSize(double innerDiameter);

// What the K of a fitting depends on besides its row, worked out once for a case.
struct Conditions
{
    double reynolds = 0;
    double innerDiameterInches = 0; // Hooper's D
    double nps = 0; // Darby's D
};
Conditions conditions(const Inputs &in, double reynolds);

// The K of one fitting type by Hooper or Darby (`method` TwoK or ThreeK); NaN where
// that table has no row for the type, and for the other methods.
double coefficient(FittingMethod method, int type, const Conditions &at);

// The resistance of all the case's fittings by its method (Crane, TwoK or ThreeK) at
// `reynolds`: f_T times the l/d totals for Crane, the sum of count times K for the
// others. Fittings without a K by that method are left out.
double resistance(const CaseInput &c, double reynolds);

// The counted fitting types that the case's method gives no K, in row order: types
// without a row of the method's table, or, for Crane, every counted type where the
// pipe has no fully turbulent friction factor. Empty where the method covers them all.
std::vector<int> uncovered(const CaseInput &c);

} // namespace FittingResistance
