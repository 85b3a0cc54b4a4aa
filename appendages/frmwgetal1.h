#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class frmStart;

// "Fittings": counts of the six bend and tee types, totalled into the main window's
// Text0(9).
class frmWgetal1 : public QWidget
{
    Q_OBJECT

public:
    explicit frmWgetal1(frmStart &main);

    QLineEdit *Text1(int index) const { return m_text1.at(size_t(index)); }
    QLabel *Label1(int index) const { return m_label1.at(size_t(index)); }

    void BerekenTotaleWeerstand1();
    void ClearWgetal1_Click();

private:
    frmStart &m_main;
    std::array<QLineEdit *, 6> m_text1{};
    std::array<QLabel *, 6> m_label1{};
};
