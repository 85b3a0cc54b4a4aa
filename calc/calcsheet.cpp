#include "calc/calcsheet.h"

#include "calc/calctexts.h"
#include "calc/frictionfactor.h"
#include "calc/numbertext.h"
#include "calc/basgeneral.h"

#include <cmath>
#include <limits>

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
double ldValue(const QString &text)
{
    const auto value = NumberText::parse(text);
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
    m_results.BendsLd = ldValue(Text0(9));
    m_results.ValvesLd = ldValue(Text0(10));
    const double totalLd = m_results.BendsLd + m_results.ValvesLd;
    setText0(8, NumberText::plain(totalLd));
    // l/d times a diameter in mm gives mm, hence the division by 1000 for metres.
    m_results.AppendageLength = totalLd * m_general.InnerDiameter / 1000;
    setText0(25, NumberText::plain(m_results.AppendageLength));
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
    const ReadStatus flow = ReadInputs();
    if (flow == ReadStatus::InputCancelled) {
        setStatus(CalcTexts::StatusError);
        return;
    }

    const Inputs &in = m_general;
    Results &res = m_results;
    const double D = in.InnerDiameter; // mm
    const double L = in.PipeLength; // m

    bool frictionFactorFound = true;
    if (flow == ReadStatus::FlowLaminar) {
        setStatus(CalcTexts::StatusLaminar);
        res.FrictionFactor = 64 / res.Reynolds;
    } else {
        setStatus(CalcTexts::StatusTurbulent);
        if (std::isfinite(res.Velocity) && std::isfinite(res.Reynolds)) {
            res.FrictionFactor = SolveFrictionFactor(in.WallRoughness, D, res.Reynolds, m_dialogs);
            frictionFactorFound = res.FrictionFactor != 0;
        } else {
            // The flow itself is beyond a double: no friction factor means anything,
            // and the solver's message would blame the wrong thing.
            res.FrictionFactor = std::numeric_limits<double>::quiet_NaN();
        }
        if (!frictionFactorFound) {
            setStatus(CalcTexts::StatusFrictionError);
            setText0(13, CalcTexts::NoFrictionFactor);
        }
    }
    if (frictionFactorFound)
        setText0(13, NumberText::fixed(res.FrictionFactor, 4, m_symbols));
    const double f = res.FrictionFactor;
    const double v = res.Velocity;
    const double rho = in.Density;

    // Lengths in m over a diameter in mm, hence the factor 1000.
    res.PipeFriction = L * f * 1000 / D;
    setText0(14, NumberText::fixed(res.PipeFriction, 4, m_symbols));
    res.PipeArea = D * D * 0.7853981633974475;
    setText0(15, NumberText::fixed(res.PipeArea, 4, m_symbols));
    res.PipeVolume = L * res.PipeArea / 1000;
    setText0(16, twoOrFourDecimals(res.PipeVolume, m_symbols));

    // The equivalent length follows the diameter in use now, also when a prompt or a
    // loaded file changed the diameter since the appendage fields were last edited.
    res.AppendageLength = (res.BendsLd + res.ValvesLd) * D / 1000;
    setText0(25, NumberText::plain(res.AppendageLength));
    res.AppendageFriction = res.AppendageLength * f * 1000 / D;
    setText0(17, NumberText::fixed(res.AppendageFriction, 4, m_symbols));

    // rho v^2 / 2 times the resistance coefficients plus the static head, Pa to bar.
    res.PipePressureDrop = (v * v * (rho * 0.5) * (res.AppendageFriction + res.PipeFriction)
                               + rho * 9.81 * in.Elevation)
        / 100000;
    setText0(18, NumberText::fixed(res.PipePressureDrop, 4, m_symbols));
    res.TotalPressureDrop = in.ExtraLoss + res.PipePressureDrop;
    setText0(19, NumberText::fixed(res.TotalPressureDrop, 4, m_symbols));
    res.TotalPressureDropPa = res.TotalPressureDrop * 100000;
    setText0(21, NumberText::fixed(res.TotalPressureDropPa, 0, m_symbols));
    res.ResidenceTime = L / v;
    setText0(22, twoOrFourDecimals(res.ResidenceTime, m_symbols));
    // l/h over 3600 times 0.001 gives m3/s.
    res.PowerLoss = in.FlowRate * res.TotalPressureDropPa / 3600 * 0.001;
    setText0(27, NumberText::fixed(res.PowerLoss, 1, m_symbols));
    res.ShearRate = v * 4 / D * 1000;
    setText0(28, NumberText::fixed(res.ShearRate, 2, m_symbols));
    if (flow == ReadStatus::FlowTurbulent) {
        res.RelativeRoughness = in.WallRoughness / D;
        setText0(24, NumberText::fixed(res.RelativeRoughness, 4, m_symbols));
    } else {
        setText0(24, CalcTexts::NotApplicable);
    }

    // Inputs far outside any pipe (a diameter whose square underflows, a flow that
    // overflows) leave results that are not numbers; their fields show "****".
    const double shown[] = {res.Velocity, res.Reynolds, res.PipeFriction, res.PipeArea,
        res.PipeVolume, res.AppendageLength, res.AppendageFriction, res.PipePressureDrop,
        res.TotalPressureDrop, res.TotalPressureDropPa, res.ResidenceTime, res.PowerLoss,
        res.ShearRate, flow == ReadStatus::FlowTurbulent ? res.RelativeRoughness : 0.0,
        frictionFactorFound ? res.FrictionFactor : 0.0};
    for (double value : shown) {
        if (!std::isfinite(value)) {
            setStatus(CalcTexts::StatusError);
            break;
        }
    }
}
