#include "calc/calcsheet.h"

#include "calc/basgeneral.h"
#include "calc/calcengine.h"
#include "calc/calctexts.h"
#include "calc/dialogs.h"
#include "calc/entrytable.h"
#include "calc/numbertext.h"

namespace {

bool positive(double value)
{
    return value > 0;
}

// At the prompt the roughness must stay below 5; a stored 5 is accepted without one.
bool roughnessAnswerAcceptable(double value)
{
    return value > 0 && value < 5;
}

} // namespace

bool CalcSheet::promptForValue(
    const QString &message, double defaultAnswer, bool (*accept)(double), double &variable)
{
    const QString text = message + QLatin1Char('\r') + CalcTexts::PleaseEnter;
    const QString defaultText = NumberText::plain(defaultAnswer, m_symbols);
    do {
        const QString answer = m_dialogs.inputBox(text, CalcTexts::InputTitle, defaultText);
        if (answer.isEmpty())
            return false;
        variable = NumberText::parse(answer, m_symbols).value_or(0);
    } while (!accept(variable));
    return true;
}

bool CalcSheet::askForEntry(int index, double defaultAnswer, bool (*accept)(double))
{
    const EntryInfo &entry = *entryInfo(index);
    return promptForValue(*entry.prompt, defaultAnswer, accept, m_general.*entry.member);
}

ReadStatus CalcSheet::ReadInputs()
{
    currentSymbols();
    Inputs &in = m_general;

    if (!(in.FlowRate > 0)) {
        if (!askForEntry(1, 100, positive))
            return ReadStatus::InputCancelled;
        setText0(1, NumberText::plain(in.FlowRate, m_symbols));
    }
    if (!(in.InnerDiameter > 0)) {
        if (!askForEntry(4, 100, positive))
            return ReadStatus::InputCancelled;
        setText0(4, NumberText::plain(in.InnerDiameter, m_symbols));
    }

    m_results.Velocity = CalcEngine::velocity(in.FlowRate, in.InnerDiameter);
    showResult(11);

    if (!(in.Viscosity > 0)) {
        if (!askForEntry(3, 1, positive))
            return ReadStatus::InputCancelled;
        setText0(3, NumberText::fixed(in.Viscosity, 4, m_symbols));
    }
    if (!(in.Density > 0)) {
        if (!askForEntry(2, 1000, positive))
            return ReadStatus::InputCancelled;
        setText0(2, NumberText::fixed(in.Density, 4, m_symbols));
    }

    m_results.Reynolds = CalcEngine::reynolds(in, m_results.Velocity);
    showResult(12);

    if (CalcEngine::isLaminar(m_results.Reynolds))
        return ReadStatus::FlowLaminar;

    if (!(in.WallRoughness > 0 && in.WallRoughness <= 5)) {
        if (!askForEntry(23, 0.01, roughnessAnswerAcceptable))
            return ReadStatus::InputCancelled;
        setText0(23, NumberText::fixed(in.WallRoughness, 5, m_symbols));
    }
    return ReadStatus::FlowTurbulent;
}
