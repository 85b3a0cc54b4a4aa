#include "fluid/ui/fluidpropertieswindow.h"

#include "calc/fieldtable.h"
#include "calc/numbertext.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace {
const QString WindowCaption = QStringLiteral("Fluid properties");
const QString FluidCaption = QStringLiteral("&Fluid:");
const QString TemperatureCaption = QStringLiteral("&Temperature [°C]:");
const QString PressureCaption = QStringLiteral("&Pressure [bar abs]:");
const QString ConcentrationCaption = QStringLiteral("&Concentration [% by mass]:");
const QString ResultsCaption = QStringLiteral("Properties");
const QString DensityCaption = QStringLiteral("Density [kg/m3]:");
const QString ViscosityCaption = QStringLiteral("Dynamic viscosity [cP]:");
const QString FreezingPointCaption = QStringLiteral("Freezing point [°C]:");
const QString SourceCaption = QStringLiteral("Source:");
const QString ValidRangeCaption = QStringLiteral("Valid range:");
const QString ApplyCaption = QStringLiteral("&Apply");
const QString CloseCaption = QStringLiteral("Close");
const QString NotANumber = QStringLiteral("Type the %1 as a number.");
const QString OutOfRange = QStringLiteral("Out of range: %1");

// The same text without its mnemonic and colon, for screen readers.
QString accessible(const QString &caption)
{
    QString text = caption;
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

// A value is read by its text, with the caption beside it as its label (the form
// makes the caption its buddy) and as its description: a fixed name would hide it.
QLabel *valueLabel(const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setAccessibleDescription(accessible(caption));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}
} // namespace

FluidPropertiesWindow::FluidPropertiesWindow(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(WindowCaption);
    setModal(false);
    buildWindow();
    recompute();
}

