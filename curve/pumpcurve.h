#pragma once

#include "numerics/pchip.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// One point of a pump's characteristic as the maker lists it.
struct PumpPoint
{
    double flow = 0; // l/h
    double head = 0; // m of the liquid
    double efficiency = 0; // %, where the curve has it; NaN where this point has none
    double npshr = 0; // m, where the curve has it; NaN where this point has none
};

// A pump's characteristic: head (and efficiency, NPSHr where given) over flow, from a
// few points joined by shape-keeping cubics. Nothing is extended beyond the points. A
// point may lack its efficiency or NPSHr: that value is then only known between
// neighbouring points that both have it.
class PumpCurve
{
public:
    struct Read;
    // A row that breaks a rule: its index among the points and what is wrong.
    struct Fault
    {
        int row = 0;
        QString what;
    };

    // Checks the points as a file's rows are checked; a fault names the first bad row.
    static std::optional<Fault> check(
        const std::vector<PumpPoint> &points, bool hasEfficiency, bool hasNpshr);
    // Points that passed check().
    PumpCurve(std::vector<PumpPoint> points, bool hasEfficiency, bool hasNpshr);
    PumpCurve() = default;

    // The CSV text of a pump file, as CsvTable reads it; `fileName` is only for the
    // messages.
    static Read fromCsv(const QByteArray &bytes, const QString &fileName);
    static Read load(const QString &path);
    // The file as save() writes it: flows in l/h, numbers that read back exactly.
    QByteArray toCsv() const;
    // Empty on success, else the message naming the file and the reason.
    QString save(const QString &path) const;

    const std::vector<PumpPoint> &points() const { return m_points; }
    bool isEmpty() const { return m_points.empty(); }
    bool hasEfficiency() const { return m_hasEfficiency; }
    bool hasNpshr() const { return m_hasNpshr; }
    double minFlow() const { return m_points.front().flow; }
    double maxFlow() const { return m_points.back().flow; }

    // Values at a flow in l/h; NaN outside the points' range or where not given.
    double head(double flow) const { return m_head.value(flow); }
    double efficiency(double flow) const { return m_efficiency.value(flow); }
    double npshr(double flow) const { return m_npshr.value(flow); }

private:
    // An optional column: one interpolation per run of neighbouring points that have
    // the value, so that a missing value is never bridged.
    struct Runs
    {
        std::vector<Pchip> runs;
        double value(double flow) const;
    };

    std::vector<PumpPoint> m_points;
    bool m_hasEfficiency = false;
    bool m_hasNpshr = false;
    Pchip m_head;
    Runs m_efficiency;
    Runs m_npshr;
};

struct PumpCurve::Read
{
    std::optional<PumpCurve> curve;
    QString error; // names the file, the line and what is wrong
    bool ok() const { return curve.has_value(); }
};
