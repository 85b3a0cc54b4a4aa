#pragma once

#include "widgets/toolwindow.h"

#include <array>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
struct BasGeneral;

// "Inner diameter": the standard pipe diameter picker. The chosen diameter is written
// into the main window's diameter field; OK lets the main window take it over.
class frmDiameter : public ToolWindow
{
    Q_OBJECT

public:
    frmDiameter(BasGeneral &general, QWidget *parent);

    QRadioButton *SSOption1(int standard) const { return m_ssOption1.at(size_t(standard)); }
    QComboBox *L1(int standard) const { return m_l1.at(size_t(standard)); }
    QLabel *listHeading(int standard) const { return m_headings.at(size_t(standard)); }
    QGroupBox *frame() const { return m_frame; }
    QPushButton *Command3() const { return m_command3; }

    void SSOption1_Click(int standard);
    void L1_Click(int standard);
    void Command3_Click();

    // The load step: the remembered choice is applied, which writes its value into
    // the main window's field. The creator runs it once it listens to fieldWritten.
    void Form_Load();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();

    BasGeneral &m_general;
    QGroupBox *m_frame = nullptr;
    QButtonGroup *m_standards = nullptr;
    std::array<QRadioButton *, 2> m_ssOption1{};
    std::array<QLabel *, 2> m_headings{};
    std::array<QComboBox *, 2> m_l1{};
    QPushButton *m_command3 = nullptr;
};
