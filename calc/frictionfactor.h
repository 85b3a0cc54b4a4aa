#pragma once

class Dialogs;

// log10 as the program has always computed it: ln(x) / ln(10).
double Log10(double x);

// The Darcy friction factor of turbulent flow: the first value of the grid
// 0.007, 0.0071, ... (built by repeated addition) that satisfies the program's
// Colebrook-White equation within 0.0001. Returns 0 after the message
// "Friction Factor undetermined" when no grid value does.
// roughness and diameter in the same unit (mm); reynolds dimensionless.
double SolveFrictionFactor(double roughness, double diameter, double reynolds, Dialogs &dialogs);

// The same search without the message: 0 when no grid value fits.
double frictionFactorOrZero(double roughness, double diameter, double reynolds);

// The outcome of one search and what it cost, for tests and benchmarks.
struct FrictionFactorSearch
{
    double factor = 0; // 0 when no grid value fits
    int evaluations = 0; // right-hand sides of the equation computed
    bool scanned = false; // true when the search had to try the grid in order
};
FrictionFactorSearch searchFrictionFactor(double roughness, double diameter, double reynolds);

// The step between two trial values: the friction factor, and so the system curve of a
// turbulent case, moves in steps of this size.
inline constexpr double FrictionFactorGridStep = 0.0001;

// The grid of trial values, in order: 9831 values from 0.007 to just below 0.99.
const double *frictionFactorGrid();
int frictionFactorGridSize();
