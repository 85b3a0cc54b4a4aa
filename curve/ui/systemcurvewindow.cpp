#include "curve/ui/systemcurvewindow.h"

#include "curve/curvetexts.h"
#include "curve/ui/curveplot.h"
#include "curve/ui/npshpanel.h"
#include "curve/ui/npshplot.h"
#include "curve/ui/pumpsetpanel.h"
#include "fittings/fittingtexts.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const QString Caption = QStringLiteral("System curve");
const QString AutoFlow = QStringLiteral("Auto (1.5 x case)");
const std::array<QString, 14> ReadoutNames = {QStringLiteral("Flow"), QStringLiteral("Head"),
    QStringLiteral("Pressure drop"), QStringLiteral("Velocity"), QStringLiteral("Efficiency"),
    QStringLiteral("Shaft power"), QStringLiteral("NPSHr"), QStringLiteral("Flow per pump"),
    QStringLiteral("Head per pump"), QStringLiteral("Speed"), QStringLiteral("Specific energy"),
    QStringLiteral("NPSHa"), QStringLiteral("NPSHa / NPSHr"), QStringLiteral("Margin kept up to")};

constexpr int DefaultPoints = 50;
constexpr int MaximumPoints = 2000;
// The curve goes beyond the case's flow, so that a pump's duty point further out shows.
constexpr double DefaultRangeFactor = 1.5;

