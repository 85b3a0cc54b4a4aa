#include "numerics/water.h"

#include <array>
#include <cmath>

namespace {

// IF97, the specific gas constant of water in kJ/(kg·K) (equation 1).
constexpr double R = 0.461526;

// IF97 region 1, table 2: the exponents I and J and the coefficients n of the
// dimensionless Gibbs free energy (equation 7).
struct Term
{
    int I;
    int J;
    double n;
};
constexpr std::array<Term, 34> Region1 = {{
    {0, -2, 0.14632971213167},
    {0, -1, -0.84548187169114},
    {0, 0, -0.37563603672040e1},
    {0, 1, 0.33855169168385e1},
    {0, 2, -0.95791963387872},
    {0, 3, 0.15772038513228},
    {0, 4, -0.16616417199501e-1},
    {0, 5, 0.81214629983568e-3},
    {1, -9, 0.28319080123804e-3},
    {1, -7, -0.60706301565874e-3},
    {1, -1, -0.18990068218419e-1},
    {1, 0, -0.32529748770505e-1},
    {1, 1, -0.21841717175414e-1},
    {1, 3, -0.52838357969930e-4},
    {2, -3, -0.47184321073267e-3},
    {2, 0, -0.30001780793026e-3},
    {2, 1, 0.47661393906987e-4},
    {2, 3, -0.44141845330846e-5},
    {2, 17, -0.72694996297594e-15},
    {3, -4, -0.31679644845054e-4},
    {3, 0, -0.28270797985312e-5},
    {3, 6, -0.85205128120103e-9},
    {4, -5, -0.22425281908000e-5},
    {4, -2, -0.65171222895601e-6},
    {4, 10, -0.14341729937924e-12},
    {5, -8, -0.40516996860117e-6},
    {8, -11, -0.12734301741641e-8},
    {8, -6, -0.17424871230634e-9},
    {21, -29, -0.68762131295531e-18},
    {23, -31, 0.14478307828521e-19},
    {29, -38, 0.26335781662795e-22},
    {30, -39, -0.11947622640071e-22},
    {31, -40, 0.18228094581404e-23},
    {32, -41, -0.93537087292458e-25},
}};
constexpr int MaxI = 32;
constexpr int MinJ = -41;
constexpr int MaxJ = 17;

// IF97 region 4, table 34: the coefficients n1 ... n10 of the saturation equation.
constexpr std::array<double, 11> N4 = {0.0, // n[0] unused: the release counts from 1
    0.11670521452767e4, -0.72421316703206e6, -0.17073846940092e2, 0.12020824702470e5,
    -0.32325550322333e7, 0.14915108613530e2, -0.48232657361591e4, 0.40511340542057e6,
    -0.23855557567849, 0.65017534844798e3};

// R12-08: reducing constants and the coefficients of table 1 (dilute gas) and table 2
// (residual part); H[i][j] multiplies (1/T̄ - 1)^i (ρ̄ - 1)^j.
constexpr double CriticalTemperature = 647.096; // K
constexpr double CriticalDensity = 322.0; // kg/m³
constexpr std::array<double, 4> H0 = {1.67752, 2.20462, 0.6366564, -0.241605};
constexpr double H1[6][7] = {
    {5.20094e-1, 2.22531e-1, -2.81378e-1, 1.61913e-1, -3.25372e-2, 0.0, 0.0},
    {8.50895e-2, 9.99115e-1, -9.06851e-1, 2.57399e-1, 0.0, 0.0, 0.0},
    {-1.08374, 1.88797, -7.72479e-1, 0.0, 0.0, 0.0, 0.0},
    {-2.89555e-1, 1.26613, -4.89837e-1, 0.0, 6.98452e-2, 0.0, -4.35673e-3},
    {0.0, 0.0, -2.57040e-1, 0.0, 0.0, 8.72102e-3, 0.0},
    {0.0, 1.20573e-1, 0.0, 0.0, 0.0, 0.0, -5.93264e-4},
};

} // namespace

