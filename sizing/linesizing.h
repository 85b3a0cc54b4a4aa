#pragma once

#include "calc/calcengine.h"
#include "calc/caseinput.h"
#include "calc/record.h"
#include "sizing/pipetable.h"

#include <vector>

// What a sizing row must meet to be marked. The defaults are the usual rules of thumb
// for liquids in process and water lines: fast enough not to settle, slow enough
// for neither erosion nor water hammer, and a friction loss of at most 0.5 bar per
// 100 m of straight pipe.
struct SizingLimits
{
    double minVelocity = 0.5; // m/s
    double maxVelocity = 3; // m/s
    double maxDropPer100m = 0.5; // bar per 100 m

    // A band whose lowest velocity lies above its highest marks nothing: it is refused.
    bool isOrdered() const { return minVelocity <= maxVelocity; }
};

// The case of the main window calculated with one pipe's inner diameter.
struct SizingRow
{
    PipeSize pipe;
    CalcEngine::Status status = CalcEngine::Status::NeedsInput;
    Results results;
    // The friction loss of 100 m of straight pipe in bar: what the velocity and the
    // friction factor cost per length, whatever the run's length, fittings and
    // elevation. Not a number when there is no friction factor.
    double dropPer100m = 0;
    // The total pressure drop as a column of the liquid in m, the head a pump must
    // add; it matches the power loss, which the main window also takes from the total.
    double head = 0;

    // A friction factor was found and every result is a number.
    bool calculated() const;
    bool withinLimits(const SizingLimits &limits) const;
};

namespace LineSizing {

// The row of one pipe: the case with its inner diameter replaced by the pipe's, the
// fittings' l/d totals turned into metres with that diameter.
SizingRow row(const PipeSize &pipe, const CaseInput &c);
// The same from the case's own calculation with the pipe's diameter.
SizingRow rowOf(const PipeSize &pipe, const CaseInput &c, const CalcEngine::Outcome &outcome);

// One row per pipe, in the order of `pipes`.
std::vector<SizingRow> rows(const std::vector<PipeSize> &pipes, const CaseInput &c);

// True when `diameter` is the pipe's own (the main window shows the plain text of
// the diameter, which reads back to the same number).
bool isCurrentDiameter(const PipeSize &pipe, double diameter);

} // namespace LineSizing
