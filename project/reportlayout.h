#pragma once

#include "calc/fieldtable.h"
#include "project/datetext.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class CalcSheet;
struct BasGeneral;

// The printed report: 62 lines of items, each placed at a column or at the next
// print zone. A column is as wide as the average character of the font in use.
namespace ReportLayout {

inline constexpr int LineCount = 62;
inline constexpr int ZoneWidth = 14; // zones start at columns 1, 15, 29, 43, 57, 71, ...

enum class Position { Column1, Column5, Column50, NextZone };

struct Item
{
    Position position;
    QString text;
};
using Line = QList<Item>;

// What the windows show at the moment of printing.
struct FieldTexts
{
    QString caption; // Label1(i)
    QString text; // Text0(i)
    QString unit; // the unit label beside the field
};

struct Source
{
    QString dateText; // the project date as the project window shows it
    QString fileName;
    QString owner;
    QString projectName;
    QString pipeName;
    std::array<FieldTexts, Text0Size> fields; // by Text0 index; 0, 20 and 26 unused
    std::array<QString, 6> bendLabels;
    std::array<QString, 6> bendCounts; // texts of the count fields Text1(0..5)
    std::array<QString, 13> valveLabels;
    std::array<QString, 13> valveCounts; // texts of the count fields Text2(0..12)
    QString messageLabel; // caption of Label1(26)
};

// The source as a sheet and its record show it, with the count fields holding the
// record's counts (no pending edits): what the batch tool prints.
Source sourceFromSheet(const CalcSheet &sheet, const BasGeneral &general);
// The same with the locale's date form looked up already.
Source sourceFromSheet(
    const CalcSheet &sheet, const BasGeneral &general, const DateText::Form &dateForm);

QList<Line> lines(const Source &source);

struct PlacedItem
{
    double column; // 1-based; fractional where the widths are
    QString text;
};

// Places the items of one line. `widthInColumns` gives the width of a text in
// columns. A column position that the line has already passed does not break the
// line: the item follows after one blank. The next zone is the first zone start
// beyond the end of what was printed, so a unit never touches its value.
QList<PlacedItem> place(
    const Line &line, const std::function<double(const QString &)> &widthInColumns);

// The report as plain text, one character per column: blanks up to each item,
// no trailing blanks, every line ended by "\n". Line breaks and tabs inside a text
// print as blanks, so the report keeps its 62 lines.
QString plainText(const QList<Line> &lines);

} // namespace ReportLayout
