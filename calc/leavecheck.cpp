#include "calc/calcsheet.h"

#include "calc/basgeneral.h"
#include "calc/calctexts.h"
#include "calc/dialogs.h"
#include "calc/entrytable.h"
#include "calc/numbertext.h"

namespace {

// The fields whose text the record takes over when they are left: the entries and
// the two appendage totals. The others only show results.
bool takesInput(int index)
{
    const FieldInfo *info = fieldInfo(index);
    return info && (info->role == FieldRole::Entry || index == 9 || index == 10);
}

} // namespace

double CalcSheet::numberLoop(int index)
{
    // Only the elevation may be negative. Cancel gives the empty text, which is not a
    // number, so the user leaves the loop with an acceptable number only.
    for (;;) {
        const auto value = NumberText::parse(Text0(index));
        if (value && (index == 6 || *value >= 0))
            return *value;
        const QString &reason = value ? CalcTexts::OnlyPositiveNumbers : CalcTexts::OnlyNumbers;
        setText0(index,
            m_dialogs.inputBox(reason + QLatin1Char('\r') + CalcTexts::PleaseEnter,
                CalcTexts::InputTitle, CalcTexts::LeaveCheckDefault));
    }
}

void CalcSheet::applyElevationRule()
{
    // A negative elevation is never changed here.
    if (m_general.Elevation > m_general.PipeLength) {
        m_dialogs.messageBox(CalcTexts::ElevationAboveLength);
        m_general.Elevation = m_general.PipeLength;
        setText0(6, Text0(5));
    }
}

void CalcSheet::Text0_LostFocus(int index)
{
    if (m_inLeaveCheck)
        return;
    m_inLeaveCheck = true;

    // A result field is left as it is: its text may be "n.a.", "****" or a negative
    // pressure drop, none of which is the user's to correct. Leaving it recalculates.
    if (takesInput(index)) {
        const double value = numberLoop(index);
        Inputs &in = m_general;
        // The entries are stored by their field; 9 and 10 only recalculate.
        if (const EntryInfo *entry = entryInfo(index))
            in.*entry->member = value;
        switch (index) {
        case 4:
            refreshAppendageLength();
            break;
        case 5:
        case 6:
            applyElevationRule();
            break;
        case 23:
            if (in.WallRoughness > 5) {
                m_dialogs.messageBox(CalcTexts::MaximumRoughness);
                in.WallRoughness = 5;
                setText0(23, QStringLiteral("5"));
            }
            break;
        default:
            break;
        }
    }
    Calc();
    m_inLeaveCheck = false;
}
