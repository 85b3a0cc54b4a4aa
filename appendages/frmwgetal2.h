#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class frmStart;

// "Appendages": counts of the thirteen valve and fitting types, totalled into the main window's
// Text0(10).
class frmWgetal2 : public QWidget
{
    Q_OBJECT

public:
    explicit frmWgetal2(frmStart &main);

    QLineEdit *Text2(int index) const { return m_text2.at(size_t(index)); }
    QLabel *Label1(int index) const { return m_label1.at(size_t(index)); }

    void BerekenTotaleWeerstand2();
    void ClearWgetal2_Click();

private:
    frmStart &m_main;
    std::array<QLineEdit *, 13> m_text2{};
    std::array<QLabel *, 13> m_label1{};
};
