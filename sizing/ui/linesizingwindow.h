#pragma once

#include "calc/caseinput.h"
#include "calc/record.h"
#include "sizing/linesizing.h"
#include "sizing/pipetable.h"
#include "widgets/numberspinbox.h"

#include <QWidget>

#include <optional>
#include <vector>

class Dialogs;
class LineSizingModel;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

// "Line sizing": the case of the main window calculated with every pipe of a diameter
// table at once. It follows the main window through setCase() and hands a chosen
// diameter back through fieldWritten() and handedOver(), as the diameter picker does.
class LineSizingWindow : public QWidget
{
    Q_OBJECT

public:
    // Positions in the table choice; a loaded pipe table comes after these.
    enum TableChoice { IsoTable, DinTable, AllTables, UserTable };

    explicit LineSizingWindow(Dialogs &dialogs, QWidget *parent = nullptr);

    QComboBox *tableChoice() const { return m_tableChoice; }
    QPushButton *loadTableButton() const { return m_loadTable; }
    QDoubleSpinBox *minVelocity() const { return m_minVelocity; }
    QDoubleSpinBox *maxVelocity() const { return m_maxVelocity; }
    QDoubleSpinBox *maxDropPer100m() const { return m_maxDrop; }
    QTableView *table() const { return m_table; }
    QPushButton *useButton() const { return m_use; }
    QPushButton *exportButton() const { return m_export; }
    QLabel *noteLabel() const { return m_note; }
    const LineSizingModel &model() const { return *m_model; }
    // The limits in use: the last ones that were accepted.
    const SizingLimits &limits() const { return m_limits; }

    // The commands of the buttons.
    void loadTable();
    void exportCsv();
    void useThisSize();
    // The selected rows as tab-separated text with headings, to the clipboard.
    void copyRows();

public Q_SLOTS:
    // The main window's case after each of its calculations, and where given what the
    // main window computed for it, which the row of its own diameter takes over.
    void setCase(
        const CaseInput &c, const std::optional<CalcEngine::Outcome> &computed = std::nullopt);

Q_SIGNALS:
    // The signals of a tool window (ToolWindow): the chosen diameter goes into the main
    // window's field Text0(index), as the picker writes it; the main window then takes
    // the field over.
    void fieldWritten(int index, const QString &text);
    void handedOver(int index);
    // The size handed over is the picker's entry at `position` of `standard` (0 ISO,
    // 1 DIN): the picker remembers it, so that opening the picker keeps that size.
    void pickerEntryChosen(int standard, int position);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildWindow();
    QWidget *buildTableChoice();
    QWidget *buildLimits();
    std::vector<PipeSize> currentPipes() const;
    void recalculate();
    void limitsEdited(QDoubleSpinBox *edited);
    void updateUseButton();
    // Makes the row of the main window's diameter (or the nearest one) current and
    // scrolls to it, unless the user has chosen a row of the table shown.
    void selectCurrentDiameter();
    // Wide enough for every column, as far as the screen allows.
    void fitToColumns();

    Dialogs &m_dialogs;
    CaseInput m_case;
    std::optional<CalcEngine::Outcome> m_computed;
    std::vector<PipeSize> m_userPipes; // the pipe table loaded last, while the window lives
    SizingLimits m_limits;
    bool m_fitted = false;
    bool m_rowChosen = false; // the current row is the user's choice, not the window's
    bool m_choosingRow = false;

    LineSizingModel *m_model = nullptr;
    QSortFilterProxyModel *m_sorted = nullptr;
    QComboBox *m_tableChoice = nullptr;
    QPushButton *m_loadTable = nullptr;
    NumberSpinBox *m_minVelocity = nullptr;
    NumberSpinBox *m_maxVelocity = nullptr;
    NumberSpinBox *m_maxDrop = nullptr;
    QTableView *m_table = nullptr;
    QLabel *m_note = nullptr;
    QPushButton *m_use = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_close = nullptr;
};
