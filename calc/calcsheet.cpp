#include "calc/calcsheet.h"

#include "calc/basgeneral.h"
#include "calc/calcengine.h"
#include "calc/calctexts.h"
#include "calc/dialogs.h"
#include "calc/entrytable.h"
#include "calc/numbertext.h"
#include "calc/resulttable.h"

namespace {

constexpr std::array<bool, Text0Size> ExistingFields = [] {
    std::array<bool, Text0Size> exists{};
    for (const FieldInfo &f : FieldTable)
        exists[f.index] = true;
    return exists;
}();

bool validIndex(int index)
{
    return index >= 0 && index < Text0Size && ExistingFields[index];
}

// The l/d value of an appendage field: a whole number; a text that is not a number,
// or one beyond a 32-bit total, counts as 0.
double ldValue(const QString &text, const NumberText::Symbols &symbols)
{
    const auto value = NumberText::parse(text, symbols);
    if (!value)
        return 0;
    return double(NumberText::toInt32(*value).value_or(0));
}

QString resultText(const ResultInfo &result, double value, const NumberText::Symbols &symbols)
{
    switch (result.format) {
    case ResultFormat::Fixed:
        return NumberText::fixed(value, result.decimals, symbols);
    case ResultFormat::TwoOrFourDecimals:
        return NumberText::fixed(value, value > 1 ? 2 : 4, symbols);
    case ResultFormat::FixedUpToMillion:
        return value > 1000000 ? NumberText::scientific(value, symbols)
                               : NumberText::fixed(value, result.decimals, symbols);
    case ResultFormat::Plain:
        return NumberText::plain(value, symbols);
    case ResultFormat::None:
        break;
    }
    return {};
}

// The text of an entry's start value, in the default locale.
QString startText(const EntryInfo &entry)
{
    return NumberText::fixed(Inputs{}.*entry.member, entry.startDecimals);
}

} // namespace

CalcSheet::CalcSheet(BasGeneral &general, Dialogs &dialogs)
    : m_general(general)
    , m_dialogs(dialogs)
{
    for (const FieldInfo &f : FieldTable)
        m_text[f.index] = QString::fromLatin1(f.designText);
}

const NumberText::Symbols &CalcSheet::currentSymbols()
{
    if (!m_symbolsPinned)
        m_symbols = NumberText::symbols();
    return m_symbols;
}

void CalcSheet::pinSymbols(const NumberText::Symbols &symbols)
{
    m_symbols = symbols;
    m_symbolsPinned = true;
}

QString CalcSheet::Text0(int index) const
{
    return validIndex(index) ? m_text[index] : QString();
}

void CalcSheet::writeText0(int index, const QString &text)
{
    if (!validIndex(index) || m_text[index] == text)
        return;
    m_text[index] = text;
    if (CalcSheetNotifier *notifier = m_listeners.notifier)
        Q_EMIT notifier->text0Changed(index);
}

void CalcSheet::setText0(int index, const QString &text)
{
    if (!validIndex(index) || m_text[index] == text)
        return;
    writeText0(index, text);
    Text0_Change(index);
}

void CalcSheet::setStatus(const QString &text)
{
    if (m_status == text)
        return;
    m_status = text;
    if (CalcSheetNotifier *notifier = m_listeners.notifier)
        Q_EMIT notifier->statusChanged();
}

void CalcSheet::Form_Load()
{
    static_cast<Inputs &>(m_general) = Inputs{};
    m_results = Results{};
    m_general.ProjectDate = CaseDate::today();

    // A fresh window shows its design texts; the load then writes the entries.
    for (const FieldInfo &f : FieldTable)
        writeText0(f.index, QString::fromLatin1(f.designText));
    for (int index : EntryOrder)
        writeText0(index, startText(*entryInfo(index)));
}

void CalcSheet::restoreStartValues()
{
    // Clear writes the entries in this order; a view is told of each write.
    using namespace EntryField;
    static constexpr std::array<int, 8> ClearOrder = {FlowRate, InnerDiameter, Viscosity, Density,
        WallRoughness, PipeLength, Elevation, ExtraLoss};
    const Inputs start;
    for (int index : ClearOrder) {
        const EntryInfo &entry = *entryInfo(index);
        m_general.*entry.member = start.*entry.member;
        setText0(index, startText(entry));
    }
}

void CalcSheet::refreshAppendageLength()
{
    const NumberText::Symbols &symbols = currentSymbols();
    m_results.BendsLd = ldValue(Text0(9), symbols);
    m_results.ValvesLd = ldValue(Text0(10), symbols);
    const double totalLd = m_results.BendsLd + m_results.ValvesLd;
    setText0(8, NumberText::plain(totalLd, symbols));
    // l/d times a diameter in mm gives mm, hence the division by 1000 for metres.
    m_results.AppendageLength = totalLd * m_general.InnerDiameter / 1000;
    setText0(25, NumberText::plain(m_results.AppendageLength, symbols));
}

void CalcSheet::Text0_Change(int index)
{
    if (index != 9 && index != 10)
        return;
    refreshAppendageLength();
    Calc();
}

void CalcSheet::Calc()
{
    calculate();
    if (CalcSheetNotifier *notifier = m_listeners.notifier)
        Q_EMIT notifier->calculated();
}

void CalcSheet::calculate()
{
    const ReadStatus flow = ReadInputs();
    if (flow == ReadStatus::InputCancelled) {
        m_outcome = CalcEngine::Status::NeedsInput;
        setStatus(CalcTexts::StatusError);
        return;
    }
    const bool turbulent = flow == ReadStatus::FlowTurbulent;
    setStatus(turbulent ? CalcTexts::StatusTurbulent : CalcTexts::StatusLaminar);
    m_outcome = turbulent ? CalcEngine::Status::Turbulent : CalcEngine::Status::Laminar;

    const Inputs &in = m_general;
    Results &res = m_results;
    const bool frictionFactorFound = CalcEngine::computeResults(in, turbulent, res);
    if (!frictionFactorFound) {
        m_dialogs.messageBox(CalcTexts::FrictionFactorUndetermined);
        setStatus(CalcTexts::StatusFrictionError);
        m_outcome = CalcEngine::Status::FrictionFactorUndetermined;
        setText0(13, CalcTexts::NoFrictionFactor);
    }
    showResults(turbulent, frictionFactorFound);
    if (CalcEngine::anyNotFinite(res, turbulent, frictionFactorFound)) {
        setStatus(CalcTexts::StatusError);
        m_outcome = CalcEngine::Status::NotFinite;
    }
}

void CalcSheet::showResult(int index)
{
    const ResultInfo &result = *resultInfo(index);
    setText0(index, resultText(result, m_results.*result.member, m_symbols));
}

void CalcSheet::showResults(bool turbulent, bool frictionFactorFound)
{
    // Where no friction factor was found, Text0(13) reads "****" already.
    if (frictionFactorFound)
        showResult(13);
    // The fields in the order Calc writes them; a view is told of each write.
    for (int index : {14, 15, 16, 25, 17, 18, 19, 21, 22, 27, 28})
        showResult(index);
    if (turbulent)
        showResult(24);
    else
        setText0(24, CalcTexts::NotApplicable);
}
