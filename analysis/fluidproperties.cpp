#include "analysis/fluidproperties.h"

#include "analysis/glycol.h"
#include "analysis/water.h"
#include "calc/numbertext.h"

#include <cmath>

namespace {

constexpr double ZeroCelsius = 273.15; // K
constexpr double MinWaterTemperature = 0.01; // °C, the triple point
// The pressures of a pipe run; IF97 region 1 itself reaches 100 MPa.
constexpr double MaxWaterPressure = 100.0; // bar absolute

const QString WaterSource = QStringLiteral(
    "IAPWS-IF97 region 1, revised release of 2012 (IAPWS R7-97(2012)), for the density; "
    "IAPWS Formulation 2008 (IAPWS R12-08) for the viscosity, without the critical "
    "enhancement");
const QString GlycolSource
    = QStringLiteral("Å. Melinder, Properties of Secondary Working Fluids for Indirect Systems "
                     "(IIR/IIF, Paris 2010): polynomial fits for %1 in water");

// A number for a range or a message: at most `significant` digits, no trailing zeros.
QString rangeNumber(double value, int significant, const QLocale &locale)
{
    if (value == 0.0 || !std::isfinite(value))
        return NumberText::plain(value, locale);
    const double scale
        = std::pow(10.0, significant - 1 - int(std::floor(std::log10(std::fabs(value)))));
    return NumberText::plain(std::round(value * scale) / scale, locale);
}

// The lowest pressure of liquid water: the saturation pressure at the triple point.
double minWaterPressure()
{
    return Water::saturationPressure(MinWaterTemperature + ZeroCelsius) * 10.0;
}

QString pressureRange(const QLocale &locale)
{
    return QStringLiteral("%1 to %2 bar absolute")
        .arg(rangeNumber(minWaterPressure(), 6, locale), rangeNumber(MaxWaterPressure, 6, locale));
}

FluidResult water(const FluidRequest &request, const QLocale &locale)
{
    FluidResult result;
    result.source = WaterSource;
    const QString lowest = temperatureText(MinWaterTemperature, locale);
    result.validRange = QStringLiteral("liquid water from %1 °C up to the boiling point, %2")
                            .arg(lowest, pressureRange(locale));
    const double p = request.pressure;
    const double t = request.temperature;
    if (!std::isfinite(p) || !std::isfinite(t)) {
        result.error = QStringLiteral("The temperature and the pressure must be numbers.");
        return result;
    }
    if (p < minWaterPressure() || p > MaxWaterPressure) {
        result.error = QStringLiteral("A pressure of %1 bar is outside the range of IAPWS-IF97 "
                                      "for liquid water: %2.")
                           .arg(rangeNumber(p, 6, locale), pressureRange(locale));
        return result;
    }

    // 1 bar = 0.1 MPa.
    const double boiling = Water::saturationTemperature(p / 10.0) - ZeroCelsius;
    const QString boilingText = temperatureText(boiling, locale);
    const QString pressureText = rangeNumber(p, 6, locale);
    result.validRange
        = QStringLiteral("liquid water from %1 °C up to %2 °C, the boiling point at %3 bar; %4")
              .arg(lowest, boilingText, pressureText, pressureRange(locale));
    if (t < MinWaterTemperature) {
        result.error = QStringLiteral("Water at %1 °C is ice: IAPWS-IF97 gives liquid water "
                                      "from %2 °C up to %3 °C at %4 bar.")
                           .arg(rangeNumber(t, 6, locale), lowest, boilingText, pressureText);
        return result;
    }
    if (t > boiling) {
        result.error = QStringLiteral("Water at %1 °C and %2 bar is steam: it boils at %3 °C; "
                                      "IAPWS-IF97 gives liquid water from %4 °C up to there.")
                           .arg(rangeNumber(t, 6, locale), pressureText, boilingText, lowest);
        return result;
    }

    const double kelvin = t + ZeroCelsius;
    result.density = Water::density(kelvin, p / 10.0);
    // The release gives µPa·s; the main window takes cP = mPa·s.
    result.viscosity = Water::viscosity(kelvin, result.density) / 1000.0;
    return result;
}

FluidResult glycol(const FluidRequest &request, const QLocale &locale)
{
    const Glycol::Kind kind
        = request.fluid == Fluid::EthyleneGlycol ? Glycol::Kind::Ethylene : Glycol::Kind::Propylene;
    const QString name = fluidCaption(request.fluid).toLower();
    FluidResult result;
    result.source = GlycolSource.arg(name);
    const QString concentrations = QStringLiteral("%1 to %2 % by mass")
                                       .arg(rangeNumber(Glycol::MinConcentration, 6, locale),
                                           rangeNumber(Glycol::MaxConcentration, 6, locale));
    const QString highest = rangeNumber(Glycol::MaxTemperature, 6, locale);
    result.validRange
        = QStringLiteral("%1, from the freezing point up to %2 °C").arg(concentrations, highest);
    const double c = request.concentration;
    const double t = request.temperature;
    if (!std::isfinite(c) || !std::isfinite(t)) {
        result.error = QStringLiteral("The temperature and the concentration must be numbers.");
        return result;
    }
    if (c < Glycol::MinConcentration || c > Glycol::MaxConcentration) {
        result.error = QStringLiteral("A concentration of %1 % is outside the range of the fits "
                                      "for %2: %3.")
                           .arg(rangeNumber(c, 6, locale), name, concentrations);
        return result;
    }

    result.freezingPoint = Glycol::freezingPoint(kind, c);
    const QString concentrationText = rangeNumber(c, 6, locale);
    const QString freezingText = temperatureText(result.freezingPoint, locale);
    result.validRange = QStringLiteral("%1; at %2 % from %3 °C (the freezing point) up to %4 °C")
                            .arg(concentrations, concentrationText, freezingText, highest);
    if (t < result.freezingPoint) {
        result.error = QStringLiteral("%1 %2 % at %3 °C is below its freezing point of %4 °C; "
                                      "the fits hold from there up to %5 °C.")
                           .arg(fluidCaption(request.fluid), concentrationText,
                               rangeNumber(t, 6, locale), freezingText, highest);
        return result;
    }
    if (t > Glycol::MaxTemperature) {
        result.error
            = QStringLiteral("%1 °C is above %2 °C, the upper limit of the fits for %3; "
                             "at %4 % they hold from %5 °C up to %2 °C.")
                  .arg(rangeNumber(t, 6, locale), highest, name, concentrationText, freezingText);
        return result;
    }
    result.density = Glycol::density(kind, c, t);
    result.viscosity = Glycol::viscosity(kind, c, t);
    return result;
}

} // namespace

