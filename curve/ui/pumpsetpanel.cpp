#include "curve/ui/pumpsetpanel.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace {

constexpr double LowestSpeed = 10; // %, as the speed for a flow is searched
constexpr double HighestSpeed = 200;
constexpr int MostPumps = 10;

} // namespace

PumpSetPanel::PumpSetPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Pumps"), parent)
{
    m_speed = new QDoubleSpinBox(this);
    m_speed->setRange(LowestSpeed, HighestSpeed);
    m_speed->setDecimals(1);
    m_speed->setValue(100);
    m_speed->setSuffix(QStringLiteral(" %"));
    m_speed->setKeyboardTracking(false);
    m_speed->setAccessibleName(QStringLiteral("Speed in percent of the curve's speed"));

    m_flow = new QDoubleSpinBox(this);
    m_flow->setRange(0, 1e9);
    m_flow->setDecimals(0);
    m_flow->setSingleStep(100);
    m_flow->setSuffix(QStringLiteral(" l/h"));
    m_flow->setAccessibleName(QStringLiteral("Flow to find the speed for"));
    m_find = new QPushButton(QStringLiteral("Speed for &flow"), this);
    m_find->setAccessibleName(QStringLiteral("Set the speed for this flow"));
    m_note = new QLabel(this);
    m_note->setWordWrap(true);

    m_count = new QSpinBox(this);
    m_count->setRange(1, MostPumps);
    m_count->setAccessibleName(QStringLiteral("Number of pumps"));
    m_count->setKeyboardTracking(false);
    m_arrangement = new QComboBox(this);
    m_arrangement->addItems({QStringLiteral("in parallel"), QStringLiteral("in series")});
    m_arrangement->setAccessibleName(QStringLiteral("Arrangement"));
    m_arrangement->setEnabled(false);

    auto *form = new QFormLayout(this);
    auto *speedLabel = new QLabel(QStringLiteral("Spee&d:"), this);
    speedLabel->setBuddy(m_speed);
    form->addRow(speedLabel, m_speed);
    auto *findRow = new QHBoxLayout;
    findRow->addWidget(m_flow, 1);
    findRow->addWidget(m_find);
    auto *flowLabel = new QLabel(QStringLiteral("For a f&low:"), this);
    flowLabel->setBuddy(m_flow);
    form->addRow(flowLabel, findRow);
    form->addRow(m_note);
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(m_count);
    countRow->addWidget(m_arrangement, 1);
    auto *countLabel = new QLabel(QStringLiteral("N&umber:"), this);
    countLabel->setBuddy(m_count);
    form->addRow(countLabel, countRow);

    connect(m_speed, &QDoubleSpinBox::valueChanged, this, [this] {
        m_exactSpeed.reset();
        m_note->clear();
        Q_EMIT changed();
    });
    connect(m_count, &QSpinBox::valueChanged, this, [this](int n) {
        m_arrangement->setEnabled(n > 1);
        Q_EMIT changed();
    });
    connect(m_arrangement, &QComboBox::currentIndexChanged, this, &PumpSetPanel::changed);
    connect(m_find, &QPushButton::clicked, this, [this] {
        if (m_flow->value() > 0)
            Q_EMIT speedForFlowAsked(m_flow->value());
        else
            setSpeedNote(QStringLiteral("Enter the flow the pumps should deliver."));
    });
}

double PumpSetPanel::speed() const
{
    return m_exactSpeed.value_or(m_speed->value());
}

int PumpSetPanel::count() const
{
    return m_count->value();
}

Arrangement PumpSetPanel::arrangement() const
{
    if (m_count->value() < 2)
        return Arrangement::Single;
    return m_arrangement->currentIndex() == 1 ? Arrangement::Series : Arrangement::Parallel;
}

void PumpSetPanel::setSpeed(double speed)
{
    const QSignalBlocker block(m_speed);
    m_speed->setValue(speed);
    m_note->clear();
    m_exactSpeed = speed;
    Q_EMIT changed();
}

void PumpSetPanel::setSpeedNote(const QString &note)
{
    m_note->setText(note);
    m_note->setAccessibleName(note);
}
