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
class QComboBox;
class QDoubleSpinBox;
class QIODevice;
class QLabel;
class QPainter;
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
    enum class Readout { Flow, Head, PressureDrop, Velocity, Efficiency, ShaftPower, Npshr, Count };
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
    // The points of the curve as exported: to/N up to `to`, without the start at no flow.
    const std::vector<SystemCurve::Point> &curve() const { return m_points; }
    void setProjectSource(ProjectSource source) { m_project = std::move(source); }
    // The lines above the exported and printed plot.
    QStringList titleBlock() const;

    // The commands of the window's buttons.
    void loadPump();
    void savePump();
    void exportPng();
    void exportSvg();
    void exportPdf();
    void exportCsv();
    void print();
    // Rows from a spreadsheet on the clipboard, into the table from its current cell.
    void pasteRows();

public Q_SLOTS:
    // The case of the main window after each of its calculations, and where given what
    // the main window computed for it, which the window then takes as the case's point
    // instead of computing it again.
    void setCase(
        const CaseInput &c, const std::optional<CalcEngine::Outcome> &computed = std::nullopt);

private:
    void buildWindow();
    QWidget *buildPumpPanel();
    QWidget *buildButtons();
    void setupPumpTable();
    void recompute();
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
    // The title block and the plot at the export size, scaled into the painter's page.
    void renderExport(QPainter &painter, bool fitToPage) const;

    WindowDialogs &m_dialogs;
    CaseInput m_case;
    std::optional<CalcEngine::Outcome> m_computed;
    bool m_hasCase = false;
    std::vector<SystemCurve::Point> m_points;
    std::optional<PumpCurve> m_pump;
    QString m_pumpFault; // why the table gives no pump curve; empty for an empty table
    std::optional<QString> m_pumpFile; // the file the curve came from, while not edited
    CurveTexts::FlowUnit m_unit = CurveTexts::FlowUnit::LitresPerHour;
    bool m_fillingTable = false;
    ProjectSource m_project;

    CurvePlot *m_plot = nullptr;
    QDoubleSpinBox *m_flowTo = nullptr;
    QSpinBox *m_pointCount = nullptr;
    QComboBox *m_flowUnit = nullptr;
    QTableWidget *m_pumpTable = nullptr;
    QLabel *m_pumpStatus = nullptr;
    std::array<QLabel *, size_t(Readout::Count)> m_readout{};
    QLabel *m_dutyNote = nullptr;
    QLabel *m_cursorLabel = nullptr;
};
