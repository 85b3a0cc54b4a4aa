#pragma once

#include "curve/pumpset.h"

#include <QGroupBox>

#include <optional>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The pumps of the System curve window: their speed (typed, or found for a flow), how
// many there are and how they work together.
class PumpSetPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit PumpSetPanel(QWidget *parent = nullptr);

    double speed() const; // % of the curve's speed
    int count() const;
    Arrangement arrangement() const;
    void setSpeed(double speed);
    // Where no speed meets the flow asked for: why, next to the button.
    void setSpeedNote(const QString &note);

    QDoubleSpinBox *speedField() const { return m_speed; }
    QDoubleSpinBox *flowField() const { return m_flow; }
    QPushButton *speedForFlowButton() const { return m_find; }
    QSpinBox *countField() const { return m_count; }
    QComboBox *arrangementChoice() const { return m_arrangement; }
    QLabel *speedNote() const { return m_note; }

Q_SIGNALS:
    void changed();
    // The user asks for the speed at which the pumps deliver `flow` l/h.
    void speedForFlowAsked(double flow);

private:
    QDoubleSpinBox *m_speed = nullptr;
    QDoubleSpinBox *m_flow = nullptr;
    QPushButton *m_find = nullptr;
    QSpinBox *m_count = nullptr;
    QComboBox *m_arrangement = nullptr;
    QLabel *m_note = nullptr;
    // The speed found for a flow, of which the field shows one decimal.
    std::optional<double> m_exactSpeed;
};
