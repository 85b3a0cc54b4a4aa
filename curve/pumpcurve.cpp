#include "curve/pumpcurve.h"

#include "calc/dotnumber.h"

#include <QDir>
#include <QSaveFile>

#include <cmath>
#include <limits>

namespace {

constexpr int MinimumPoints = 3;

template<typename Member>
Pchip curveOf(const std::vector<PumpPoint> &points, Member member)
{
    std::vector<double> x;
    std::vector<double> y;
    x.reserve(points.size());
    y.reserve(points.size());
    for (const PumpPoint &p : points) {
        x.push_back(p.flow);
        y.push_back(p.*member);
    }
    return Pchip(std::move(x), std::move(y));
}

// NaN stands for a value that the point does not have.
bool hasValue(double value)
{
    return !std::isnan(value);
}

} // namespace

std::optional<PumpCurve::Fault> PumpCurve::check(
    const std::vector<PumpPoint> &points, bool hasEfficiency, bool hasNpshr)
{
    for (size_t i = 0; i < points.size(); ++i) {
        const PumpPoint &p = points[i];
        const int row = int(i);
        if (!std::isfinite(p.flow) || p.flow < 0)
            return Fault{row, QStringLiteral("the flow must be a number not below 0")};
        if (i > 0 && !(p.flow > points[i - 1].flow))
            return Fault{row, QStringLiteral("the flow must be greater than the one before")};
        if (!std::isfinite(p.head) || p.head < 0)
            return Fault{row, QStringLiteral("the head must be a number not below 0")};
        if (hasEfficiency && hasValue(p.efficiency) && !(p.efficiency >= 0 && p.efficiency <= 100))
            return Fault{row, QStringLiteral("the efficiency must be between 0 and 100 %")};
        if (hasNpshr && hasValue(p.npshr) && !(std::isfinite(p.npshr) && p.npshr >= 0))
            return Fault{row, QStringLiteral("the NPSHr must be a number not below 0")};
    }
    if (points.size() < size_t(MinimumPoints)) {
        return Fault{int(points.size()),
            QStringLiteral("a pump curve needs at least %1 points, there are %2")
                .arg(MinimumPoints)
                .arg(points.size())};
    }
    return std::nullopt;
}

PumpCurve::PumpCurve(std::vector<PumpPoint> points, bool hasEfficiency, bool hasNpshr)
    : m_points(std::move(points))
    , m_hasEfficiency(hasEfficiency)
    , m_hasNpshr(hasNpshr)
    , m_head(curveOf(m_points, &PumpPoint::head))
{
    const auto runsOf = [this](double PumpPoint::*member) {
        Runs out;
        std::vector<PumpPoint> run;
        const auto close = [&] {
            if (run.size() >= 2)
                out.runs.push_back(curveOf(run, member));
            run.clear();
        };
        for (const PumpPoint &p : m_points) {
            if (hasValue(p.*member))
                run.push_back(p);
            else
                close();
        }
        close();
        return out;
    };
    if (hasEfficiency)
        m_efficiency = runsOf(&PumpPoint::efficiency);
    if (hasNpshr)
        m_npshr = runsOf(&PumpPoint::npshr);
}

double PumpCurve::Runs::value(double flow) const
{
    for (const Pchip &run : runs) {
        if (flow >= run.first() && flow <= run.last())
            return run.value(flow);
    }
    return std::numeric_limits<double>::quiet_NaN();
}

QByteArray PumpCurve::toCsv() const
{
    QByteArray out = "flow [l/h],head [m]";
    if (m_hasEfficiency)
        out += ",efficiency [%]";
    if (m_hasNpshr)
        out += ",npshr [m]";
    out += '\n';
    // A value the point does not have is an empty cell.
    const auto cell = [](double value) {
        return hasValue(value) ? ',' + DotNumber::text(value) : QByteArray(",");
    };
    for (const PumpPoint &p : m_points) {
        out += DotNumber::text(p.flow) + ',' + DotNumber::text(p.head);
        if (m_hasEfficiency)
            out += cell(p.efficiency);
        if (m_hasNpshr)
            out += cell(p.npshr);
        out += '\n';
    }
    return out;
}

QString PumpCurve::save(const QString &path) const
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(toCsv());
        if (file.commit())
            return {};
    }
    return QStringLiteral("%1 cannot be written: %2")
        .arg(QDir::toNativeSeparators(path), file.errorString());
}
