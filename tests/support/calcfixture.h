#pragma once

#include "calc/basgeneral.h"
#include "calc/calcsheet.h"
#include "support/scripteddialogs.h"

#include <QStringList>

// A main window without the window: its own record, scripted dialogs and the sheet,
// loaded as at start-up.
struct CalcFixture
{
    BasGeneral general;
    ScriptedDialogs dialogs;
    CalcSheet sheet{general, dialogs};

    CalcFixture() { sheet.Form_Load(); }
    CalcFixture(const CalcFixture &) = delete;
    CalcFixture &operator=(const CalcFixture &) = delete;

    // The user types text into Text0(index) and leaves the field.
    void enter(int index, const QString &text)
    {
        sheet.setText0(index, text);
        sheet.Text0_LostFocus(index);
    }

    // Steps written as "index=text": entries are typed and left, 9 and 10 are written
    // as the appendage windows write them.
    void apply(const QStringList &steps)
    {
        for (const QString &step : steps) {
            const int eq = step.indexOf(QLatin1Char('='));
            const int index = step.left(eq).toInt();
            const QString text = step.mid(eq + 1);
            if (index == 9 || index == 10)
                sheet.setText0(index, text);
            else
                enter(index, text);
        }
    }

    // The fields that differ from "index=text" expectations, for a readable failure.
    QStringList mismatches(const QStringList &expected) const
    {
        QStringList out;
        for (const QString &e : expected) {
            const int eq = e.indexOf(QLatin1Char('='));
            const int index = e.left(eq).toInt();
            const QString want = e.mid(eq + 1);
            if (sheet.Text0(index) != want)
                out << QStringLiteral("Text0(%1) is \"%2\", expected \"%3\"")
                           .arg(index)
                           .arg(sheet.Text0(index), want);
        }
        return out;
    }
};

inline QString promptText(const QString &message)
{
    return message + QLatin1Char('\r') + QStringLiteral("Please enter a value ...");
}
