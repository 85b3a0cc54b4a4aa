#include "appendages/fittings.h"

#include "calc/dialogs.h"
#include "calc/numbertext.h"

namespace {
const QString NotANumberMessage = QStringLiteral("Sorry, only numbers please ...");
const QString RangeMessageStart = QStringLiteral("Sorry, only numbers between 0 and ");
const QString RangeMessageEnd = QStringLiteral(" please ...");
} // namespace

qint32 totalLd(const QStringList &countTexts, std::span<const FittingRow> table)
{
    return totalLd(countTexts, table, NumberText::symbols());
}

qint32 totalLd(const QStringList &countTexts, std::span<const FittingRow> table,
    const NumberText::Symbols &symbols)
{
    qint32 total = 0;
    for (size_t i = 0; i < table.size(); ++i) {
        const QString text
            = qsizetype(i) < countTexts.size() ? countTexts.at(qsizetype(i)) : QString();
        const double count = NumberText::parse(text, symbols).value_or(0);
        // Counts stay within 16 bits and factors within 1000, so the sum fits 32 bits.
        total = NumberText::toInt32(count * table[i].factor + total).value_or(0);
    }
    return total;
}

namespace {

template<size_t N>
qint32 countTotal(const std::array<qint16, N> &counts, std::span<const FittingRow> table)
{
    // What totalLd gives for the count texts: whole numbers, and with counts within 16
    // bits and factors within 1000 no step leaves 32 bits.
    qint32 total = 0;
    for (size_t i = 0; i < N; ++i)
        total += qint32(counts[i]) * table[i].factor;
    return total;
}

} // namespace

FittingTotals fittingTotals(
    const std::array<qint16, 6> &bendCounts, const std::array<qint16, 13> &valveCounts)
{
    return {countTotal(bendCounts, BendTable), countTotal(valveCounts, ValveTable)};
}

QString countText(qint16 count)
{
    return QString::number(count);
}

qint16 CheckCount(const QString &text, Dialogs &dialogs)
{
    const std::optional<double> value = NumberText::parse(text);
    if (!value) {
        dialogs.messageBox(NotANumberMessage, Dialogs::Icon::Warning);
        return 0;
    }
    const std::optional<qint32> n = NumberText::toInt32(*value);
    if (!n || *n < 0 || *n > CountLimit) {
        dialogs.messageBox(RangeMessageStart + QString::number(CountLimit) + RangeMessageEnd,
            Dialogs::Icon::Warning);
        return 0;
    }
    return qint16(*n);
}
