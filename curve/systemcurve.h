#pragma once

#include "calc/calcengine.h"
#include "calc/caseinput.h"
#include "calc/physics.h"

#include "curve/pumpset.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

class PumpCurve;

// The system curve of a case: the whole calculation repeated at other flows, with
// nothing else of the case changed, and where a pump's curve meets it.
namespace SystemCurve {

// The flows of a curve of `count` points up to `to` l/h: to * k / count for k = 1..count.
std::vector<double> flows(double to, int count);

// The text that the main window's status line shows after a calculation so ending.
QString statusText(CalcEngine::Status status);

struct Point
{
    double flow = 0; // l/h
    CalcEngine::Outcome outcome;
    double head = 0; // m, from TotalPressureDrop; NaN where there is no result
    bool hasResult() const { return CalcEngine::hasResult(outcome.status); }
};

// What the case's "pressure loss extra equipment" does at other flows: a loss at the
// case's own flow (a heat exchanger, a filter) grows with the square of the flow; kept
// fixed, it acts like a static head.
enum class ExtraLoss { FollowsFlow, Fixed };

// The case at another flow rate; with FollowsFlow its extra loss e becomes
// e * (flow / own flow)^2 (kept where the case has no flow rate of its own).
CaseInput caseAt(const CaseInput &c, double flow, ExtraLoss extraLoss);

// A point from the case's own calculation at `flow`.
Point pointOf(double flow, const CalcEngine::Outcome &outcome, double density);
// The case at `flow`, calculated as the main window calculates it.
Point pointAt(const CaseInput &c, double flow, ExtraLoss extraLoss = ExtraLoss::Fixed);
std::vector<Point> points(const CaseInput &c, double to, int count);

// The head of the case at no flow: elevation and extra loss, as the calculation adds
// them, in metres of the liquid.
double staticHead(const CaseInput &c, ExtraLoss extraLoss);

// The line a pump works against: the discharge side (the case of the main window or
// file) and, where given, the suction side from the liquid's surface to the pump inlet,
// whose elevation is the inlet's height above the surface. Each side is calculated
// from its own case at the flow, in its own liquid's metres.
struct System
{
    CaseInput discharge;
    std::optional<CaseInput> suction;
    ExtraLoss extraLoss = ExtraLoss::Fixed;
};

struct SystemPoint
{
    Point discharge;
    std::optional<Point> suction;
    bool hasResult() const;
    // Discharge plus suction head, m; NaN without a result.
    double head() const;
    double suctionHead() const; // NaN without a suction side
};
SystemPoint systemAt(const System &system, double flow);
// The system's head at no flow.
double staticHead(const System &system);
// The curve below `first`, its first point, from no flow on: the system at no flow, where
// the head is the static part alone, and where `first` is past the laminar range, the
// last laminar flow and the first flow past it, so that the laminar stretch and the
// jump are drawn as the calculation gives them. A point is the discharge side's with
// the whole system's head, as on the curve. Empty where there is no result at `first`.
std::vector<Point> lead(const System &system, const Point &first);
// The system curve moves in steps of the friction factor: how many steps its turbulent
// sides have taken (the friction factors over the step) and how high a step is at this
// point, in metres.
struct FrictionSteps
{
    double count = 0;
    double height = 0;
};
FrictionSteps frictionSteps(const SystemPoint &point);

// The conditions at the liquid's surface for the NPSH available: absolute pressures in
// bar, and the ratio NPSHa / NPSHr the pump should keep.
struct NpshSettings
{
    double surfacePressure = Physics::StandardAtmosphere;
    std::optional<double> vapourPressure;
    double margin = 1.0;
};
// (p_surface - p_vapour) / (rho g) - H_suction at the flow, in metres of the suction
// side's liquid; NaN without a suction side, a vapour pressure or a result.
double npshAvailable(const System &system, const NpshSettings &npsh, const SystemPoint &point);

// The CSV of a curve: a header with units, then one row per point, numbers that read
// back exactly with "." whatever the locale. A point without a result keeps its flow,
// status, velocity and Reynolds number; the other cells stay empty.
QByteArray csvHeader();
void appendCsvRow(QByteArray &out, const Point &point);
// With a suction side: the head is the whole system's, then the suction side's head and,
// where a vapour pressure is known, the NPSH available.
QByteArray csvHeader(bool suction, bool npsha);
void appendCsvRow(QByteArray &out, const SystemPoint &point, bool npshaColumn, double npsha);
// Points that would prompt in the main window are left out.
QByteArray csv(const std::vector<Point> &points);

struct Crossing
{
    double flow = 0; // l/h
    double head = 0; // m, the system's
    bool stable = false; // the pump's head falls below the system's as the flow grows
};

// Where the pumps' curve meets the system curve.
struct Duty
{
    bool found = false;
    QString reason; // why there is none
    Point system; // the discharge side at the duty flow; its head is the whole system's
    double suctionHead = 0; // m, NaN without a suction side
    double pumpHead = 0; // m, of the pumps together
    double efficiency = 0; // %, of each pump; NaN where the pump curve has none
    double npshr = 0; // m, of each pump; NaN where the pump curve has none
    double shaftPower = 0; // W, of all pumps; NaN without an efficiency
    bool moreCrossings = false; // the curves meet at other flows too
    std::vector<Crossing> crossings; // every meeting, lowest flow first

    double speed = 100; // % of the curve's speed
    int pumps = 1;
    Arrangement arrangement = Arrangement::Single;
    double flowPerPump = 0; // l/h
    double headPerPump = 0; // m
    double specificEnergy = 0; // kWh/m3 of all pumps; NaN without an efficiency

    // With a suction side and a vapour pressure; NaN otherwise.
    double npsha = 0; // m
    double npshRatio = 0; // NPSHa / NPSHr
    // The largest flow within the pumps' range up to which NPSHa >= margin x NPSHr
    // holds; nothing where it holds over the whole range (the pump's smallest flow
    // where it holds nowhere). Only with a suction side, a vapour pressure and NPSHr.
    std::optional<double> maxFlowNpsh;
    bool npshChecked = false;

    // The pump curve has the column, but not at the duty flow (a point lacks the value).
    bool efficiencyMissing = false;
    bool npshrMissing = false;
};

// The lowest stable crossing of the pumps' curve with the system curve (the duty point)
// and every crossing, each to 1e-9 relative in flow. Stretches where the system has no
// result are skipped, but a crossing at their edge is found.
Duty dutyPoint(const System &system, const PumpSet &pumps, const NpshSettings *npsh = nullptr);
// One pump at its curve's speed against the case with a fixed extra loss.
Duty dutyPoint(const CaseInput &c, const PumpCurve &pump);

// A CSV with pumps: a last column "pump head [m]" with their head at each row's flow
// (empty outside their range), added to a header or row line; after the rows the duty
// point, "# duty: flow 14530.7 l/h, head ...", or "# duty: none, " and the reason.
void addPumpHeading(QByteArray &header);
void addPumpHead(QByteArray &row, const PumpSet &pumps, double flow);
QByteArray csvDutyLine(const Duty &duty);
// The whole CSV of a curve with pumps, as zeptor-cli curve --format csv --pump writes it.
QByteArray csv(const std::vector<Point> &points, const PumpSet &pumps, const Duty &duty);

// The speed (in %, searched from 10 to 200) at which the pumps meet the system exactly
// at `flow`; nothing, with the reason, where no speed in that range does.
struct SpeedForFlow
{
    std::optional<double> speed;
    QString reason;
};
SpeedForFlow speedForFlow(
    const System &system, const PumpCurve &pump, int count, Arrangement arrangement, double flow);

} // namespace SystemCurve
