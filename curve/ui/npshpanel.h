#pragma once

#include "curve/systemcurve.h"

#include <QGroupBox>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The suction side of the System curve window: the suction line (a project file, or
// none), the pressure on the liquid's surface, the vapour pressure (typed, or that of
// water at a temperature) and the NPSH margin to keep.
class NpshPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit NpshPanel(QWidget *parent = nullptr);

    SystemCurve::NpshSettings settings() const;
    // The suction line's file name as shown, or empty for none.
    void setSuctionName(const QString &name);

    QLabel *suctionLabel() const { return m_suction; }
    QPushButton *loadButton() const { return m_load; }
    QPushButton *noneButton() const { return m_none; }
    QDoubleSpinBox *surfaceField() const { return m_surface; }
    QRadioButton *typedChoice() const { return m_typed; }
    QDoubleSpinBox *vapourField() const { return m_vapour; }
    QRadioButton *waterChoice() const { return m_water; }
    QDoubleSpinBox *temperatureField() const { return m_temperature; }
    QDoubleSpinBox *marginField() const { return m_margin; }

Q_SIGNALS:
    void changed();
    void loadAsked();
    void noneAsked();

private:
    QLabel *m_suction = nullptr;
    QPushButton *m_load = nullptr;
    QPushButton *m_none = nullptr;
    QDoubleSpinBox *m_surface = nullptr;
    QRadioButton *m_typed = nullptr;
    QDoubleSpinBox *m_vapour = nullptr;
    QRadioButton *m_water = nullptr;
    QDoubleSpinBox *m_temperature = nullptr;
    QDoubleSpinBox *m_margin = nullptr;
};
