#pragma once

#include "calc/calcengine.h"
#include "calc/caseinput.h"
#include "fluid/fluidproperties.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// "Fluid properties": density and viscosity of water or a glycol solution from its
// temperature, with the formulation's source and range, recomputed as the user types.
// Apply hands both values over to whoever listens (the density field, then the
// viscosity field), as texts typed in the user's locale, and then tells what changed;
// the window knows nothing of the main window, it follows its case through setCase.
// Closing hides it: the inputs stay as they were for the next showing.
class FluidPropertiesWindow : public QDialog
{
    Q_OBJECT

public:
    explicit FluidPropertiesWindow(QWidget *parent = nullptr);

    QComboBox *fluidBox() const { return m_fluid; }
    QLineEdit *temperatureEdit() const { return m_temperature; }
    QLineEdit *pressureEdit() const { return m_pressure; }
    QLineEdit *concentrationEdit() const { return m_concentration; }
    QLabel *densityLabel() const { return m_density; }
    QLabel *viscosityLabel() const { return m_viscosity; }
    QLabel *freezingPointLabel() const { return m_freezingPoint; }
    QLabel *sourceLabel() const { return m_source; }
    QLabel *validRangeLabel() const { return m_validRange; }
    QLabel *noteLabel() const { return m_note; }
    QLabel *appliedLabel() const { return m_applied; }
    QPushButton *applyButton() const { return m_apply; }

    void apply();

public Q_SLOTS:
    // The main window's case after each of its calculations: the density and viscosity
    // that Apply replaces.
    void setCase(
        const CaseInput &c, const std::optional<CalcEngine::Outcome> &computed = std::nullopt);

Q_SIGNALS:
    // The signals of a tool window (ToolWindow): the text goes into the main window's
    // field Text0(index), which the main window then takes over.
    void fieldWritten(int index, const QString &text);
    void handedOver(int index);

private:
    void buildWindow();
    void recompute();
    Fluid currentFluid() const;

    QComboBox *m_fluid = nullptr;
    QLineEdit *m_temperature = nullptr;
    QLineEdit *m_pressure = nullptr;
    QLineEdit *m_concentration = nullptr;
    QFormLayout *m_inputs = nullptr;
    QFormLayout *m_results = nullptr;
    QLabel *m_density = nullptr;
    QLabel *m_viscosity = nullptr;
    QLabel *m_freezingPoint = nullptr;
    QLabel *m_source = nullptr;
    QLabel *m_validRange = nullptr;
    QLabel *m_note = nullptr;
    QLabel *m_applied = nullptr;
    std::optional<Inputs> m_case;
    QPushButton *m_apply = nullptr;
    QPushButton *m_close = nullptr;
};
