#pragma once

#include "curve/pumpcurve.h"

#include <QString>

// How several identical pumps work together.
enum class Arrangement { Single, Parallel, Series };

// The name on the command line and in the duty object: "single", "parallel", "series".
QString arrangementName(Arrangement arrangement);

// One pump at a speed, or several identical ones at that speed side by side (parallel:
// at a head, N times one pump's flow) or one after the other (series: at a flow, N times
// one pump's head).
class PumpSet
{
public:
    // `speed` in % of the speed of the curve's points.
    PumpSet(const PumpCurve &curve, double speed = 100, int count = 1,
        Arrangement arrangement = Arrangement::Single);

    // One pump at that speed: each point (Q, H, eta, NPSHr) becomes (sQ, s^2 H, eta,
    // s^2 NPSHr), joined by PCHIP as the catalogue's points are.
    static PumpCurve atSpeed(const PumpCurve &curve, double speed);

    const PumpCurve &pump() const { return m_pump; }
    double speed() const { return m_speed; }
    int count() const { return m_count; }
    Arrangement arrangement() const { return m_arrangement; }

    // The range of the combined flow, in l/h.
    double minFlow() const { return combinedFlow(m_pump.minFlow()); }
    double maxFlow() const { return combinedFlow(m_pump.maxFlow()); }
    // The head of the combination at a combined flow; NaN outside its range.
    double head(double flow) const;

    // Each pump's flow and head where the combination gives `flow` at `head`.
    double pumpFlow(double flow) const;
    double pumpHead(double head) const;

private:
    double combinedFlow(double pumpFlow) const;

    PumpCurve m_pump;
    double m_speed;
    int m_count;
    Arrangement m_arrangement;
};
