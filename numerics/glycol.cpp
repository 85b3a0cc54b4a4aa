#include "numerics/glycol.h"

#include <array>
#include <cmath>

namespace {

// The 18 coefficients of one fit in the order of the book: c00 c01 c02 c03, c10 c11
// c12 c13, c20 c21 c22 c23, c30 c31 c32, c40 c41, c50 (first index: concentration).
using Coefficients = std::array<double, 18>;

struct Fits
{
    double meanConcentration; // xm, % by mass
    double meanTemperature; // tm, °C
    Coefficients freezingPoint; // °C
    Coefficients density; // kg/m³
    Coefficients logViscosity; // ln of the viscosity in mPa·s
};

constexpr Fits EthyleneGlycol = {
    30.8462,
    31.728,
    {-1.525e1, -1.566e-6, -2.278e-7, 2.169e-9, -8.080e-1, -1.339e-6, 2.047e-8, -2.717e-11,
        -1.334e-2, 6.332e-8, 2.373e-10, -2.183e-12, -7.293e-5, -1.764e-9, -2.442e-11, 1.006e-6,
        -7.662e-11, 1.140e-9},
    {1.034e3, -4.781e-1, -2.692e-3, 4.725e-6, 1.311e0, -6.876e-3, 4.805e-5, 1.690e-8, 7.490e-5,
        7.855e-5, -3.995e-7, 4.982e-9, -1.062e-4, 1.229e-6, -1.153e-8, -9.623e-7, -7.221e-8,
        4.891e-8},
    // Public transcriptions of this fit differ in the signs of c21 and c22 and in c30
    // (1.659e-6 or 1.695e-6). These are the values that give back water at 0 % within
    // 2 % from 0 to 100 °C; the others are 22 % off at 100 °C.
    {4.705e-1, -2.550e-2, 1.782e-4, -7.669e-7, 2.471e-2, -1.171e-4, 1.052e-6, -1.634e-8, 3.328e-6,
        1.086e-6, 1.051e-8, -6.475e-10, 1.659e-6, 3.157e-9, 4.063e-10, 3.089e-8, 1.831e-10,
        -1.865e-9},
};

constexpr Fits PropyleneGlycol = {
    30.7031,
    32.7083,
    {-1.325e1, -3.820e-5, 7.865e-7, -1.733e-9, -6.631e-1, 6.774e-6, -6.242e-8, -7.819e-10,
        -1.094e-2, 5.332e-8, -4.169e-9, 3.288e-11, -2.283e-4, -1.131e-8, 1.918e-10, -3.409e-6,
        8.035e-11, 1.465e-8},
    {1.018e3, -5.406e-1, -2.666e-3, 1.347e-5, 7.604e-1, -9.450e-3, 5.541e-5, -1.343e-7, -2.498e-3,
        2.700e-5, -4.018e-7, 3.376e-9, -1.550e-4, 2.829e-6, -7.175e-9, -1.131e-6, -2.221e-8,
        2.342e-8},
    {6.837e-1, -3.045e-2, 2.525e-4, -1.399e-6, 3.328e-2, -3.984e-4, 4.332e-6, -1.860e-8, 5.453e-5,
        -8.600e-8, -1.593e-8, -4.465e-11, -3.900e-6, 1.054e-7, -1.589e-9, -1.587e-8, 4.475e-10,
        3.564e-9},
};

const Fits &fits(Glycol::Kind kind)
{
    return kind == Glycol::Kind::Ethylene ? EthyleneGlycol : PropyleneGlycol;
}

// The number of temperature terms for each power of the concentration.
constexpr std::array<int, 6> TemperatureTerms = {4, 4, 4, 3, 2, 1};

double evaluate(const Coefficients &c, double dx, double dt)
{
    double sum = 0.0;
    double xPower = 1.0;
    size_t k = 0;
    for (int terms : TemperatureTerms) {
        double tPower = 1.0;
        for (int j = 0; j < terms; ++j) {
            sum += c[k++] * xPower * tPower;
            tPower *= dt;
        }
        xPower *= dx;
    }
    return sum;
}

} // namespace

namespace Glycol {

double freezingPoint(Kind kind, double concentration)
{
    // The freezing point depends on the concentration alone; the book's fit carries
    // temperature terms too, vanishingly small, which are read at the mean temperature.
    const Fits &f = fits(kind);
    return evaluate(f.freezingPoint, concentration - f.meanConcentration, 0.0);
}

double density(Kind kind, double concentration, double temperature)
{
    const Fits &f = fits(kind);
    return evaluate(
        f.density, concentration - f.meanConcentration, temperature - f.meanTemperature);
}

double viscosity(Kind kind, double concentration, double temperature)
{
    const Fits &f = fits(kind);
    return std::exp(evaluate(
        f.logViscosity, concentration - f.meanConcentration, temperature - f.meanTemperature));
}

} // namespace Glycol
