#pragma once

#include "appendages/fittings.h"

#include "widgets/toolwindow.h"

#include <QString>

#include <span>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Dialogs;

// A window of fitting counts: one row per fitting type (label and count field) in a
// frame, "Clear" and "OK" below. The counts live in basGeneral; the window only shows
// them. A count is committed when the focus leaves its field: it is checked, stored,
// written back and the total l/d goes to the main window's field.
class CountWindow : public ToolWindow
{
    Q_OBJECT

public:
    // What tells the bends window from the valves window.
    struct Setup
    {
        QString caption; // window caption
        QString frameCaption; // caption of the frame around the rows
        std::span<const FittingRow> table; // labels and l/d factors, in row order
        int firstIndented = -1; // rows drawn indented under the row above
        int lastIndented = -2;
        int targetField = 0; // Text0 index that receives the total
        std::span<qint16> counts; // the counts in basGeneral
        qint32 *total = nullptr; // the total in basGeneral
    };

    ~CountWindow() override;

    int rowCount() const { return int(m_fields.size()); }
    QLineEdit *countField(int index) const { return m_fields.at(size_t(index)); }
    QLabel *rowLabel(int index) const { return m_labels.at(size_t(index)); }
    QGroupBox *frame() const { return m_frame; }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *clearButton() const { return m_clearButton; }

    // The total l/d of the count fields into the record and into the main window's
    // field (whose change handling recalculates).
    void recomputeTotal();
    // Every count 0, every field "0", the main window's field "0".
    void clearCounts();
    // OK: a count still being edited is committed, the main window takes the total
    // over through its own field, and the window goes away.
    void okClicked();
    // The leave check of count field `index` (Text1_LostFocus, Text2_LostFocus).
    void countLostFocus(int index);

protected:
    CountWindow(Dialogs &dialogs, QWidget *parent, const Setup &setup);

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();
    void Form_Load();
    void Form_Activate();
    // Runs the leave check of the count field that has the window's focus, if any.
    void commitFocusedCount();
    int fieldIndex(const QObject *object) const;

    Dialogs &m_dialogs;
    Setup m_setup;
    std::vector<QLabel *> m_labels;
    std::vector<QLineEdit *> m_fields;
    QGroupBox *m_frame = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_clearButton = nullptr;

    // A leave check may open a message box or an input prompt, which takes the focus
    // from the field and deactivates this window: neither may start a second check,
    // and the return from that box is no return of the user to this window.
    bool m_inLeaveCheck = false;
    bool m_deactivatedDuringCheck = false;
};
