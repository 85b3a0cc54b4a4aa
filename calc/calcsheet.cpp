#include "calc/calcsheet.h"

#include "calc/basgeneral.h"
#include "calc/calcengine.h"
#include "calc/calctexts.h"
#include "calc/dialogs.h"
#include "calc/frictionfactor.h"
#include "calc/numbertext.h"

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

// "0.00" above 1, "0.0000" otherwise: velocity, pipe volume and residence time.
QString twoOrFourDecimals(double value, const NumberText::Symbols &symbols)
{
    return NumberText::fixed(value, value > 1 ? 2 : 4, symbols);
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
    if (text0Changed)
        text0Changed(index);
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
    if (statusChanged)
        statusChanged();
}

void CalcSheet::Form_Load()
{
    static_cast<Inputs &>(m_general) = Inputs{};
    m_results = Results{};
    m_general.ProjectDate = CaseDate::today();

    // A fresh window shows its design texts; the load then writes the entries.
    for (const FieldInfo &f : FieldTable)
        writeText0(f.index, QString::fromLatin1(f.designText));
    const Inputs &in = m_general;
    writeText0(1, NumberText::fixed(in.FlowRate, 0));
    writeText0(2, NumberText::fixed(in.Density, 0));
    writeText0(3, NumberText::fixed(in.Viscosity, 0));
    writeText0(4, NumberText::fixed(in.InnerDiameter, 0));
    writeText0(23, NumberText::fixed(in.WallRoughness, 2));
    writeText0(5, NumberText::fixed(in.PipeLength, 0));
    writeText0(6, NumberText::fixed(in.Elevation, 0));
    writeText0(7, NumberText::fixed(in.ExtraLoss, 0));
}

void CalcSheet::restoreStartValues()
{
    Inputs &in = m_general;
    const Inputs start;
    in.FlowRate = start.FlowRate;
    setText0(1, QStringLiteral("100"));
    in.InnerDiameter = start.InnerDiameter;
    setText0(4, QStringLiteral("100"));
    in.Viscosity = start.Viscosity;
    setText0(3, QStringLiteral("1"));
    in.Density = start.Density;
    setText0(2, QStringLiteral("1000"));
    in.WallRoughness = start.WallRoughness;
    setText0(23, NumberText::plain(start.WallRoughness));
    in.PipeLength = start.PipeLength;
    in.Elevation = start.Elevation;
    in.ExtraLoss = start.ExtraLoss;
    setText0(5, QStringLiteral("0"));
    setText0(6, QStringLiteral("0"));
    setText0(7, QStringLiteral("0"));
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
    if (calculated)
        calculated();
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

void CalcSheet::showResults(bool turbulent, bool frictionFactorFound)
{
    const Results &res = m_results;
    if (frictionFactorFound)
        setText0(13, NumberText::fixed(res.FrictionFactor, 4, m_symbols));
    setText0(14, NumberText::fixed(res.PipeFriction, 4, m_symbols));
    setText0(15, NumberText::fixed(res.PipeArea, 4, m_symbols));
    setText0(16, twoOrFourDecimals(res.PipeVolume, m_symbols));
    setText0(25, NumberText::plain(res.AppendageLength, m_symbols));
    setText0(17, NumberText::fixed(res.AppendageFriction, 4, m_symbols));
    setText0(18, NumberText::fixed(res.PipePressureDrop, 4, m_symbols));
    setText0(19, NumberText::fixed(res.TotalPressureDrop, 4, m_symbols));
    setText0(21, NumberText::fixed(res.TotalPressureDropPa, 0, m_symbols));
    setText0(22, twoOrFourDecimals(res.ResidenceTime, m_symbols));
    setText0(27, NumberText::fixed(res.PowerLoss, 1, m_symbols));
    setText0(28, NumberText::fixed(res.ShearRate, 2, m_symbols));
    if (turbulent)
        setText0(24, NumberText::fixed(res.RelativeRoughness, 4, m_symbols));
    else
        setText0(24, CalcTexts::NotApplicable);
}
