#pragma once

#include "widgets/toolwindow.h"

#include <array>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
struct BasGeneral;

// "Pipe Data": the wall roughness picker. A choice goes to the record and to the main
// window's roughness field at once; OK lets the main window take it over and
// recalculate.
class frmAbsRuwheid : public ToolWindow
{
    Q_OBJECT

public:
    frmAbsRuwheid(BasGeneral &general, QWidget *parent);

    QRadioButton *Option1(int index) const { return m_option1.at(size_t(index)); }
    QLabel *Label1(int index) const { return m_label1.at(size_t(index)); }
    QGroupBox *frame() const { return m_frame; }
    QPushButton *Command1() const { return m_command1; }

    void Option1_Click(int index);
    void Command1_Click();

    // The load step: the remembered choice is applied, which writes its value into
    // the main window's field. The creator runs it once it listens to fieldWritten.
    void Form_Load();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();

    BasGeneral &m_general;
    QGroupBox *m_frame = nullptr;
    QButtonGroup *m_options = nullptr;
    std::array<QRadioButton *, 13> m_option1{};
    std::array<QLabel *, 3> m_label1{};
    QPushButton *m_command1 = nullptr;
};
