#include "curve/ui/systemcurvewindow.h"

#include "calc/fittingresistance.h"
#include "curve/curvetexts.h"
#include "curve/ui/curveplot.h"
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

namespace {

const QString Caption = QStringLiteral("System curve");
const QString AutoFlow = QStringLiteral("Auto (1.5 x case)");
const std::array<QString, 4> PumpColumns = {QStringLiteral("Flow [l/h]"),
    QStringLiteral("Head [m]"), QStringLiteral("Efficiency [%]"), QStringLiteral("NPSHr [m]")};
const std::array<QString, 7> ReadoutNames = {QStringLiteral("Flow"), QStringLiteral("Head"),
    QStringLiteral("Pressure drop"), QStringLiteral("Velocity"), QStringLiteral("Efficiency"),
    QStringLiteral("Shaft power"), QStringLiteral("NPSHr")};

constexpr int DefaultPoints = 50;
constexpr int MaximumPoints = 2000;
constexpr int BlankPumpRows = 8;
// The curve goes beyond the case's flow, so that a pump's duty point further out shows.
constexpr double DefaultRangeFactor = 1.5;

QPushButton *button(const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    QString name = text;
    b->setAccessibleName(name.remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    return b;
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
    m_cursorLabel = new QLabel(this);
    m_cursorLabel->setAccessibleName(QStringLiteral("Cursor"));
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
    left->addWidget(buildFittingChoice());

    auto *top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(buildPumpPanel());

    auto *all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addWidget(buildButtons());
    setTabOrder(m_plot, m_flowTo);
    setTabOrder(m_flowTo, m_pointCount);
    setTabOrder(m_pointCount, m_fittingMethod);
    setTabOrder(m_fittingMethod, m_pumpTable);
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
    auto *label = new QLabel(QStringLiteral("&Fittings by:"), row);
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
    const QString note = m_hasCase ? FittingTexts::curveNote(m_case) : QString();
    m_fittingNote->setText(note);
    m_fittingNote->setAccessibleName(note);
}

QWidget *SystemCurveWindow::buildPumpPanel()
{
    auto *panel = new QWidget(this);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *pumpBox = new QGroupBox(QStringLiteral("Pump curve"), panel);
    auto *pumpLayout = new QVBoxLayout(pumpBox);
    m_pumpTable = new QTableWidget(BlankPumpRows, int(PumpColumns.size()), pumpBox);
    m_pumpTable->setAccessibleName(QStringLiteral("Pump points"));
    m_pumpTable->setAccessibleDescription(
        QStringLiteral("Flow, head, efficiency and NPSHr per point; F2 edits a cell."));
    for (int c = 0; c < int(PumpColumns.size()); ++c)
        m_pumpTable->setHorizontalHeaderItem(c, new QTableWidgetItem(PumpColumns[size_t(c)]));
    m_pumpTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Tab leaves the table, so that the window can be gone through with the keyboard.
    m_pumpTable->setTabKeyNavigation(false);
    connect(m_pumpTable, &QTableWidget::itemChanged, this, [this] {
        if (!m_fillingTable)
            readPumpTable();
    });
    m_pumpStatus = new QLabel(pumpBox);
    m_pumpStatus->setWordWrap(true);
    m_pumpStatus->setAccessibleName(QStringLiteral("Pump curve status"));

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
    pumpLayout->addWidget(m_pumpTable, 1);
    pumpLayout->addLayout(rows);
    pumpLayout->addWidget(m_pumpStatus);

    auto *dutyBox = new QGroupBox(QStringLiteral("Duty point"), panel);
    auto *form = new QFormLayout(dutyBox);
    for (size_t i = 0; i < m_readout.size(); ++i) {
        m_readout[i] = new QLabel(dutyBox);
        m_readout[i]->setAccessibleName(QStringLiteral("Duty point ") + ReadoutNames[i]);
        m_readout[i]->setTextInteractionFlags(
            Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        form->addRow(ReadoutNames[i] + QLatin1Char(':'), m_readout[i]);
    }
    m_dutyNote = new QLabel(dutyBox);
    m_dutyNote->setWordWrap(true);
    m_dutyNote->setAccessibleName(QStringLiteral("Duty point note"));
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
    takeFittingMethod();
    recompute();
}

const std::vector<SystemCurve::Point> &SystemCurveWindow::curve() const
{
    return m_plot->data().curve;
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
    // A method that leaves a counted fitting out draws no curve (the note says why); the
    // main window's own point stands for the case by l/d only.
    const bool drawn = m_hasCase && FittingResistance::uncovered(m_case).empty();
    if (drawn && to > 0) {
        data.curve = SystemCurve::points(m_case, to, m_pointCount->value());
        data.casePoint = m_computed && m_case.fittings == FittingMethod::Ld
            ? SystemCurve::pointOf(in.FlowRate, *m_computed, in.Density)
            : SystemCurve::pointAt(m_case, in.FlowRate);
    }
    if (drawn && m_pump)
        data.duty = SystemCurve::dutyPoint(m_case, *m_pump);
    showDuty(data.duty);
    m_plot->setData(std::move(data));
}

void SystemCurveWindow::showDuty(const SystemCurve::Duty &duty)
{
    const CurveTexts::DutyReadout r = CurveTexts::dutyReadout(duty);
    const QString texts[]
        = {r.flow, r.head, r.pressureDrop, r.velocity, r.efficiency, r.shaftPower, r.npshr};
    for (size_t i = 0; i < m_readout.size(); ++i)
        m_readout[i]->setText(texts[i]);
    m_dutyNote->setText(m_pump ? r.note : QStringLiteral("Enter or load a pump curve."));
}

void SystemCurveWindow::readPumpTable()
{
    std::vector<CurveTexts::PumpRowTexts> rows;
    for (int r = 0; r < m_pumpTable->rowCount(); ++r) {
        CurveTexts::PumpRowTexts texts;
        for (int c = 0; c < int(texts.size()); ++c) {
            const QTableWidgetItem *item = m_pumpTable->item(r, c);
            texts[size_t(c)] = item ? item->text() : QString();
        }
        rows.push_back(texts);
    }
    CurveTexts::TableRead read = CurveTexts::pumpFromTable(rows);
    m_pump = std::move(read.curve);
    m_pumpStatus->setText(read.error);
    recompute();
}

void SystemCurveWindow::showPump(const PumpCurve &pump)
{
    const std::vector<CurveTexts::PumpRowTexts> rows = CurveTexts::tableTexts(pump);
    m_fillingTable = true;
    m_pumpTable->clearContents();
    m_pumpTable->setRowCount(std::max(int(rows.size()) + 2, BlankPumpRows));
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < int(rows[size_t(r)].size()); ++c)
            m_pumpTable->setItem(r, c, new QTableWidgetItem(rows[size_t(r)][size_t(c)]));
    }
    m_fillingTable = false;
    m_pump = pump;
    m_pumpStatus->clear();
    recompute();
}
