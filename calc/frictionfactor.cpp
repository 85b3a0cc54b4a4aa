#include "calc/frictionfactor.h"

#include "calc/calctexts.h"
#include "calc/dialogs.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace {

constexpr double GridStart = 0.007;
constexpr double GridEnd = 0.99;
constexpr double GridStep = FrictionFactorGridStep;
constexpr double Tolerance = 0.0001;

// From this value of roughness term plus Reynolds term on, the residual is not known to
// grow with the trial value (at 1 the logarithm changes sign), so the grid is tried in order.
constexpr double MonotoneLimit = 0.3;

// The trial values come from repeated addition, not from start + k * step: the users'
// figures carry the rounding drift of that addition (the 132nd value is
// 0.02009999999999993), so the grid must carry it too.
constexpr int GridSize = [] {
    int n = 0;
    for (double f = GridStart; f <= GridEnd; f += GridStep)
        ++n;
    return n;
}();

// Built at compile time, with the same IEEE additions as at run time.
constexpr std::array<double, GridSize> Grid = [] {
    std::array<double, GridSize> v{};
    double f = GridStart;
    for (double &value : v) {
        value = f;
        f += GridStep;
    }
    return v;
}();

// f minus the right-hand side of the equation, for one trial value. The expressions
// are those of the grid scan, term for term, so that the result is the same double.
struct Residual
{
    double reynolds;
    double roughnessTerm;
    int *evaluations;

    double operator()(double f) const
    {
        ++*evaluations;
        const double t = 2.5 / (std::sqrt(f) * reynolds);
        const double rhs = std::pow(-2 * Log10(roughnessTerm + t), -2);
        return f - rhs;
    }
};

} // namespace

double Log10(double x)
{
    return std::log(x) / std::log(10.0);
}

const double *frictionFactorGrid()
{
    return Grid.data();
}

int frictionFactorGridSize()
{
    return GridSize;
}

FrictionFactorSearch searchFrictionFactor(double roughness, double diameter, double reynolds)
{
    FrictionFactorSearch out;
    const std::array<double, GridSize> &values = Grid;
    const double r = roughness / (3.7 * diameter);
    const Residual residual{reynolds, r, &out.evaluations};
    const auto accepted = [](double g) { return std::fabs(g) < Tolerance; };

    // With a positive Reynolds number t falls as f grows. While r + t stays in (0, 1)
    // the logarithm then grows more negative and the right-hand side falls, so the
    // residual rises by about the step of 0.0001 or more from one trial value to the
    // next. Below 0.3 the right-hand side stays under 1 and its rounding errors of
    // ~1e-16 cannot undo that rise. The trial values with a residual above -0.0001 are
    // then a tail of the grid, and the first value the scan accepts can only be the
    // first value of that tail. t is largest at the first trial value, so checking the
    // sum there covers the whole grid.
    const double firstSum = r + 2.5 / (std::sqrt(values.front()) * reynolds);
    if (reynolds > 0 && r >= 0 && firstSum > 0 && firstSum < MonotoneLimit) {
        // Binary search for the first trial value with a residual above -0.0001,
        // keeping the residual found there.
        std::size_t lo = 0;
        std::size_t hi = values.size();
        double residualAtHi = 0;
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            const double g = residual(values[mid]);
            if (g > -Tolerance) {
                hi = mid;
                residualAtHi = g;
            } else {
                lo = mid + 1;
            }
        }
        if (hi < values.size() && accepted(residualAtHi))
            out.factor = values[hi];
        return out;
    }

    // Roughness comparable to the diameter, or arguments no calculation passes: try
    // every trial value in order, as the scan does.
    out.scanned = true;
    for (double f : values) {
        if (accepted(residual(f))) {
            out.factor = f;
            break;
        }
    }
    return out;
}

double frictionFactorOrZero(double roughness, double diameter, double reynolds)
{
    return searchFrictionFactor(roughness, diameter, reynolds).factor;
}

double SolveFrictionFactor(double roughness, double diameter, double reynolds, Dialogs &dialogs)
{
    const double f = frictionFactorOrZero(roughness, diameter, reynolds);
    if (f == 0)
        dialogs.messageBox(CalcTexts::FrictionFactorUndetermined);
    return f;
}
