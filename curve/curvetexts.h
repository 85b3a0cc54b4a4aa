#pragma once

#include "curve/pumpcurve.h"
#include "curve/systemcurve.h"

#include <QString>

#include <array>
#include <vector>

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

// The pump table: flow, head, efficiency, NPSHr per row, as typed.
using PumpRowTexts = std::array<QString, 4>;
std::vector<PumpRowTexts> tableTexts(const PumpCurve &pump);
struct TableRead
{
    std::optional<PumpCurve> curve;
    QString error; // names the row and what is wrong
    bool empty = false; // no row holds anything: no pump
};
// Rows left blank are skipped; efficiency and NPSHr count when any row has them, and
// then every row must have them.
TableRead pumpFromTable(const std::vector<PumpRowTexts> &rows);

} // namespace CurveTexts
