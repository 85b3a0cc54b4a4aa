#pragma once

#include <QWidget>

#include <array>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class frmStart;

// "Inner diameter": the standard pipe diameter picker. The chosen diameter is written
// into the main window's diameter field; OK lets the main window take it over.
class frmDiameter : public QWidget
{
    Q_OBJECT

public:
    explicit frmDiameter(frmStart &main);

    QRadioButton *SSOption1(int standard) const { return m_ssOption1.at(size_t(standard)); }
    QComboBox *L1(int standard) const { return m_l1.at(size_t(standard)); }
    QLabel *listHeading(int standard) const { return m_headings.at(size_t(standard)); }
    QGroupBox *frame() const { return m_frame; }
    QPushButton *Command3() const { return m_command3; }

    void SSOption1_Click(int standard);
    void L1_Click(int standard);
    void Command3_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();
    void Form_Load();

    frmStart &m_main;
    QGroupBox *m_frame = nullptr;
    QButtonGroup *m_standards = nullptr;
    std::array<QRadioButton *, 2> m_ssOption1{};
    std::array<QLabel *, 2> m_headings{};
    std::array<QComboBox *, 2> m_l1{};
    QPushButton *m_command3 = nullptr;
    bool m_closing = false;
};
