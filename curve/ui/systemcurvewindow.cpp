#include "curve/ui/systemcurvewindow.h"

#include "curve/ui/curveplot.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString Caption = QStringLiteral("System curve");
const QString AutoFlow = QStringLiteral("Auto (1.5 x case)");
const std::array<QString, 7> ReadoutNames = {QStringLiteral("Flow"), QStringLiteral("Head"),
    QStringLiteral("Pressure drop"), QStringLiteral("Velocity"), QStringLiteral("Efficiency"),
    QStringLiteral("Shaft power"), QStringLiteral("NPSHr")};

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
    range->addStretch();

    auto *left = new QVBoxLayout;
    left->addWidget(m_plot, 1);
    left->addWidget(m_cursorLabel);
    left->addLayout(range);

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

    layout->addWidget(pumpBox, 1);
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
    recompute();
}

double SystemCurveWindow::flowLimit() const
{
    if (m_flowTo->value() > 0)
        return m_flowTo->value();
    return DefaultRangeFactor * m_case.inputs.FlowRate;
}

void SystemCurveWindow::recompute()
{
    CurvePlotData data;
    const Inputs &in = m_case.inputs;
    data.density = in.Density > 0 ? in.Density : 1000;
    data.pump = m_pump;
    const double to = flowLimit();
    m_points.clear();
    if (m_hasCase && to > 0) {
        m_points = SystemCurve::points(m_case, to, m_pointCount->value());
        data.curve = SystemCurve::lead(m_case, m_points.front());
        data.curve.insert(data.curve.end(), m_points.begin(), m_points.end());
        data.casePoint = m_computed ? SystemCurve::pointOf(in.FlowRate, *m_computed, in.Density)
                                    : SystemCurve::pointAt(m_case, in.FlowRate);
    }
    // Without a system curve there is no duty point either: the plot, the read-outs and
    // the note all say why, and what to do.
    const bool anyResult = std::any_of(m_points.begin(), m_points.end(),
        [](const SystemCurve::Point &p) { return p.hasResult(); });
    if (!anyResult) {
        data.noCurve = CurveTexts::noCurve(in, m_flowTo->value() == 0);
        data.duty.reason = CurveTexts::NoSystemCurve;
    } else if (m_pump) {
        data.duty = SystemCurve::dutyPoint(m_case, *m_pump);
    }
    showDuty(data.duty, data.noCurve);
    m_plot->setData(std::move(data));
}

void SystemCurveWindow::showDuty(const SystemCurve::Duty &duty, const QString &noCurve)
{
    const CurveTexts::DutyReadout r = CurveTexts::dutyReadout(duty);
    const QString texts[]
        = {r.flow, r.head, r.pressureDrop, r.velocity, r.efficiency, r.shaftPower, r.npshr};
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
    return CurveTexts::titleBlock(
        project, m_case.inputs, m_pumpFile, m_plot->data().duty, m_pump.has_value());
}
