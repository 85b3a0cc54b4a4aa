#include "fluid/fluidproperties.h"

#include "calc/dotnumber.h"
#include "calc/numbertext.h"
#include "calc/physics.h"
#include "numerics/glycol.h"
#include "numerics/water.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

using Physics::ZeroCelsius;
constexpr double MinWaterTemperature = 0.01; // °C, the triple point
// The triple point pressure, 611.657 Pa: the lowest pressure of liquid water. The
// saturation equation gives 611.657000011 Pa at 0.01 °C; the limit is the value as
// printed, so that the number in the messages is accepted itself.
constexpr double MinWaterPressure = 0.00611657; // bar absolute
// IAPWS-IF97 region 1 holds up to 623.15 K and 100 MPa. Below 623.15 K it ends at the
// saturation line, which reaches the critical point at 22.064 MPa.
constexpr double MaxWaterTemperature = 350.0; // °C
constexpr double MaxWaterPressure = 1000.0; // bar absolute
constexpr double CriticalPressure = 220.64; // bar absolute

// Below this magnitude a number has no text in a message, as in the main window: its
// exact digits would run to hundreds of places.
constexpr double SmallestPrintable = 1e-306;
const QString NotPrintable = QStringLiteral("****");

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
    if (std::fabs(value) < SmallestPrintable)
        return NotPrintable;
    const double scale
        = std::pow(10.0, significant - 1 - int(std::floor(std::log10(std::fabs(value)))));
    if (std::isfinite(scale))
        return NumberText::plain(std::round(value * scale) / scale, locale);
    // Close to the smallest doubles the scale overflows: to_chars rounds instead.
    char buffer[40];
    const auto end = std::to_chars(
        buffer, buffer + sizeof buffer, value, std::chars_format::scientific, significant - 1)
                         .ptr;
    return NumberText::plain(
        DotNumber::parse(QByteArrayView(buffer, end - buffer)).value_or(value), locale);
}

// The shortest text that reads back as the value itself, in the layout of
// NumberText::plain.
QString exactNumber(double value, const QLocale &locale)
{
    if (value != 0.0 && std::fabs(value) < SmallestPrintable)
        return NotPrintable;
    QString text = QString::fromLatin1(DotNumber::text(value)).toUpper();
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    if (text.startsWith(QLatin1Char('-')))
        text.replace(0, 1, locale.negativeSign());
    return text;
}

struct RefusalTexts
{
    QString value;
    QString limit;
};

// The texts of a refused value and of the limit it passes, each with its usual digits
// unless the two would not show the value beyond the limit ("100 °C is above 100 °C"):
// then the value is written exactly and, where that is not enough either (a boiling
// point of 310.9995 °C shown as 311.00), the limit with more decimals.
RefusalTexts refusalTexts(
    double value, double limit, const QString &limitText, const QLocale &locale)
{
    const bool above = value > limit;
    RefusalTexts texts{rangeNumber(value, 6, locale), limitText};
    const auto beyond = [&] {
        const std::optional<double> v = NumberText::parse(texts.value, locale);
        const std::optional<double> l = NumberText::parse(texts.limit, locale);
        if (!v || !l)
            return true; // "****" has no digits to contradict the limit
        return above ? *v > *l : *v < *l;
    };
    if (beyond())
        return texts;
    texts.value = exactNumber(value, locale);
    // The exact texts of both always tell them apart: the value is refused, not equal.
    for (int decimals = 3; !beyond() && decimals <= 18; ++decimals)
        texts.limit = decimals < 18 ? NumberText::fixed(limit, decimals, locale)
                                    : exactNumber(limit, locale);
    return texts;
}

QString pressureRange(const QLocale &locale)
{
    return QStringLiteral("%1 to %2 bar absolute")
        .arg(rangeNumber(MinWaterPressure, 6, locale), rangeNumber(MaxWaterPressure, 6, locale));
}

// The highest temperature of liquid water in region 1 at a pressure: the boiling point,
// unless the region ends first at 350 °C (above 165.29 bar, and above the critical
// pressure, where nothing boils).
struct UpperLimit
{
    double temperature; // °C
    bool boiling;
};

UpperLimit upperLimit(double pressure)
{
    if (pressure > CriticalPressure)
        return {MaxWaterTemperature, false};
    // 1 bar = 0.1 MPa. At the triple point pressure the saturation equation gives a
    // boiling point a few 1e-10 K short of 0.01 °C, where water is liquid by definition.
    const double boiling
        = std::max(Water::saturationTemperature(pressure / Physics::BarPerMegapascal) - ZeroCelsius,
            MinWaterTemperature);
    if (boiling > MaxWaterTemperature)
        return {MaxWaterTemperature, false};
    return {boiling, true};
}