namespace Water {

double specificVolume(double temperature, double pressure)
{
    // Reduced pressure and inverse reduced temperature (equation 7): p* = 16.53 MPa,
    // T* = 1386 K.
    const double pi = pressure / 16.53;
    const double tau = 1386.0 / temperature;
    const double a = 7.1 - pi;
    const double b = tau - 1.222;

    // The powers are built by multiplication once: a call of std::pow for each of the
    // 34 terms would cost more than the rest of the evaluation together.
    std::array<double, MaxI> powA{}; // a^0 ... a^(MaxI-1)
    powA[0] = 1.0;
    for (int k = 1; k < MaxI; ++k)
        powA[size_t(k)] = powA[size_t(k - 1)] * a;
    std::array<double, MaxJ - MinJ + 1> powB{}; // b^MinJ ... b^MaxJ
    powB[size_t(-MinJ)] = 1.0;
    for (int j = 1; j <= MaxJ; ++j)
        powB[size_t(j - MinJ)] = powB[size_t(j - 1 - MinJ)] * b;
    const double inverseB = 1.0 / b;
    for (int j = -1; j >= MinJ; --j)
        powB[size_t(j - MinJ)] = powB[size_t(j + 1 - MinJ)] * inverseB;

    // γ_π, the derivative of the Gibbs free energy by π (table 4); the terms with
    // I = 0 do not depend on π.
    double gammaPi = 0.0;
    for (const Term &t : Region1) {
        if (t.I == 0)
            continue;
        gammaPi -= t.n * t.I * powA[size_t(t.I - 1)] * powB[size_t(t.J - MinJ)];
    }
    // v = π γ_π R T / p (table 3); R in kJ/(kg·K) over p in kPa gives m³/kg.
    return pi * gammaPi * R * temperature / (pressure * 1000.0);
}

double saturationPressure(double temperature)
{
    // Equation 30 solved for p (equations 29a and 30).
    const double theta = temperature + N4[9] / (temperature - N4[10]);
    const double A = theta * theta + N4[1] * theta + N4[2];
    const double B = N4[3] * theta * theta + N4[4] * theta + N4[5];
    const double C = N4[6] * theta * theta + N4[7] * theta + N4[8];
    const double root = 2.0 * C / (-B + std::sqrt(B * B - 4.0 * A * C));
    const double squared = root * root;
    return squared * squared; // p* = 1 MPa
}

double saturationTemperature(double pressure)
{
    // Equation 31 with β = (p/p*)^(1/4), p* = 1 MPa.
    const double beta = std::sqrt(std::sqrt(pressure));
    const double E = beta * beta + N4[3] * beta + N4[6];
    const double F = N4[1] * beta * beta + N4[4] * beta + N4[7];
    const double G = N4[2] * beta * beta + N4[5] * beta + N4[8];
    const double D = 2.0 * G / (-F - std::sqrt(F * F - 4.0 * E * G));
    const double sum = N4[10] + D;
    return (sum - std::sqrt(sum * sum - 4.0 * (N4[9] + N4[10] * D))) / 2.0; // T* = 1 K
}

double viscosity(double temperature, double density)
{
    const double t = temperature / CriticalTemperature;
    const double rho = density / CriticalDensity;

    // The dilute-gas part μ̄0 (equation 11).
    double sum0 = 0.0;
    double inverseTPower = 1.0;
    for (double h : H0) {
        sum0 += h * inverseTPower;
        inverseTPower /= t;
    }
    const double mu0 = 100.0 * std::sqrt(t) / sum0;

    // The residual part μ̄1 (equation 12).
    const double x = 1.0 / t - 1.0;
    const double y = rho - 1.0;
    double outer = 0.0;
    double xPower = 1.0;
    for (const auto &row : H1) {
        double inner = 0.0;
        double yPower = 1.0;
        for (double h : row) {
            inner += h * yPower;
            yPower *= y;
        }
        outer += xPower * inner;
        xPower *= x;
    }
    const double mu1 = std::exp(rho * outer);

    // μ* = 1 µPa·s; the critical enhancement μ̄2 is taken as 1.
    return mu0 * mu1;
}

} // namespace Water
