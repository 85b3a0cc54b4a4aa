#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// One pipe of a diameter table: where it comes from, how the table names it and its
// inner diameter.
struct PipeSize
{
    QString standard; // "ISO", "DIN" or the file name of the user's table
    QString size; // the table's text without leading blanks: "22.6 mm", "DN 50"
    double innerDiameter = 0; // mm
    // Where the diameter picker lists the pipe: its standard (0 ISO, 1 DIN) and the
    // position in that list; -1 for a pipe of the user's own table.
    int pickerStandard = -1;
    int pickerPosition = -1;

    bool isBuiltIn() const { return pickerStandard >= 0; }
};

// The diameter tables of line sizing: the picker's two standards, and tables of the
// user's own read from CSV files with the header "size,inner diameter [mm]".
namespace PipeTable {

enum class Standard { Iso, Din, All };

inline const QString IsoName = QStringLiteral("ISO");
inline const QString DinName = QStringLiteral("DIN");
inline const QString Header = QStringLiteral("size,inner diameter [mm]");

// The picker's rows in its order: ISO (9 rows), then DIN (17 rows) for All.
std::vector<PipeSize> builtIn(Standard standard);

struct LoadResult
{
    std::optional<std::vector<PipeSize>> pipes;
    QString errorMessage; // names the file and, for a fault in the contents, the line

    bool ok() const { return pipes.has_value(); }
};

// Reads a pipe table, a CSV file as CsvTable reads it: the header, then one pipe per
// line ("DN 50,54.5"); a table without pipes is refused. The rows are named after the
// file name of `path`.
LoadResult load(const QString &path);
// The same from bytes already read; `path` names the file and the rows.
LoadResult parse(const QByteArray &bytes, const QString &path);

} // namespace PipeTable