QPushButton *button(const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    QString name = text;
    b->setAccessibleName(name.remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    return b;
}

// A line that shows a value or a message: a screen reader reads its text, told what
// it is by the description (a fixed name would hide the text).
QLabel *valueLine(const QString &description, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setAccessibleDescription(description);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

} // namespace

SystemCurveWindow::SystemCurveWindow(WindowDialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_dialogs(dialogs)
{
    setWindowTitle(Caption);
    setAccessibleName(Caption);
    buildWindow();
    recompute();
}

void SystemCurveWindow::buildWindow()
{
    m_plot = new CurvePlot(this);
    m_npshPlot = new NpshPlot(this);
    m_npshPlot->hide();
    m_cursorLabel = valueLine(QStringLiteral("Cursor"), this);
    connect(m_plot, &CurvePlot::cursorMoved, m_cursorLabel, &QLabel::setText);

    m_flowTo = new QDoubleSpinBox(this);
    m_flowTo->setRange(0, 1e9);
    m_flowTo->setDecimals(0);
    m_flowTo->setSingleStep(100);
    m_flowTo->setSpecialValueText(AutoFlow);
    m_flowTo->setSuffix(QStringLiteral(" l/h"));
    m_flowTo->setAccessibleName(QStringLiteral("Flow up to"));
    m_flowTo->setKeyboardTracking(false);
    m_pointCount = new QSpinBox(this);
    m_pointCount->setRange(2, MaximumPoints);
    m_pointCount->setValue(DefaultPoints);
    m_pointCount->setAccessibleName(QStringLiteral("Number of points"));
    m_pointCount->setKeyboardTracking(false);
    connect(m_flowTo, &QDoubleSpinBox::valueChanged, this, [this] { recompute(); });
    connect(m_pointCount, &QSpinBox::valueChanged, this, [this] { recompute(); });

    auto *range = new QHBoxLayout;
    auto *toLabel = new QLabel(QStringLiteral("Flow &up to:"), this);
    toLabel->setBuddy(m_flowTo);
    auto *pointsLabel = new QLabel(QStringLiteral("&Points:"), this);
    pointsLabel->setBuddy(m_pointCount);
    range->addWidget(toLabel);
    range->addWidget(m_flowTo);
    range->addSpacing(12);
    range->addWidget(pointsLabel);
    range->addWidget(m_pointCount);
    m_extraLoss = new QComboBox(this);
    m_extraLoss->addItems(
        {QStringLiteral("follows the flow (Q squared)"), QStringLiteral("fixed, at every flow")});
    m_extraLoss->setAccessibleName(QStringLiteral("Extra equipment loss on the curve"));
    m_extraLoss->setToolTip(QStringLiteral("The case's pressure loss extra equipment is a loss "
                                           "at its own flow; on the curve it grows with the "
                                           "square of the flow, or stays fixed."));
    connect(m_extraLoss, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
    auto *extraLabel = new QLabel(QStringLiteral("E&xtra loss:"), this);
    extraLabel->setBuddy(m_extraLoss);
    range->addSpacing(12);
    range->addWidget(extraLabel);
    range->addWidget(m_extraLoss);
    range->addStretch();

    auto *left = new QVBoxLayout;
    left->addWidget(m_plot, 3);
    left->addWidget(m_npshPlot, 1);
    left->addWidget(m_cursorLabel);
    left->addLayout(range);
    left->addWidget(buildFittingChoice());

    auto *top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(buildPumpPanel());

    auto *all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addWidget(buildButtons());
    setTabOrder(m_plot, m_flowTo);
    setTabOrder(m_flowTo, m_pointCount);
    setTabOrder(m_pointCount, m_flowUnit);
    setTabOrder(m_flowUnit, m_pumpTable);
}

// The method by which the curve reckons the fittings: the main window's l/d, or one of
// the published methods at each flow's own Reynolds number.
QWidget *SystemCurveWindow::buildFittingChoice()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_fittingMethod = new QComboBox(row);
    for (FittingMethod method : AllFittingMethods)
        m_fittingMethod->addItem(FittingTexts::methodTitle(method));
    auto *label = new QLabel(QStringLiteral("Fittings &by:"), row);
    label->setBuddy(m_fittingMethod);
    m_fittingNote = new QLabel(row);
    m_fittingNote->setWordWrap(true);
    layout->addWidget(label);
    layout->addWidget(m_fittingMethod);
    layout->addWidget(m_fittingNote, 1);
    connect(m_fittingMethod, &QComboBox::currentIndexChanged, this, [this] {
        takeFittingMethod();
        recompute();
    });
    takeFittingMethod();
    return row;
}

void SystemCurveWindow::takeFittingMethod()
{
    m_case.fittings = AllFittingMethods[size_t(m_fittingMethod->currentIndex())];
    m_fittingMethod->setAccessibleName(
        QStringLiteral("Fittings by ") + m_fittingMethod->currentText());
}

QString SystemCurveWindow::showFittingNote(const SystemCurve::System &line)
{
    QString note = FittingTexts::curveNote(line.discharge);
    if (note.isEmpty() && line.suction)
        note = FittingTexts::curveNote(*line.suction);
    m_fittingNote->setText(note);
    m_fittingNote->setAccessibleName(note);
    return note;
}

QWidget *SystemCurveWindow::buildPumpPanel()
{
    auto *panel = new QWidget(this);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *pumpBox = new QGroupBox(QStringLiteral("Pump curve"), panel);
    auto *pumpLayout = new QVBoxLayout(pumpBox);
    m_flowUnit = new QComboBox(pumpBox);
    m_flowUnit->addItem(QStringLiteral("l/h"), int(CurveTexts::FlowUnit::LitresPerHour));
    m_flowUnit->addItem(QStringLiteral("m3/h"), int(CurveTexts::FlowUnit::CubicMetresPerHour));
    m_flowUnit->setAccessibleName(QStringLiteral("Flow unit of the pump table"));
    auto *unitLabel = new QLabel(QStringLiteral("&Flow in:"), pumpBox);
    unitLabel->setBuddy(m_flowUnit);
    auto *unitRow = new QHBoxLayout;
    unitRow->addWidget(unitLabel);
    unitRow->addWidget(m_flowUnit);
    unitRow->addStretch();
    connect(m_flowUnit, &QComboBox::currentIndexChanged, this, [this] { changeFlowUnit(); });

    m_pumpTable = new QTableWidget(0, int(std::tuple_size_v<CurveTexts::PumpRowTexts>), pumpBox);
    m_pumpStatus = valueLine(QStringLiteral("Pump table"), pumpBox);
    m_pumpStatus->setWordWrap(true);

    auto *rows = new QHBoxLayout;
    QPushButton *add = button(QStringLiteral("&Add row"), pumpBox);
    QPushButton *remove = button(QStringLiteral("&Remove row"), pumpBox);
    QPushButton *load = button(QStringLiteral("&Load..."), pumpBox);
    QPushButton *save = button(QStringLiteral("&Save..."), pumpBox);
    load->setAccessibleName(QStringLiteral("Load pump curve"));
    save->setAccessibleName(QStringLiteral("Save pump curve"));
    connect(add, &QPushButton::clicked, this,
        [this] { m_pumpTable->insertRow(m_pumpTable->rowCount()); });
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = m_pumpTable->currentRow();
        if (row >= 0) {
            m_pumpTable->removeRow(row);
            readPumpTable();
        }
    });
    connect(load, &QPushButton::clicked, this, &SystemCurveWindow::loadPump);
    connect(save, &QPushButton::clicked, this, &SystemCurveWindow::savePump);
    for (QPushButton *b : {add, remove, load, save})
        rows->addWidget(b);
    pumpLayout->addLayout(unitRow);
    pumpLayout->addWidget(m_pumpTable, 1);
    pumpLayout->addLayout(rows);
    pumpLayout->addWidget(m_pumpStatus);
    setupPumpTable();

    auto *dutyBox = new QGroupBox(QStringLiteral("Duty point"), panel);
    auto *form = new QFormLayout(dutyBox);
    for (size_t i = 0; i < m_readout.size(); ++i) {
        // The form makes the caption the line's buddy, its label for a screen reader.
        m_readout[i] = valueLine(QStringLiteral("Duty point ") + ReadoutNames[i], dutyBox);
        form->addRow(ReadoutNames[i] + QLatin1Char(':'), m_readout[i]);
    }
    m_dutyNote = valueLine(QStringLiteral("Duty point note"), dutyBox);
    m_dutyNote->setWordWrap(true);
    form->addRow(m_dutyNote);

    m_pumpSet = new PumpSetPanel(panel);
    connect(m_pumpSet, &PumpSetPanel::changed, this, [this] { recompute(); });
    connect(
        m_pumpSet, &PumpSetPanel::speedForFlowAsked, this, &SystemCurveWindow::findSpeedForFlow);
    m_npsh = new NpshPanel(panel);
    connect(m_npsh, &NpshPanel::changed, this, [this] { recompute(); });
    connect(m_npsh, &NpshPanel::loadAsked, this, &SystemCurveWindow::loadSuction);
    connect(m_npsh, &NpshPanel::noneAsked, this, [this] {
        m_suction.reset();
        m_suctionName.clear();
        recompute();
    });

    layout->addWidget(pumpBox, 1);
    layout->addWidget(m_pumpSet);
    layout->addWidget(m_npsh);
    layout->addWidget(dutyBox);
    return panel;
}

