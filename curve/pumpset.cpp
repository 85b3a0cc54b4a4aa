#include "curve/pumpset.h"

QString arrangementName(Arrangement arrangement)
{
    switch (arrangement) {
    case Arrangement::Parallel:
        return QStringLiteral("parallel");
    case Arrangement::Series:
        return QStringLiteral("series");
    case Arrangement::Single:
        break;
    }
    return QStringLiteral("single");
}

PumpSet::PumpSet(const PumpCurve &curve, double speed, int count, Arrangement arrangement)
    : m_pump(speed == 100 ? curve : atSpeed(curve, speed))
    , m_speed(speed)
    , m_count(count > 1 ? count : 1)
    , m_arrangement(count > 1 ? arrangement : Arrangement::Single)
{
    if (m_arrangement == Arrangement::Single)
        m_count = 1;
}

PumpCurve PumpSet::atSpeed(const PumpCurve &curve, double speed)
{
    const double s = speed / 100;
    std::vector<PumpPoint> points = curve.points();
    for (PumpPoint &p : points) {
        p.flow *= s;
        p.head *= s * s;
        p.npshr *= s * s;
    }
    return PumpCurve(std::move(points), curve.hasEfficiency(), curve.hasNpshr());
}

double PumpSet::combinedFlow(double pumpFlow) const
{
    return m_arrangement == Arrangement::Parallel ? pumpFlow * m_count : pumpFlow;
}

double PumpSet::pumpFlow(double flow) const
{
    return m_arrangement == Arrangement::Parallel ? flow / m_count : flow;
}

double PumpSet::pumpHead(double head) const
{
    return m_arrangement == Arrangement::Series ? head / m_count : head;
}

double PumpSet::head(double flow) const
{
    const double one = m_pump.head(pumpFlow(flow));
    return m_arrangement == Arrangement::Series ? one * m_count : one;
}
