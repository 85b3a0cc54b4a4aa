#include "project/reportlayout.h"

#include "appendages/fittings.h"
#include "calc/basgeneral.h"
#include "calc/calcsheet.h"
#include "project/datetext.h"

#include <cmath>

namespace ReportLayout {

namespace {

constexpr std::array<int, 3> LiquidFields = {1, 2, 3};
constexpr std::array<int, 5> PipeFields = {4, 23, 5, 6, 7};
constexpr std::array<int, 3> AppendageFields = {9, 10, 25};
constexpr std::array<int, 11> ResultFields = {12, 11, 13, 24, 14, 15, 16, 17, 22, 18, 27};

Line heading(const QString &text)
{
    return {{Position::Column5, text}};
}

Line labelled(const QString &label, const QString &value)
{
    return {{Position::Column5, label}, {Position::Column50, value}};
}

Line withUnit(const QString &label, const QString &value, const QString &unit)
{
    return {{Position::Column5, label}, {Position::Column50, value}, {Position::NextZone, unit}};
}

Line fieldLine(const Source &s, int index)
{
    const FieldTexts &f = s.fields[size_t(index)];
    return withUnit(f.caption, f.text, f.unit);
}

int columnOf(Position position)
{
    switch (position) {
    case Position::Column1:
        return 1;
    case Position::Column5:
        return 5;
    case Position::Column50:
        return 50;
    case Position::NextZone:
        break;
    }
    return 1;
}

bool isLineBreakOrTab(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t');
}

// Appends a text with its line breaks and tabs as blanks.
void appendPrintable(QString &row, const QString &text)
{
    const qsizetype start = row.size();
    row += text;
    for (qsizetype i = start; i < row.size(); ++i) {
        if (isLineBreakOrTab(row[i]))
            row[i] = QLatin1Char(' ');
    }
}

} // namespace

Source sourceFromSheet(const CalcSheet &sheet, const BasGeneral &general)
{
    return sourceFromSheet(sheet, general, DateText::form());
}

Source sourceFromSheet(const CalcSheet &sheet, const BasGeneral &g, const DateText::Form &dateForm)
{
    Source s;
    s.dateText = DateText::toText(g.ProjectDate, dateForm);
    s.fileName = g.ProjectFileName;
    s.owner = g.ProjectOwner;
    s.projectName = g.ProjectName;
    s.pipeName = g.PipeName;
    for (const FieldInfo &f : FieldTable) {
        s.fields[size_t(f.index)]
            = {QString::fromLatin1(f.caption), sheet.Text0(f.index), QString::fromLatin1(f.unit)};
    }
    for (size_t i = 0; i < BendTable.size(); ++i) {
        s.bendLabels[i] = QString::fromLatin1(BendTable[i].label);
        s.bendCounts[i] = countText(g.BendCounts[i]);
    }
    for (size_t i = 0; i < ValveTable.size(); ++i) {
        s.valveLabels[i] = QString::fromLatin1(ValveTable[i].label);
        s.valveCounts[i] = countText(g.ValveCounts[i]);
    }
    s.messageLabel = QString::fromLatin1(MessageLabelCaption);
    return s;
}

QList<Line> lines(const Source &s)
{
    QList<Line> out;
    out.reserve(LineCount);
    out << Line{{Position::Column1, QStringLiteral("Zeptor")}};
    out << labelled(QStringLiteral("Date"), s.dateText);
    out << labelled(QStringLiteral("File"), s.fileName);
    out << labelled(QStringLiteral("Owner"), s.owner);
    out << labelled(QStringLiteral("Project Name"), s.projectName);
    out << labelled(QStringLiteral("Pipe Name"), s.pipeName);
    out << Line{};
    out << heading(QStringLiteral("LIQUID DATA"));
    for (int i : LiquidFields)
        out << fieldLine(s, i);
    out << Line{};
    out << heading(QStringLiteral("PIPE DATA"));
    for (int i : PipeFields)
        out << fieldLine(s, i);
    out << Line{};
    out << heading(QStringLiteral("APPENDAGES DATA"));
    out << heading(QStringLiteral("== Bends =="));
    for (size_t i = 0; i < s.bendLabels.size(); ++i)
        out << labelled(s.bendLabels[i], s.bendCounts[i]);
    out << heading(QStringLiteral("== Valves =="));
    for (size_t i = 0; i < s.valveLabels.size(); ++i)
        out << labelled(s.valveLabels[i], s.valveCounts[i]);
    for (int i : AppendageFields)
        out << fieldLine(s, i);
    out << Line{};
    out << heading(QStringLiteral("RESULTS"));
    out << heading(s.messageLabel);
    for (int i : ResultFields)
        out << fieldLine(s, i);
    out << Line{};
    out << heading(QStringLiteral("TOTAL PRESSURE DROP"));
    for (int i : {19, 21}) {
        const FieldTexts &f = s.fields[size_t(i)];
        out << withUnit(QStringLiteral("==>"), f.text, f.unit);
    }
    return out;
}

QList<PlacedItem> place(
    const Line &line, const std::function<double(const QString &)> &widthInColumns)
{
    QList<PlacedItem> placed;
    placed.reserve(line.size());
    double cursor = 1; // where the next character would go
    for (const Item &item : line) {
        double at = 0;
        if (item.position == Position::NextZone) {
            // The first zone start at least one column beyond the cursor: a whole blank
            // before the item, also where a proportional font ends the text between
            // two columns.
            at = 1 + ZoneWidth * std::ceil(cursor / ZoneWidth);
        } else {
            const int column = columnOf(item.position);
            at = cursor <= column ? column : cursor + 1;
        }
        placed.append({at, item.text});
        cursor = at + widthInColumns(item.text);
    }
    return placed;
}

QString plainText(const QList<Line> &lines)
{
    const auto characters = [](const QString &text) { return double(text.size()); };
    QString out;
    out.reserve(lines.size() * 80);
    for (const Line &line : lines) {
        const qsizetype rowStart = out.size();
        for (const PlacedItem &item : place(line, characters)) {
            out.resize(rowStart + qsizetype(item.column) - 1, QLatin1Char(' '));
            appendPrintable(out, item.text);
        }
        qsizetype end = out.size();
        while (end > rowStart && out[end - 1] == QLatin1Char(' '))
            --end;
        out.truncate(end);
        out += QLatin1Char('\n');
    }
    return out;
}

} // namespace ReportLayout
