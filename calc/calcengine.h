#pragma once

#include "calc/caseinput.h"
#include "calc/record.h"

// The calculation of one case without texts and without dialogs: entries in, every
// result and the outcome out. The main window, the batch tool and the analysis
// windows share it, so that every caller gets the same numbers.
namespace CalcEngine {

enum class Status {
    Laminar, // Reynolds number below 2320
    Turbulent,
    FrictionFactorUndetermined, // turbulent, but no trial value fits the equation
    NotFinite, // a result is beyond a double: the fields show "****"
    NeedsInput, // an entry is missing or out of range: the window would prompt for it
};

struct Outcome
{
    Status status = Status::NeedsInput;
    Results results;
};

// l/h through a pipe of `diameter` mm, in m/s.
double velocity(double flowRate, double diameter);
// The Reynolds number of the entries at velocity v (m/s).
double reynolds(const Inputs &in, double v);
// True where the Reynolds number means laminar flow.
bool isLaminar(double reynolds);

// The pressure drop of the run in bar at `velocity` m/s through `resistance` (the sum of
// the resistance coefficients of pipe and fittings), the elevation included.
double pipePressureDrop(const Inputs &in, double velocity, double resistance);
// The total pressure drop in bar at no flow: the elevation and the extra equipment.
double staticPressureDrop(const Inputs &in);

// Everything after the flow regime: `res` holds the velocity, the Reynolds number and
// the two l/d totals; the friction factor and every other result are filled in.
// Returns false when the friction factor cannot be found (it is then 0).
bool computeResults(const Inputs &in, bool turbulent, Results &res);

// True when some result of a calculation is not a finite number.
bool anyNotFinite(const Results &res, bool turbulent, bool frictionFactorFound);

// The whole calculation of a case whose entries need no prompt. A case that would
// prompt gives NeedsInput with the results computed so far.
Outcome evaluate(const Inputs &in, double bendsLd, double valvesLd);
// The same for a case, its fittings reckoned by its method: by l/d exactly as above;
// by another method AppendageFriction is the sum of their K at the case's Reynolds
// number (fittings the method has no K for left out, see FittingResistance::uncovered)
// and every result after it follows.
Outcome evaluate(const CaseInput &c);

// True where the calculation has a result to draw or tabulate (laminar or turbulent).
inline bool hasResult(Status status)
{
    return status == Status::Laminar || status == Status::Turbulent;
}

} // namespace CalcEngine
