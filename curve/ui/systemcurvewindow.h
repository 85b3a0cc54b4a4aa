#pragma once

#include "calc/caseinput.h"
#include "calc/record.h"
#include "curve/curvetexts.h"
#include "curve/pumpcurve.h"
#include "curve/systemcurve.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class CurvePlot;
class NpshPanel;
class NpshPlot;
class PumpSetPanel;
class QComboBox;
class QDoubleSpinBox;
class QIODevice;
class QPainter;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class WindowDialogs;

// "System curve": the main window's case over a range of flows, a pump curve against
// it and where the two meet. It follows the main window through setCase and keeps its
// own copy of the case; it never changes the main window's.
class SystemCurveWindow : public QWidget
{
    Q_OBJECT

public:
    // The lines of the duty point read-out, in their order on screen.
    enum class Readout {
        Flow,
        Head,
        PressureDrop,
        Velocity,
        Efficiency,
        ShaftPower,
        Npshr,
        FlowPerPump,
        HeadPerPump,
        Speed,
        SpecificEnergy,
        Npsha,
        NpshRatio,
        MaxFlowNpsh,
        Count
    };

    // Where the exported and printed plot's title block gets the project from.
    using ProjectSource = std::function<CurveTexts::ProjectLabel()>;

    explicit SystemCurveWindow(WindowDialogs &dialogs, QWidget *parent = nullptr);

    CurvePlot *plot() const { return m_plot; }
    QDoubleSpinBox *flowTo() const { return m_flowTo; }
    QSpinBox *pointCount() const { return m_pointCount; }
    QComboBox *flowUnit() const { return m_flowUnit; }
    QTableWidget *pumpTable() const { return m_pumpTable; }
    QLabel *readout(Readout line) const { return m_readout.at(size_t(line)); }
    QLabel *dutyNote() const { return m_dutyNote; }
    QLabel *pumpStatus() const { return m_pumpStatus; }
    QLabel *cursorLabel() const { return m_cursorLabel; }
    PumpSetPanel *pumpSet() const { return m_pumpSet; }
    NpshPanel *npshPanel() const { return m_npsh; }
    NpshPlot *npshPlot() const { return m_npshPlot; }
    QComboBox *extraLossChoice() const { return m_extraLoss; }
    QComboBox *fittingMethod() const { return m_fittingMethod; }
    QLabel *fittingNote() const { return m_fittingNote; }
    const SystemCurve::Duty &duty() const;
    // The points of the curve as exported: to/N up to `to`, without its start at no flow.
    const std::vector<SystemCurve::Point> &curve() const { return m_points; }
    void setProjectSource(ProjectSource source) { m_project = std::move(source); }
    // The lines above the exported and printed plot.
    QStringList titleBlock() const;

    // The commands of the window's buttons.
    void loadPump();
    void savePump();
    void loadSuction();
    void exportPng();
    void exportSvg();
    void exportPdf();
    void exportCsv();
    void print();
    // Rows from a spreadsheet on the clipboard, into the table from its current cell.
    void pasteRows();

public Q_SLOTS:
    // The main window's case after each of its calculations.
    // The case of the main window, and where given what the main window computed for
    // it, which the window then takes as the case's point instead of computing it again.
    void setCase(
        const CaseInput &c, const std::optional<CalcEngine::Outcome> &computed = std::nullopt);

private:
    void buildWindow();
    QWidget *buildPumpPanel();
    QWidget *buildButtons();
    QWidget *buildFittingChoice();
    // The chosen method into the case.
    void takeFittingMethod();
    // Where the method has no K for a counted fitting of either side, the note says so
    // and no curve is drawn; returns the note, empty where a curve is drawn.
    QString showFittingNote(const SystemCurve::System &line);
    void setupPumpTable();
    void recompute();
    // The line drawn: the main window's case, the suction line where one is loaded, the
    // extra loss as chosen.
    SystemCurve::System system() const;
    // The pumps as set: the table's curve at the speed, number and arrangement chosen.
    std::optional<PumpSet> pumps() const;
    void findSpeedForFlow(double flow);
    // The suction line's name, and a note where it holds another liquid than the case.
    void showSuction();
    // Both plots, the NPSH one under the head one where there is a suction line.
    void renderPlots(QPainter &painter, const QRectF &area) const;
    // The title block and the plots at the export size, scaled into the painter's page.
    void renderExport(QPainter &painter, bool fitToPage) const;
    void readPumpTable();
    void showPump(const PumpCurve &pump);
    void showDuty(const SystemCurve::Duty &duty, const QString &noCurve);
    void changeFlowUnit();
    CurveTexts::FlowUnit currentUnit() const;
    // The flow the curve goes up to: the field's, or 1.5 times the case's flow.
    double flowLimit() const;
    // The save dialog for one kind of file; the empty text when the user cancelled.
    QString chooseSaveFile(const QString &description, const QString &suffix);
    // Writes through QSaveFile; a failure is told in a message box naming the file.
    bool writeFile(const QString &path, const std::function<bool(QIODevice &)> &write);

    WindowDialogs &m_dialogs;
    CaseInput m_case;
    std::optional<CalcEngine::Outcome> m_computed;
    bool m_hasCase = false;
    std::vector<SystemCurve::Point> m_points; // the curve, the suction side's head included
    std::optional<PumpCurve> m_pump;
    QString m_pumpFault; // why the table gives no pump curve; empty for an empty table
    std::optional<QString> m_pumpFile; // the file the curve came from, while not edited
    CurveTexts::FlowUnit m_unit = CurveTexts::FlowUnit::LitresPerHour;
    ProjectSource m_project;
    std::optional<CaseInput> m_suction;
    QString m_suctionName;
    std::vector<SystemCurve::SystemPoint> m_systemPoints; // with a suction line
    bool m_fillingTable = false;

    CurvePlot *m_plot = nullptr;
    QDoubleSpinBox *m_flowTo = nullptr;
    QSpinBox *m_pointCount = nullptr;
    QComboBox *m_flowUnit = nullptr;
    QTableWidget *m_pumpTable = nullptr;
    QLabel *m_pumpStatus = nullptr;
    std::array<QLabel *, size_t(Readout::Count)> m_readout{};
    QLabel *m_dutyNote = nullptr;
    QLabel *m_cursorLabel = nullptr;
    PumpSetPanel *m_pumpSet = nullptr;
    NpshPanel *m_npsh = nullptr;
    NpshPlot *m_npshPlot = nullptr;
    QComboBox *m_extraLoss = nullptr;
    QComboBox *m_fittingMethod = nullptr;
    QLabel *m_fittingNote = nullptr;
};
