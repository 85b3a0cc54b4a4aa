#pragma once

// The physical constants and unit conversions of the calculation. Each is written so that
// every caller computes bit for bit what the main window computes: keep the operations
// in the order given here.
namespace Physics {

inline constexpr double Gravity = 9.81; // m/s2, as the calculation has always used it
inline constexpr double PascalPerBar = 100000;
inline constexpr double BarPerMegapascal = 10;
inline constexpr double LitresPerHourPerCubicMetrePerSecond = 3600000;
inline constexpr double LitresPerCubicMetre = 1000;
inline constexpr double CubicMetresPerLitre = 0.001;
inline constexpr double SecondsPerHour = 3600;
inline constexpr double ZeroCelsius = 273.15; // K
inline constexpr double StandardAtmosphere = 1.01325; // bar absolute
// The area of a circle over the square of its diameter: the double nearest to
// 3.14159265358979 / 4, a little below pi / 4, as the calculation has always used it.
inline constexpr double QuarterPi = 0.7853981633974475;

// l/h to m3/s.
constexpr double cubicMetresPerSecond(double litresPerHour)
{
    return litresPerHour / LitresPerHourPerCubicMetrePerSecond;
}

// m3/h to l/h.
constexpr double litresPerHourFromCubicMetres(double cubicMetresPerHour)
{
    return cubicMetresPerHour * LitresPerCubicMetre;
}

// l/h to m3/h.
constexpr double cubicMetresPerHour(double litresPerHour)
{
    return litresPerHour / LitresPerCubicMetre;
}

// The head in metres of a liquid of `density` kg/m3 that a pressure drop in bar stands for.
constexpr double headOf(double pressureDropBar, double density)
{
    return pressureDropBar * PascalPerBar / (density * Gravity);
}

// The pressure in bar of a head of `head` metres of that liquid.
constexpr double pressureOf(double head, double density)
{
    return head * density * Gravity / PascalPerBar;
}

// Hydraulic power rho g Q H in W, for Q in l/h and H in m.
constexpr double hydraulicPower(double density, double litresPerHour, double head)
{
    return density * Gravity * cubicMetresPerSecond(litresPerHour) * head;
}

} // namespace Physics
