#include "project/loadcase.h"

#include "appendages/fittings.h"
#include "calc/basgeneral.h"
#include "calc/calcsheet.h"
#include "calc/entrytable.h"
#include "calc/numbertext.h"

namespace LoadCase {

namespace {

template<size_t N>
QStringList countTexts(const std::array<qint16, N> &counts)
{
    QStringList texts;
    texts.reserve(qsizetype(N));
    for (qint16 count : counts)
        texts << countText(count);
    return texts;
}

} // namespace

void storeLoadedCase(BasGeneral &general, const ProjectCase &loaded, const QString &openedPath)
{
    general.ProjectFileName = openedPath;
    loaded.applyTo(general);
}

void showEntries(CalcSheet &sheet)
{
    const Inputs &e = sheet.general().inputs();
    const NumberText::Symbols &symbols = sheet.currentSymbols();
    for (const EntryInfo &entry : EntryTable)
        sheet.setText0(entry.index, NumberText::plain(e.*entry.member, symbols));
}

QStringList bendCountTexts(const BasGeneral &general)
{
    return countTexts(general.BendCounts);
}

QStringList valveCountTexts(const BasGeneral &general)
{
    return countTexts(general.ValveCounts);
}

void loadCase(CalcSheet &sheet, const ProjectCase &loaded, const QString &openedPath)
{
    BasGeneral &general = sheet.general();
    storeLoadedCase(general, loaded, openedPath);
    showEntries(sheet);

    // The entries are in the record before the totals change, since the equivalent
    // length in metres that follows Text0(9) and Text0(10) needs the diameter.
    const FittingTotals totals = fittingTotals(general.BendCounts, general.ValveCounts);
    general.BendsTotalLd = totals.bendsLd;
    sheet.setText0(9, QString::number(general.BendsTotalLd));
    general.ValvesTotalLd = totals.valvesLd;
    sheet.setText0(10, QString::number(general.ValvesTotalLd));

    sheet.Calc();
}

} // namespace LoadCase