void FluidPropertiesWindow::buildWindow()
{
    m_fluid = new QComboBox(this);
    for (Fluid fluid : {Fluid::Water, Fluid::EthyleneGlycol, Fluid::PropyleneGlycol})
        m_fluid->addItem(fluidCaption(fluid), int(fluid));
    const FluidRequest start;
    m_temperature = new QLineEdit(NumberText::plain(start.temperature), this);
    m_pressure = new QLineEdit(NumberText::plain(start.pressure), this);
    m_concentration = new QLineEdit(NumberText::plain(start.concentration), this);

    m_inputs = new QFormLayout;
    const auto addInput = [this](const QString &caption, QWidget *field) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        field->setAccessibleName(accessible(caption));
        m_inputs->addRow(label, field);
    };
    addInput(FluidCaption, m_fluid);
    addInput(TemperatureCaption, m_temperature);
    addInput(PressureCaption, m_pressure);
    addInput(ConcentrationCaption, m_concentration);

    auto *results = new QGroupBox(ResultsCaption, this);
    m_results = new QFormLayout(results);
    m_density = valueLabel(DensityCaption, results);
    m_viscosity = valueLabel(ViscosityCaption, results);
    m_freezingPoint = valueLabel(FreezingPointCaption, results);
    m_source = valueLabel(SourceCaption, results);
    m_validRange = valueLabel(ValidRangeCaption, results);
    // Source and range are sentences: wrapped at about 50 characters.
    const int textWidth = fontMetrics().averageCharWidth() * 50;
    for (QLabel *label : {m_source, m_validRange}) {
        label->setWordWrap(true);
        label->setMinimumWidth(textWidth);
    }
    m_results->addRow(DensityCaption, m_density);
    m_results->addRow(ViscosityCaption, m_viscosity);
    m_results->addRow(FreezingPointCaption, m_freezingPoint);
    m_results->addRow(SourceCaption, m_source);
    m_results->addRow(ValidRangeCaption, m_validRange);

    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    m_note->setAccessibleDescription(QStringLiteral("Note"));
    QPalette notePalette = m_note->palette();
    notePalette.setColor(QPalette::WindowText, Qt::darkRed);
    m_note->setPalette(notePalette);
    m_applied = new QLabel(this);
    m_applied->setWordWrap(true);
    m_applied->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_applied->setAccessibleDescription(QStringLiteral("Last applied"));
    m_applied->hide();

    auto *buttons = new QDialogButtonBox(this);
    m_apply = buttons->addButton(ApplyCaption, QDialogButtonBox::ApplyRole);
    m_close = buttons->addButton(CloseCaption, QDialogButtonBox::RejectRole);
    m_apply->setAccessibleName(accessible(ApplyCaption));
    m_close->setAccessibleName(CloseCaption);
    // Enter in any field applies, as the main window's fields take a value on Enter.
    m_apply->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_inputs);
    layout->addWidget(results);
    layout->addWidget(m_note);
    layout->addWidget(m_applied);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_fluid, m_temperature);
    setTabOrder(m_temperature, m_pressure);
    setTabOrder(m_pressure, m_concentration);
    setTabOrder(m_concentration, m_apply);
    setTabOrder(m_apply, m_close);

    connect(m_fluid, &QComboBox::currentIndexChanged, this, &FluidPropertiesWindow::recompute);
    for (QLineEdit *edit : {m_temperature, m_pressure, m_concentration})
        connect(edit, &QLineEdit::textChanged, this, &FluidPropertiesWindow::recompute);
    connect(m_apply, &QPushButton::clicked, this, &FluidPropertiesWindow::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

Fluid FluidPropertiesWindow::currentFluid() const
{
    return Fluid(m_fluid->currentData().toInt());
}

void FluidPropertiesWindow::recompute()
{
    FluidRequest request;
    request.fluid = currentFluid();
    const bool isWater = request.fluid == Fluid::Water;
    m_inputs->setRowVisible(m_pressure, isWater);
    m_inputs->setRowVisible(m_concentration, !isWater);
    m_results->setRowVisible(m_freezingPoint, !isWater);

    QString missing;
    const auto read = [&missing](QLineEdit *edit, const QString &what, double &value) {
        const std::optional<double> parsed = NumberText::parse(edit->text());
        // An unreadable entry goes in as NaN, so that the range shown is the general one.
        value = parsed.value_or(std::numeric_limits<double>::quiet_NaN());
        if (!parsed && missing.isEmpty())
            missing = what;
    };
    read(m_temperature, QStringLiteral("temperature"), request.temperature);
    if (isWater)
        read(m_pressure, QStringLiteral("pressure"), request.pressure);
    else
        read(m_concentration, QStringLiteral("concentration"), request.concentration);

    const FluidResult result = fluidProperties(request);
    m_source->setText(result.source);
    m_validRange->setText(result.validRange);
    m_freezingPoint->setText(std::isnan(result.freezingPoint) || !missing.isEmpty()
            ? QString()
            : temperatureText(result.freezingPoint));
    const bool ok = missing.isEmpty() && result.ok();
    m_density->setText(ok ? densityText(result.density) : QString());
    m_viscosity->setText(ok ? viscosityText(result.viscosity) : QString());
    if (!missing.isEmpty())
        m_note->setText(NotANumber.arg(missing));
    else if (!result.ok())
        m_note->setText(OutOfRange.arg(result.error));
    else
        m_note->clear();
    m_note->setVisible(!ok);
    m_apply->setEnabled(ok);
}

void FluidPropertiesWindow::setCase(
    const CaseInput &c, const std::optional<CalcEngine::Outcome> & /*computed*/)
{
    m_case = c.inputs;
}

void FluidPropertiesWindow::apply()
{
    if (!m_apply->isEnabled())
        return;
    // The values before, taken now: the hand-over recalculates the case, which comes
    // back through setCase with the new ones.
    const std::optional<Inputs> before = m_case;
    const QString density = m_density->text();
    const QString viscosity = m_viscosity->text();
    Q_EMIT fieldWritten(EntryField::Density, density);
    Q_EMIT handedOver(EntryField::Density);
    Q_EMIT fieldWritten(EntryField::Viscosity, viscosity);
    Q_EMIT handedOver(EntryField::Viscosity);
    if (before) {
        m_applied->setText(appliedText(before->Density, density, before->Viscosity, viscosity));
        m_applied->show();
    }
}
