#pragma once

#include "calc/physics.h"

#include <QLocale>
#include <QString>

#include <limits>
#include <optional>

// Density and viscosity of a liquid from its temperature: water by the IAPWS
// formulations, ethylene and propylene glycol in water by Melinder's fits. A request
// outside the range of its formulation is refused with a message that states the range;
// nothing is extrapolated.
enum class Fluid { Water, EthyleneGlycol, PropyleneGlycol };

// The fluid's name on the command line ("water", "ethylene-glycol", "propylene-glycol")
// and in a window ("Water", "Ethylene glycol", "Propylene glycol").
QString fluidName(Fluid fluid);
QString fluidCaption(Fluid fluid);
std::optional<Fluid> fluidFromName(const QString &name);
// The known names, for messages: "water, ethylene-glycol and propylene-glycol".
QString knownFluidNames();

inline constexpr double StandardPressure = Physics::StandardAtmosphere;

struct FluidRequest
{
    Fluid fluid = Fluid::Water;
    double temperature = 20.0; // °C
    double pressure = StandardPressure; // bar absolute, water only
    double concentration = 30.0; // % by mass, glycols only
};

struct FluidResult
{
    double density = std::numeric_limits<double>::quiet_NaN(); // kg/m³
    double viscosity = std::numeric_limits<double>::quiet_NaN(); // mPa·s = cP
    double freezingPoint = std::numeric_limits<double>::quiet_NaN(); // °C, glycols only
    QString source; // the formulation, named for a reader
    QString validRange; // where it holds, for this pressure or concentration where known
    QString error; // why the request is refused; empty when it is not

    bool ok() const { return error.isEmpty(); }
};

// Numbers in the texts follow `locale`.
FluidResult fluidProperties(const FluidRequest &request, const QLocale &locale = QLocale());

// The values as a user would type them into the main window: density with 2 decimals,
// viscosity with 4 (5 below 0.1 cP, so that hot water keeps 3 significant digits),
// temperatures with 2.
QString densityText(double density, const QLocale &locale = QLocale());
QString viscosityText(double viscosity, const QLocale &locale = QLocale());
QString temperatureText(double temperature, const QLocale &locale = QLocale());

// What Apply changed, so that the values before can be typed back: "density 1000 ->
// 983.21 kg/m3, viscosity 1 -> 0.4660 cP", the earlier values as the main window holds
// them, the new ones as handed over.
QString appliedText(double density, const QString &newDensity, double viscosity,
    const QString &newViscosity, const QLocale &locale = QLocale());
