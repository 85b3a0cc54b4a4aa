#include "analysis/pumpcurve.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>
#include <cmath>

// Reading a pump file: a header naming the columns, then one point per line. A file
// with any fault gives no curve at all, and the message says where the fault is.
namespace {

// A pump curve is a handful of points; anything far larger is not one.
constexpr qint64 MaximumFileSize = 1 << 20;

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

std::optional<Column> columnOf(const QByteArray &cell)
{
    const QByteArray name = cell.simplified().toLower();
    for (const ColumnName &c : ColumnNames) {
        if (name == c.name)
            return c.column;
    }
    return std::nullopt;
}

bool isFlow(Column c)
{
    return c == Column::FlowLh || c == Column::FlowM3h;
}

struct Row
{
    int line = 0;
    PumpPoint point;
};

} // namespace

PumpCurve::Read PumpCurve::fromCsv(const QByteArray &bytes, const QString &fileName)
{
    const QString shownName = QDir::toNativeSeparators(fileName);
    Read result;
    auto fail = [&](int line, const QString &what) {
        result.error = QStringLiteral("%1, line %2: %3").arg(shownName).arg(line).arg(what);
        return result;
    };

    QByteArray text = bytes;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    const QList<QByteArray> lines = text.split('\n');

    std::vector<Column> columns;
    std::vector<Row> rows;
    int lineNumber = 0;
    int lastLine = 1;
    for (QByteArray line : lines) {
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        lastLine = lineNumber;
        const QList<QByteArray> cells = line.split(',');
        if (columns.empty()) {
            for (const QByteArray &cell : cells) {
                const std::optional<Column> column = columnOf(cell);
                if (!column) {
                    return fail(lineNumber,
                        QStringLiteral("unknown column \"%1\"; the columns are flow [l/h] or "
                                       "flow [m3/h], head [m], efficiency [%] and npshr [m]")
                            .arg(QString::fromUtf8(cell.trimmed())));
                }
                for (Column seen : columns) {
                    if (seen == *column || (isFlow(seen) && isFlow(*column))) {
                        return fail(lineNumber,
                            QStringLiteral("the column \"%1\" is named twice")
                                .arg(QString::fromUtf8(cell.trimmed())));
                    }
                }
                columns.push_back(*column);
            }
            const bool hasFlow = std::any_of(columns.begin(), columns.end(), isFlow);
            const bool hasHead
                = std::find(columns.begin(), columns.end(), Column::Head) != columns.end();
            if (!hasFlow || !hasHead) {
                return fail(lineNumber,
                    QStringLiteral("the header must name the columns flow [l/h] (or flow "
                                   "[m3/h]) and head [m]"));
            }
            continue;
        }
        if (cells.size() != qsizetype(columns.size())) {
            return fail(lineNumber,
                QStringLiteral("%1 values where the header names %2 columns")
                    .arg(cells.size())
                    .arg(columns.size()));
        }
        Row row;
        row.line = lineNumber;
        for (size_t i = 0; i < columns.size(); ++i) {
            const QByteArray cell = cells[qsizetype(i)].trimmed();
            bool ok = false;
            // QByteArray reads numbers in the C locale, whatever the user's locale.
            const double value = cell.toDouble(&ok);
            if (!ok || !std::isfinite(value)) {
                return fail(lineNumber,
                    cell.isEmpty()
                        ? QStringLiteral("a value is missing")
                        : QStringLiteral("\"%1\" is not a number").arg(QString::fromUtf8(cell)));
            }
            switch (columns[i]) {
            case Column::FlowLh:
                row.point.flow = value;
                break;
            case Column::FlowM3h:
                row.point.flow = value * 1000; // m3/h to l/h
                break;
            case Column::Head:
                row.point.head = value;
                break;
            case Column::Efficiency:
                row.point.efficiency = value;
                break;
            case Column::Npshr:
                row.point.npshr = value;
                break;
            }
        }
        rows.push_back(row);
    }
    if (columns.empty())
        return fail(1, QStringLiteral("the header line is missing"));

    std::vector<PumpPoint> points;
    points.reserve(rows.size());
    for (const Row &row : rows)
        points.push_back(row.point);
    const bool hasEfficiency
        = std::find(columns.begin(), columns.end(), Column::Efficiency) != columns.end();
    const bool hasNpshr = std::find(columns.begin(), columns.end(), Column::Npshr) != columns.end();
    if (const std::optional<Fault> fault = check(points, hasEfficiency, hasNpshr)) {
        const size_t at = size_t(fault->row);
        return fail(at < rows.size() ? rows[at].line : lastLine, fault->what);
    }
    result.curve = PumpCurve(std::move(points), hasEfficiency, hasNpshr);
    return result;
}

PumpCurve::Read PumpCurve::load(const QString &path)
{
    QFile file(path);
    Read result;
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("%1 cannot be read: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString());
        return result;
    }
    const QByteArray bytes = file.read(MaximumFileSize + 1);
    if (bytes.size() > MaximumFileSize) {
        result.error = QStringLiteral("%1 is too large for a pump curve")
                           .arg(QDir::toNativeSeparators(path));
        return result;
    }
    return fromCsv(bytes, path);
}
