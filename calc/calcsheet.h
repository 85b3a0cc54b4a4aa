#pragma once

#include "calc/calcengine.h"
#include "calc/calcsheetnotifier.h"
#include "calc/fieldtable.h"
#include "calc/numbertext.h"
#include "calc/record.h"

#include <QPointer>
#include <QString>

#include <array>

struct BasGeneral;
class Dialogs;

// Outcome of ReadInputs.
enum class ReadStatus : qint16 { InputCancelled = 0, FlowLaminar = 2, FlowTurbulent = 3 };

// The main window without the window: the texts of the field array Text0, the status
// line, the results, and every operation that computes them. frmStart shows this state
// and forwards its events here; the batch tool and the core tests drive it directly.
// A copy (a batch worker copies its start state for each file) has no listeners.
class CalcSheet
{
public:
    CalcSheet(BasGeneral &general, Dialogs &dialogs);

    BasGeneral &general() { return m_general; }
    Dialogs &dialogs() { return m_dialogs; }
    Results &results() { return m_results; }
    const Results &results() const { return m_results; }

    // Text of Text0(index); index must exist (see fieldExists).
    QString Text0(int index) const;
    // Sets the text of Text0(index). When the text of 9 or 10 changes, the change
    // handling of the equivalent-length fields runs (Text0_Change).
    void setText0(int index, const QString &text);
    QString status() const { return m_status; }
    // How the last calculation ended, as the status line tells it.
    CalcEngine::Status outcome() const { return m_outcome; }

    // The locale's symbols for the texts about to be written. The window looks them up
    // at every calculation, so that the texts follow the default locale at once; a
    // batch worker pins them, since every lookup asks the system and takes a lock.
    const NumberText::Symbols &currentSymbols();
    void pinSymbols(const NumberText::Symbols &symbols);

    // The main window's load step: start values into the record and the entry
    // fields, design texts elsewhere; no calculation.
    void Form_Load();
    // Clear's last steps: the start values into the record and the entry fields.
    void restoreStartValues();

    ReadStatus ReadInputs();
    void Calc();

    // Text change of 9 and 10: BendsLd and ValvesLd from the two fields, Text0(8),
    // AppendageLength and Text0(25), then Calc.
    void Text0_Change(int index);
    // Steps 1 to 3 of the text change, without Calc.
    void refreshAppendageLength();

    // The leave check of Text0(index): number loop, store by index, Calc.
    void Text0_LostFocus(int index);

    // The notifier that tells listeners of every changed field text and status line and
    // of the end of every Calc; nullptr for none. It is owned elsewhere.
    void setNotifier(CalcSheetNotifier *notifier) { m_listeners.notifier = notifier; }
    CalcSheetNotifier *notifier() const { return m_listeners.notifier; }

private:
    // The notifier of this sheet, which a copy of the sheet does not take over: the
    // copy's changes are not those its listeners follow.
    struct Listeners
    {
        Listeners() = default;
        Listeners(const Listeners &) { }
        Listeners &operator=(const Listeners &) { return *this; }
        QPointer<CalcSheetNotifier> notifier;
    };

    void setStatus(const QString &text);
    // Writes a field and tells the view, without the change handling of 9 and 10.
    void writeText0(int index, const QString &text);

    // The prompt step of ReadInputs: asks with message and default answer until
    // accept(variable) holds. False when the user cancelled (an empty answer).
    bool promptForValue(
        const QString &message, double defaultAnswer, bool (*accept)(double), double &variable);
    // The prompt step for the entry of Text0(index), with the entry's own message.
    bool askForEntry(int index, double defaultAnswer, bool (*accept)(double));
    // Step 1 of the leave check: asks until the field holds an acceptable number.
    double numberLoop(int index);
    void applyElevationRule();
    // Calc without the notification.
    void calculate();
    // Every result field after the flow regime, from m_results.
    void showResults(bool turbulent, bool frictionFactorFound);
    // Text0(index) shows its result from m_results in the result's format.
    void showResult(int index);

    BasGeneral &m_general;
    Dialogs &m_dialogs;
    Results m_results;
    std::array<QString, Text0Size> m_text;
    QString m_status;
    CalcEngine::Status m_outcome = CalcEngine::Status::NeedsInput;
    // The locale's symbols for the texts of one calculation, looked up as it starts.
    NumberText::Symbols m_symbols;
    bool m_symbolsPinned = false;
    // A modal prompt or message inside the leave check can take the focus from the
    // field and so ask for the leave check again; that nested call is ignored.
    bool m_inLeaveCheck = false;
    Listeners m_listeners;
};
