#pragma once

#include "calc/calcengine.h"
#include "calc/caseinput.h"

#include <QByteArray>
#include <QString>

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

// A point from the case's own calculation at `flow`.
Point pointOf(double flow, const CalcEngine::Outcome &outcome, double density);
// The case with its flow rate replaced, calculated as the main window calculates it.
Point pointAt(const CaseInput &c, double flow);
std::vector<Point> points(const CaseInput &c, double to, int count);

// The curve below `first`, its first point, from no flow on: the case at no flow, where
// the head is the static part alone (elevation and extra equipment, as the calculation
// sums them), and where `first` is past the laminar range, the last laminar flow and
// the first flow past it, so that the laminar stretch and the jump are drawn as the
// calculation gives them. Empty where the case has no result at `first`.
std::vector<Point> lead(const CaseInput &c, const Point &first);

// The CSV of a curve: a header with units, then one row per point, numbers that read
// back exactly with "." whatever the locale. A point without a result keeps its flow,
// status, velocity and Reynolds number; the other cells stay empty. With a pump, a last
// column holds the pump's head at that flow (empty outside its points).
QByteArray csvHeader(const PumpCurve *pump = nullptr);
void appendCsvRow(QByteArray &out, const Point &point, const PumpCurve *pump = nullptr);
// Points that would prompt in the main window are left out.
QByteArray csv(const std::vector<Point> &points);

// Where the pump curve meets the system curve.
struct Duty
{
    bool found = false;
    QString reason; // why there is none
    Point system; // the system at the duty flow
    double pumpHead = 0; // m
    double efficiency = 0; // %, NaN where the pump curve has none
    double npshr = 0; // m, NaN where the pump curve has none
    double shaftPower = 0; // W, NaN without an efficiency
    bool moreCrossings = false; // the curves meet again at a higher flow
    // The pump curve has the column, but not at the duty flow (a point lacks the value).
    bool efficiencyMissing = false;
    bool npshrMissing = false;
};

// The lowest flow within the pump's range where the pump head equals the system head,
// to 1e-9 relative in flow. Stretches where the system has no result are skipped, but
// a crossing at their edge is found.
Duty dutyPoint(const CaseInput &c, const PumpCurve &pump);

// The line after the rows of a CSV with a pump: "# duty: flow 14531.2 l/h, head ...",
// or "# duty: none, " and the reason.
QByteArray csvDutyLine(const Duty &duty);
// The whole CSV with a pump: the rows with the pump's head, then the duty line.
QByteArray csv(const std::vector<Point> &points, const PumpCurve &pump, const Duty &duty);

} // namespace SystemCurve