FluidResult water(const FluidRequest &request, const QLocale &locale)
{
    FluidResult result;
    result.source = WaterSource;
    const QString lowest = temperatureText(MinWaterTemperature, locale);
    result.validRange
        = QStringLiteral("liquid water from %1 °C up to the boiling point (at most %2 °C), %3")
              .arg(lowest, rangeNumber(MaxWaterTemperature, 6, locale), pressureRange(locale));
    const double p = request.pressure;
    const double t = request.temperature;
    if (!std::isfinite(p) || !std::isfinite(t)) {
        result.error = QStringLiteral("The temperature and the pressure must be numbers.");
        return result;
    }
    if (p < MinWaterPressure || p > MaxWaterPressure) {
        const bool low = p < MinWaterPressure;
        const double limit = low ? MinWaterPressure : MaxWaterPressure;
        result.error = QStringLiteral("A pressure of %1 bar is outside the range of IAPWS-IF97 "
                                      "region 1 for liquid water: %2.")
                           .arg(refusalTexts(p, limit, rangeNumber(limit, 6, locale), locale).value,
                               pressureRange(locale));
        return result;
    }

    const UpperLimit upper = upperLimit(p);
    const QString highest = temperatureText(upper.temperature, locale);
    const QString pressureText = rangeNumber(p, 6, locale);
    result.validRange = (upper.boiling
            ? QStringLiteral("liquid water from %1 °C up to %2 °C, the boiling point at %3 "
                             "bar; %4")
            : QStringLiteral("liquid water from %1 °C up to %2 °C, the end of IAPWS-IF97 "
                             "region 1 at %3 bar; %4"))
                            .arg(lowest, highest, pressureText, pressureRange(locale));
    if (t < MinWaterTemperature) {
        const RefusalTexts texts = refusalTexts(t, MinWaterTemperature, lowest, locale);
        result.error = QStringLiteral("Water at %1 °C is ice: IAPWS-IF97 gives liquid water "
                                      "from %2 °C up to %3 °C at %4 bar.")
                           .arg(texts.value, texts.limit, highest, pressureText);
        return result;
    }
    if (t > upper.temperature) {
        const RefusalTexts texts = refusalTexts(t, upper.temperature, highest, locale);
        result.error = upper.boiling
            ? QStringLiteral("Water at %1 °C and %2 bar is steam: it boils at %3 °C; "
                             "IAPWS-IF97 gives liquid water from %4 °C up to there.")
                  .arg(texts.value, pressureText, texts.limit, lowest)
            : QStringLiteral("Water at %1 °C and %2 bar is outside IAPWS-IF97 region 1, which "
                             "gives liquid water from %3 °C up to %4 °C at this pressure.")
                  .arg(texts.value, pressureText, lowest, texts.limit);
        return result;
    }

    const double kelvin = t + ZeroCelsius;
    result.density = Water::density(kelvin, p / Physics::BarPerMegapascal);
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
        const double limit
            = c < Glycol::MinConcentration ? Glycol::MinConcentration : Glycol::MaxConcentration;
        result.error = QStringLiteral("A concentration of %1 % is outside the range of the fits "
                                      "for %2: %3.")
                           .arg(refusalTexts(c, limit, rangeNumber(limit, 6, locale), locale).value,
                               name, concentrations);
        return result;
    }

    // A solute lowers the freezing point of water, 0 °C; the fit gives up to 0.0003 °C
    // above it for the weakest ethylene glycol, where 0 °C would read as below freezing.
    result.freezingPoint = std::min(Glycol::freezingPoint(kind, c), 0.0);
    const QString concentrationText = rangeNumber(c, 6, locale);
    const QString freezingText = temperatureText(result.freezingPoint, locale);
    result.validRange = QStringLiteral("%1; at %2 % from %3 °C (the freezing point) up to %4 °C")
                            .arg(concentrations, concentrationText, freezingText, highest);
    if (t < result.freezingPoint) {
        const RefusalTexts texts = refusalTexts(t, result.freezingPoint, freezingText, locale);
        result.error = QStringLiteral("%1 %2 % at %3 °C is below its freezing point of %4 °C; "
                                      "the fits hold from there up to %5 °C.")
                           .arg(fluidCaption(request.fluid), concentrationText, texts.value,
                               texts.limit, highest);
        return result;
    }
    if (t > Glycol::MaxTemperature) {
        const RefusalTexts texts = refusalTexts(t, Glycol::MaxTemperature, highest, locale);
        result.error = QStringLiteral("%1 °C is above %2 °C, the upper limit of the fits for %3; "
                                      "at %4 % they hold from %5 °C up to %2 °C.")
                           .arg(texts.value, highest, name, concentrationText, freezingText);
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

QString appliedText(double density, const QString &newDensity, double viscosity,
    const QString &newViscosity, const QLocale &locale)
{
    return QStringLiteral("Applied: density %1 -> %2 kg/m3, viscosity %3 -> %4 cP")
        .arg(NumberText::plain(density, locale), newDensity, NumberText::plain(viscosity, locale),
            newViscosity);
}