QString fluidName(Fluid fluid)
{
    switch (fluid) {
    case Fluid::Water:
        return QStringLiteral("water");
    case Fluid::EthyleneGlycol:
        return QStringLiteral("ethylene-glycol");
    case Fluid::PropyleneGlycol:
        return QStringLiteral("propylene-glycol");
    }
    return {};
}

QString fluidCaption(Fluid fluid)
{
    switch (fluid) {
    case Fluid::Water:
        return QStringLiteral("Water");
    case Fluid::EthyleneGlycol:
        return QStringLiteral("Ethylene glycol");
    case Fluid::PropyleneGlycol:
        return QStringLiteral("Propylene glycol");
    }
    return {};
}

std::optional<Fluid> fluidFromName(const QString &name)
{
    for (Fluid fluid : {Fluid::Water, Fluid::EthyleneGlycol, Fluid::PropyleneGlycol}) {
        if (name == fluidName(fluid))
            return fluid;
    }
    return std::nullopt;
}

QString knownFluidNames()
{
    return QStringLiteral("%1, %2 and %3")
        .arg(fluidName(Fluid::Water), fluidName(Fluid::EthyleneGlycol),
            fluidName(Fluid::PropyleneGlycol));
}

FluidResult fluidProperties(const FluidRequest &request, const QLocale &locale)
{
    switch (request.fluid) {
    case Fluid::Water:
        return water(request, locale);
    case Fluid::EthyleneGlycol:
    case Fluid::PropyleneGlycol:
        return glycol(request, locale);
    }
    FluidResult unknown;
    unknown.error
        = QStringLiteral("Unknown fluid: the known fluids are %1.").arg(knownFluidNames());
    unknown.validRange = knownFluidNames();
    return unknown;
}

QString densityText(double density, const QLocale &locale)
{
    return NumberText::fixed(density, 2, locale);
}

QString viscosityText(double viscosity, const QLocale &locale)
{
    return NumberText::fixed(viscosity, std::fabs(viscosity) < 0.1 ? 5 : 4, locale);
}

QString temperatureText(double temperature, const QLocale &locale)
{
    return NumberText::fixed(temperature, 2, locale);
}