QWidget *SystemCurveWindow::buildButtons()
{
    auto *bar = new QWidget(this);
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::pair<QString, void (SystemCurveWindow::*)()> commands[] = {
        {QStringLiteral("Export P&NG..."), &SystemCurveWindow::exportPng},
        {QStringLiteral("Export S&VG..."), &SystemCurveWindow::exportSvg},
        {QStringLiteral("Export P&DF..."), &SystemCurveWindow::exportPdf},
        {QStringLiteral("Export &CSV..."), &SystemCurveWindow::exportCsv},
        {QStringLiteral("Pr&int..."), &SystemCurveWindow::print},
    };
    for (const auto &[text, command] : commands) {
        QPushButton *b = button(text, bar);
        connect(b, &QPushButton::clicked, this, command);
        layout->addWidget(b);
    }
    layout->addStretch();
    QPushButton *close = button(QStringLiteral("Cl&ose"), bar);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(close);
    return bar;
}

void SystemCurveWindow::setCase(
    const CaseInput &c, const std::optional<CalcEngine::Outcome> &computed)
{
    m_case = c;
    m_computed = computed;
    m_hasCase = true;
    takeFittingMethod();
    recompute();
}

double SystemCurveWindow::flowLimit() const
{
    if (m_flowTo->value() > 0)
        return m_flowTo->value();
    return DefaultRangeFactor * m_case.inputs.FlowRate;
}

SystemCurve::System SystemCurveWindow::system() const
{
    const auto extraLoss = m_extraLoss->currentIndex() == 1 ? SystemCurve::ExtraLoss::Fixed
                                                            : SystemCurve::ExtraLoss::FollowsFlow;
    std::optional<CaseInput> suction = m_suction;
    if (suction)
        suction->fittings = m_case.fittings; // both sides by the chosen method
    return {m_case, suction, extraLoss};
}

std::optional<PumpSet> SystemCurveWindow::pumps() const
{
    if (!m_pump)
        return std::nullopt;
    return PumpSet(*m_pump, m_pumpSet->speed(), m_pumpSet->count(), m_pumpSet->arrangement());
}

const SystemCurve::Duty &SystemCurveWindow::duty() const
{
    return m_plot->data().duty;
}

