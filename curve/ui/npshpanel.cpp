#include "curve/ui/npshpanel.h"

#include "calc/physics.h"
#include "numerics/water.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString NoSuction = QStringLiteral("none: no NPSH available");

QDoubleSpinBox *field(QWidget *parent, double low, double high, double value, int decimals,
    const QString &suffix, const QString &name)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setRange(low, high);
    box->setDecimals(decimals);
    box->setValue(value);
    box->setSuffix(suffix);
    box->setKeyboardTracking(false);
    box->setAccessibleName(name);
    return box;
}

} // namespace

NpshPanel::NpshPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Suction and NPSH"), parent)
{
    m_suction = new QLabel(NoSuction, this);
    m_suction->setWordWrap(true);
    m_suction->setAccessibleName(QStringLiteral("Suction line: ") + NoSuction);
    m_load = new QPushButton(QStringLiteral("Load &suction line..."), this);
    m_load->setAccessibleName(QStringLiteral("Load suction line"));
    m_none = new QPushButton(QStringLiteral("N&o suction line"), this);
    m_none->setAccessibleName(QStringLiteral("No suction line"));
    m_none->setEnabled(false);
    m_surface = field(this, 0.001, 1000, Physics::StandardAtmosphere, 5, QStringLiteral(" bar"),
        QStringLiteral("Pressure on the liquid surface, bar absolute"));
    m_typed = new QRadioButton(QStringLiteral("&Vapour pressure:"), this);
    m_vapour = field(this, 0, 1000, 0.02339, 5, QStringLiteral(" bar"),
        QStringLiteral("Vapour pressure, bar absolute"));
    m_water = new QRadioButton(QStringLiteral("&Water at:"), this);
    m_water->setChecked(true);
    m_typed->setAccessibleName(QStringLiteral("Vapour pressure typed"));
    m_water->setAccessibleName(QStringLiteral("Vapour pressure of water at a temperature"));
    m_temperature = field(this, 0.01, 373.946, 20, 2, QStringLiteral(" °C"),
        QStringLiteral("Water temperature for the vapour pressure"));
    m_margin = field(
        this, 0.1, 10, 1, 2, QString(), QStringLiteral("NPSH margin ratio, NPSHa over NPSHr"));
    m_margin->setToolTip(QStringLiteral("ANSI/HI 9.6.1 recommends about 1.1 to 2.5 by "
                                        "application."));

    auto *form = new QFormLayout(this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_load);
    buttons->addWidget(m_none);
    form->addRow(QStringLiteral("Suction line:"), m_suction);
    form->addRow(buttons);
    auto *surfaceLabel = new QLabel(QStringLiteral("Su&rface pressure:"), this);
    surfaceLabel->setBuddy(m_surface);
    form->addRow(surfaceLabel, m_surface);
    form->addRow(m_typed, m_vapour);
    form->addRow(m_water, m_temperature);
    auto *marginLabel = new QLabel(QStringLiteral("Mar&gin ratio:"), this);
    marginLabel->setBuddy(m_margin);
    form->addRow(marginLabel, m_margin);

    const auto update = [this] {
        m_vapour->setEnabled(m_typed->isChecked());
        m_temperature->setEnabled(m_water->isChecked());
        Q_EMIT changed();
    };
    for (QDoubleSpinBox *box : {m_surface, m_vapour, m_temperature, m_margin})
        connect(box, &QDoubleSpinBox::valueChanged, this, update);
    connect(m_water, &QRadioButton::toggled, this, update);
    connect(m_load, &QPushButton::clicked, this, &NpshPanel::loadAsked);
    connect(m_none, &QPushButton::clicked, this, &NpshPanel::noneAsked);
    m_vapour->setEnabled(false);
}

SystemCurve::NpshSettings NpshPanel::settings() const
{
    SystemCurve::NpshSettings npsh;
    npsh.surfacePressure = m_surface->value();
    npsh.margin = m_margin->value();
    npsh.vapourPressure = m_typed->isChecked()
        ? m_vapour->value()
        : Water::saturationPressure(m_temperature->value() + Physics::ZeroCelsius)
            * Physics::BarPerMegapascal;
    return npsh;
}

void NpshPanel::setSuctionName(const QString &name)
{
    const QString shown = name.isEmpty() ? NoSuction : name;
    m_suction->setText(shown);
    m_suction->setAccessibleName(QStringLiteral("Suction line: ") + shown);
    m_none->setEnabled(!name.isEmpty());
}
