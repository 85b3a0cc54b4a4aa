#pragma once

// Liquid water by the IAPWS releases, in the units of the releases: temperature in K,
// pressure in MPa, density in kg/m³.
//
//   IAPWS R7-97(2012): Revised Release on the IAPWS Industrial Formulation 1997 for
//   the Thermodynamic Properties of Water and Steam (IAPWS-IF97), region 1 (liquid)
//   and region 4 (saturation line).
//   IAPWS R12-08: Release on the IAPWS Formulation 2008 for the Viscosity of Ordinary
//   Water Substance, without the critical enhancement (as the release advises for
//   industrial use).
//
// The functions evaluate the equations as they stand and check nothing; the caller
// keeps to the ranges (see fluidproperties.h).
namespace Water {

// Region 1: specific volume in m³/kg at temperature T and pressure p.
double specificVolume(double temperature, double pressure);
inline double density(double temperature, double pressure)
{
    return 1.0 / specificVolume(temperature, pressure);
}

// Region 4: the saturation pressure (MPa) at T, 273.15 K to 647.096 K, and the
// saturation temperature (K) at p, 611.213 Pa to 22.064 MPa.
double saturationPressure(double temperature);
double saturationTemperature(double pressure);

// The dynamic viscosity in µPa·s at temperature T (K) and density (kg/m³).
double viscosity(double temperature, double density);

} // namespace Water