void SystemCurveWindow::recompute()
{
    CurvePlotData data;
    const Inputs &in = m_case.inputs;
    data.density = in.Density > 0 ? in.Density : 1000;
    const SystemCurve::System line = system();
    const SystemCurve::NpshSettings npsh = m_npsh->settings();
    const std::optional<PumpSet> pumps = this->pumps();
    const double to = flowLimit();
    m_systemPoints.clear();
    m_points.clear();
    NpshPlotData npshData;
    npshData.margin = npsh.margin;
    const QString fittingNote = m_hasCase ? showFittingNote(line) : QString();
    const bool drawn = m_hasCase && fittingNote.isEmpty();
    if (drawn && to > 0) {
        for (double flow : SystemCurve::flows(to, m_pointCount->value())) {
            const SystemCurve::SystemPoint at = SystemCurve::systemAt(line, flow);
            SystemCurve::Point whole = at.discharge;
            whole.head = at.head();
            m_points.push_back(whole);
            if (m_suction) {
                m_systemPoints.push_back(at);
                npshData.flows.push_back(flow);
                npshData.available.push_back(SystemCurve::npshAvailable(line, npsh, at));
                npshData.required.push_back(
                    pumps ? pumps->pump().npshr(pumps->pumpFlow(flow)) : std::nan(""));
            }
        }
        // The main window's own result for the case, where it gave one (by l/d).
        SystemCurve::Point own = m_computed && m_case.fittings == FittingMethod::Ld
            ? SystemCurve::pointOf(in.FlowRate, *m_computed, in.Density)
            : SystemCurve::pointAt(m_case, in.FlowRate);
        if (line.suction)
            own.head += SystemCurve::pointAt(*line.suction, in.FlowRate, line.extraLoss).head;
        data.casePoint = own;
        // Drawn from no flow on.
        data.curve = SystemCurve::lead(line, m_points.front());
        data.curve.insert(data.curve.end(), m_points.begin(), m_points.end());
    }
    if (pumps) {
        data.pump = pumps->pump();
        data.pumps = pumps;
    }
    // Without a system curve there is no duty point either: the plot, the read-outs and
    // the note all say why, and what to do.
    const bool anyResult = std::any_of(m_points.begin(), m_points.end(),
        [](const SystemCurve::Point &p) { return p.hasResult(); });
    if (!anyResult) {
        data.noCurve
            = fittingNote.isEmpty() ? CurveTexts::noCurve(in, m_flowTo->value() == 0) : fittingNote;
        data.duty.reason = CurveTexts::NoSystemCurve;
    } else if (pumps) {
        data.duty = SystemCurve::dutyPoint(line, *pumps, m_suction ? &npsh : nullptr);
    }
    showSuction();
    showDuty(data.duty, data.noCurve);
    m_plot->setData(std::move(data));
    const AxisTicks flowAxis = m_plot->flowTicks();
    npshData.flowLow = flowAxis.low;
    npshData.flowHigh = flowAxis.high;
    m_npshPlot->setVisible(m_suction.has_value());
    m_npshPlot->setData(std::move(npshData));
}

void SystemCurveWindow::findSpeedForFlow(double flow)
{
    if (!m_pump || !m_hasCase) {
        m_pumpSet->setSpeedNote(QStringLiteral("Enter or load a pump curve first."));
        return;
    }
    const SystemCurve::SpeedForFlow found = SystemCurve::speedForFlow(
        system(), *m_pump, m_pumpSet->count(), m_pumpSet->arrangement(), flow);
    if (found.speed)
        m_pumpSet->setSpeed(*found.speed);
    else
        m_pumpSet->setSpeedNote(QStringLiteral("No speed: ") + found.reason + QLatin1Char('.'));
}

void SystemCurveWindow::showSuction()
{
    QString shown = m_suctionName;
    if (m_suction) {
        const Inputs &s = m_suction->inputs;
        const Inputs &in = m_case.inputs;
        if (s.Density != in.Density || s.Viscosity != in.Viscosity)
            shown += QStringLiteral(" (another liquid than the case: each side is calculated "
                                    "with its own density and viscosity)");
    }
    m_npsh->setSuctionName(shown);
}

void SystemCurveWindow::showDuty(const SystemCurve::Duty &duty, const QString &noCurve)
{
    const CurveTexts::DutyReadout r = CurveTexts::dutyReadout(duty);
    const QString texts[] = {r.flow, r.head, r.pressureDrop, r.velocity, r.efficiency, r.shaftPower,
        r.npshr, r.flowPerPump, r.headPerPump, r.speed, r.specificEnergy, r.npsha, r.npshRatio,
        r.maxFlowNpsh};
    for (size_t i = 0; i < m_readout.size(); ++i)
        m_readout[i]->setText(texts[i]);
    if (!m_pump)
        m_dutyNote->setText(
            m_pumpFault.isEmpty() ? CurveTexts::NoPump : CurveTexts::pumpTableFault(m_pumpFault));
    else if (!noCurve.isEmpty())
        m_dutyNote->setText(noCurve);
    else
        m_dutyNote->setText(r.note);
}

QStringList SystemCurveWindow::titleBlock() const
{
    const CurveTexts::ProjectLabel project = m_project ? m_project() : CurveTexts::ProjectLabel{};
    QStringList lines
        = CurveTexts::titleBlock(project, m_case.inputs, m_pumpFile, duty(), m_pump.has_value());
    // What else shapes the curves: the method for the fittings, the suction side, the pumps.
    QStringList setting;
    if (m_case.fittings != FittingMethod::Ld)
        setting << QStringLiteral("Fittings by: ") + FittingTexts::methodTitle(m_case.fittings);
    if (m_suction)
        setting << QStringLiteral("Suction line: ") + m_suctionName;
    if (const std::optional<PumpSet> set = pumps())
        setting << CurveTexts::pumpSetText(*set);
    setting.removeAll(QString());
    if (!setting.isEmpty())
        lines.insert(2, setting.join(QStringLiteral("    ")));
    return lines;
}
