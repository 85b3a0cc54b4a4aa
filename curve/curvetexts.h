#pragma once

#include "curve/pumpcurve.h"
#include "curve/pumpset.h"
#include "curve/systemcurve.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

struct Inputs;

// The texts of the system curve window: axis labels, read-outs and the pump table's
// cells, in the user's locale.
namespace CurveTexts {

inline const QString FlowAxis = QStringLiteral("Flow [l/h]");
inline const QString HeadAxis = QStringLiteral("Head [m]");
inline const QString PressureAxis = QStringLiteral("Pressure drop [bar]");

// A tick label with the axis's decimals.
QString tick(double value, int decimals);
// "Flow 1200 l/h, head 3.45 m (0.338 bar)" for the point under the cursor.
QString cursor(double flow, double head, double bar);
// A head in m as bar for a liquid of this density (kg/m3).
double headToBar(double head, double density);

// The duty point read-out, one text per line of the form; "-" where there is no value.
struct DutyReadout
{
    QString flow;
    QString head;
    QString pressureDrop;
    QString velocity;
    QString efficiency;
    QString shaftPower;
    QString npshr;
    // Each pump's share, the speed, the energy per volume; the NPSH available, its ratio
    // to NPSHr and the largest flow where the margin holds, with a suction line.
    QString flowPerPump;
    QString headPerPump;
    QString speed;
    QString specificEnergy;
    QString npsha;
    QString npshRatio;
    QString maxFlowNpsh;
    QString note; // why there is no duty point, or that the curves meet again
};
DutyReadout dutyReadout(const SystemCurve::Duty &duty);
// The label beside the duty point on the plot.
QString dutyLabel(const SystemCurve::Duty &duty);

// Why there is no system curve to draw, and what the user can do about it: the case
// has no flow rate (and the range follows it), or no result at any flow of the range.
QString noCurve(const Inputs &in, bool rangeFollowsCase);
// The duty point's note while the pump table cannot be read: the table's fault.
QString pumpTableFault(const QString &fault);
inline const QString NoPump = QStringLiteral("Enter or load a pump curve.");
inline const QString NoSystemCurve = QStringLiteral("there is no system curve");

// The flow unit of the pump table; pump files and the curve itself are in l/h.
enum class FlowUnit { LitresPerHour, CubicMetresPerHour };
QString flowHeading(FlowUnit unit); // "Flow [l/h]", "Flow [m3/h]"
// A flow typed in `unit` in l/h, and back.
double toLitresPerHour(double flow, FlowUnit unit);
double fromLitresPerHour(double flow, FlowUnit unit);

// The pump table: flow, head, efficiency, NPSHr per row, as typed.
using PumpRowTexts = std::array<QString, 4>;
std::vector<PumpRowTexts> tableTexts(
    const PumpCurve &pump, FlowUnit unit = FlowUnit::LitresPerHour);
struct TableRead
{
    std::optional<PumpCurve> curve;
    QString error; // names the row and what is wrong
    bool empty = false; // no row holds anything: no pump
};
// Rows left blank are skipped; efficiency and NPSHr count when any row has them, and a
// row that leaves them empty has no such value (the curve leaves it out around it).
TableRead pumpFromTable(
    const std::vector<PumpRowTexts> &rows, FlowUnit unit = FlowUnit::LitresPerHour);

// Cells pasted from a spreadsheet: one row per line, cells separated by tabs (a
// trailing line break ends the last row, it adds none).
std::vector<QStringList> pastedCells(const QString &text);

// What the exported and printed plot carries above the drawing.
struct ProjectLabel
{
    QString project;
    QString pipe;
    QString file;
    QString date;
};
// The title block: the project, the liquid (density, viscosity), the pump (its file
// name, or typed in) and the duty point, one line each.
// How the pumps run where that is not one pump at the curve's speed ("Pumps: 2 in
// parallel at 90.0 % speed"); empty for one pump at 100 %.
QString pumpSetText(const PumpSet &pumps);
QStringList titleBlock(const ProjectLabel &project, const Inputs &liquid,
    const std::optional<QString> &pumpFile, const SystemCurve::Duty &duty, bool hasPump);
inline const QString PumpTypedIn = QStringLiteral("pump typed in");

} // namespace CurveTexts
