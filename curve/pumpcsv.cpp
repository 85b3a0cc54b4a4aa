#include "curve/pumpcurve.h"

#include "calc/physics.h"
#include "project/csvtable.h"

#include <algorithm>
#include <array>
#include <limits>

// Reading a pump file: a header naming the columns, then one point per line. A file
// with any fault gives no curve at all, and the message says where the fault is. An
// efficiency or NPSHr cell may be left empty where the maker gives none.
namespace {

enum class Column { FlowLh, FlowM3h, Head, Efficiency, Npshr };

struct ColumnName
{
    const char *name;
    Column column;
};

constexpr std::array<ColumnName, 5> ColumnNames = {{
    {"flow [l/h]", Column::FlowLh},
    {"flow [m3/h]", Column::FlowM3h},
    {"head [m]", Column::Head},
    {"efficiency [%]", Column::Efficiency},
    {"npshr [m]", Column::Npshr},
}};

std::optional<Column> columnOf(QStringView cell)
{
    for (const ColumnName &c : ColumnNames) {
        if (CsvTable::names(cell, QLatin1String(c.name)))
            return c.column;
    }
    return std::nullopt;
}

bool isFlow(Column c)
{
    return c == Column::FlowLh || c == Column::FlowM3h;
}

bool isOptional(Column c)
{
    return c == Column::Efficiency || c == Column::Npshr;
}

} // namespace

PumpCurve::Read PumpCurve::fromCsv(const QByteArray &bytes, const QString &fileName)
{
    Read result;
    auto fail = [&](int line, const QString &what) {
        result.error = CsvTable::message(fileName, line, what);
        return result;
    };

    CsvTable csv(bytes);
    if (!csv.next()) {
        if (const auto &fault = csv.fault())
            return fail(fault->line, fault->what);
        return fail(1, QStringLiteral("the header line is missing"));
    }
    std::vector<Column> columns;
    for (qsizetype i = 0; i < csv.size(); ++i) {
        const QStringView cell = csv.cell(i);
        const std::optional<Column> column = columnOf(cell);
        if (!column) {
            return fail(csv.line(),
                QStringLiteral("unknown column %1; the columns are flow [l/h] or flow [m3/h], "
                               "head [m], efficiency [%] and npshr [m]")
                    .arg(CsvTable::quoted(cell)));
        }
        for (Column seen : columns) {
            if (seen == *column || (isFlow(seen) && isFlow(*column))) {
                return fail(csv.line(),
                    QStringLiteral("the column %1 is named twice").arg(CsvTable::quoted(cell)));
            }
        }
        columns.push_back(*column);
    }
    const bool hasFlow = std::any_of(columns.begin(), columns.end(), isFlow);
    const bool hasHead = std::find(columns.begin(), columns.end(), Column::Head) != columns.end();
    if (!hasFlow || !hasHead) {
        return fail(csv.line(),
            QStringLiteral(
                "the header must name the columns flow [l/h] (or flow [m3/h]) and head [m]"));
    }

    std::vector<PumpPoint> points;
    std::vector<int> lines; // of the points, for the messages
    while (csv.next()) {
        if (csv.size() != qsizetype(columns.size())) {
            return fail(csv.line(),
                QStringLiteral("%1 values where the header names %2 columns")
                    .arg(csv.size())
                    .arg(columns.size()));
        }
        PumpPoint point;
        for (size_t i = 0; i < columns.size(); ++i) {
            const QStringView cell = csv.cell(qsizetype(i));
            if (cell.isEmpty() && isOptional(columns[i])) {
                // Left empty: this point has no such value, the others may.
                (columns[i] == Column::Efficiency ? point.efficiency : point.npshr)
                    = std::numeric_limits<double>::quiet_NaN();
                continue;
            }
            const std::optional<double> value = CsvTable::number(cell);
            if (!value) {
                return fail(csv.line(),
                    cell.isEmpty() ? QStringLiteral("a value is missing")
                                   : CsvTable::notANumber(cell));
            }
            switch (columns[i]) {
            case Column::FlowLh:
                point.flow = *value;
                break;
            case Column::FlowM3h:
                point.flow = Physics::litresPerHourFromCubicMetres(*value);
                break;
            case Column::Head:
                point.head = *value;
                break;
            case Column::Efficiency:
                point.efficiency = *value;
                break;
            case Column::Npshr:
                point.npshr = *value;
                break;
            }
        }
        points.push_back(point);
        lines.push_back(csv.line());
    }
    if (const auto &fault = csv.fault())
        return fail(fault->line, fault->what);

    const bool hasEfficiency
        = std::find(columns.begin(), columns.end(), Column::Efficiency) != columns.end();
    const bool hasNpshr = std::find(columns.begin(), columns.end(), Column::Npshr) != columns.end();
    if (const std::optional<Fault> fault = check(points, hasEfficiency, hasNpshr)) {
        // A fault of no row (too few points) is put on the last line.
        const auto at = size_t(fault->row);
        return fail(at < lines.size() ? lines[at] : csv.line(), fault->what);
    }
    result.curve = PumpCurve(std::move(points), hasEfficiency, hasNpshr);
    return result;
}

PumpCurve::Read PumpCurve::load(const QString &path)
{
    CsvTable::File file = CsvTable::readFile(path, QLatin1String("a pump curve"));
    if (!file.bytes) {
        Read result;
        result.error = file.error;
        return result;
    }
    return fromCsv(*file.bytes, path);
}
