#pragma once

// Aqueous solutions of ethylene glycol and propylene glycol by the polynomial fits of
//
//   Å. Melinder, Properties of Secondary Working Fluids (Secondary Refrigerants or
//   Coolants, Heat Transfer Fluids) for Indirect Systems, IIR/IIF, Paris 2010.
//
// Each property is one fit over the mass fraction x (in %) and the temperature t (in °C):
//   f(x, t) = Σ c_ij (x - xm)^i (t - tm)^j,  i = 0..5, j = 0..3, i + j ≤ 5
// with 18 coefficients per property and fluid, xm and tm the means of the fitted data.
// The fits cover 0 to 60 % by mass from the freezing point up to 100 °C; the functions
// evaluate them as they stand and check nothing (see fluidproperties.h).
namespace Glycol {

enum class Kind { Ethylene, Propylene };

inline constexpr double MinConcentration = 0.0; // % by mass
inline constexpr double MaxConcentration = 60.0; // % by mass
inline constexpr double MaxTemperature = 100.0; // °C

// The freezing point in °C (the onset of ice crystals) at a concentration in % by mass.
double freezingPoint(Kind kind, double concentration);
// Density in kg/m³ and dynamic viscosity in mPa·s at a concentration in % by mass and a
// temperature in °C.
double density(Kind kind, double concentration, double temperature);
double viscosity(Kind kind, double concentration, double temperature);

} // namespace Glycol
