#pragma once

#include <QString>

// The texts that the calculation shows: prompts, messages and status lines.
namespace CalcTexts {

inline const QString InputTitle = QStringLiteral("Input");
// Every input prompt ends with this line, after a carriage return.
inline const QString PleaseEnter = QStringLiteral("Please enter a value ...");

inline const QString FlowUnknown = QStringLiteral("Variabele [Flow] unknown");
inline const QString DiameterUnknown = QStringLiteral("Variabele [Inner Pipe Diameter] unknown");
inline const QString ViscosityUnknown = QStringLiteral("Variabele [Viscosity] unknown");
inline const QString DensityUnknown = QStringLiteral("Variabele [Density] for this liquid unknown");
// The trailing blank belongs to the text.
inline const QString RoughnessUnknown
    = QStringLiteral("Variabele [Roughness Wall] unknown or incorrect ");

inline const QString OnlyNumbers = QStringLiteral("Sorry, only numbers");
inline const QString OnlyPositiveNumbers = QStringLiteral("Sorry, only positive numbers");
inline const QString LeaveCheckDefault = QStringLiteral("0");

inline const QString MaximumRoughness = QStringLiteral("Maximum value is 5 ...");
inline const QString ElevationAboveLength = QStringLiteral("Elevation <= Total pipe length");

inline const QString FrictionFactorUndetermined = QStringLiteral("Friction Factor undetermined");

inline const QString StatusLaminar = QStringLiteral("Flow is Laminar");
inline const QString StatusTurbulent = QStringLiteral("Flow is Turbulent");
inline const QString StatusFrictionError = QStringLiteral("** Error in Friction Factor **");
inline const QString StatusError = QStringLiteral("** Error **");

// Text0(13) when no friction factor was found; Text0(24) in laminar flow.
inline const QString NoFrictionFactor = QStringLiteral("****");
inline const QString NotApplicable = QStringLiteral("n.a.");

} // namespace CalcTexts
