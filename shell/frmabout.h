#pragma once

#include <QWidget>

#include <array>

class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;
class QTimer;
class HyperLinkLabel;
struct BasGeneral;

// "Pressure Drop Zeptor [information]": release, disclaimer and links; also the start-up
// splash, which closes itself on the first timer tick of the run.
class frmAbout : public QWidget
{
    Q_OBJECT

public:
    frmAbout(BasGeneral &general, QWidget *parent);

    // The timer tick: only the first tick of the whole run closes the window.
    void Timer1_Timer();
    // "OK": closes and destroys the window.
    void Command1_Click();

    // Label1(0) version line, (1) web address, (2) "Zeptor", (6) "32 bits", (7) empty,
    // (8) the note on the Dutch version; other indexes do not exist (nullptr).
    QLabel *Label1(int index) const;
    QLabel *Label2() const { return m_label2; }
    QLabel *Label3() const { return m_label3; }
    HyperLinkLabel *HyperLinkLabel1() const { return m_link1; }
    HyperLinkLabel *HyperLinkLabel2() const { return m_link2; }
    HyperLinkLabel *HyperLinkLabel3() const { return m_link3; }
    QLabel *Picture1() const { return m_picture1; }
    QTimer *Timer1() const { return m_timer1; }
    QPushButton *Command1() const { return m_command1; }

    // "International Release 1.5-Rev.0" for this build.
    static QString versionLine();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void buildWindow();

    BasGeneral &m_general;
    std::array<QLabel *, 9> m_label1{};
    QLabel *m_label2 = nullptr;
    QLabel *m_label3 = nullptr;
    HyperLinkLabel *m_link1 = nullptr;
    HyperLinkLabel *m_link2 = nullptr;
    HyperLinkLabel *m_link3 = nullptr;
    QFrame *m_frame1 = nullptr;
    QLabel *m_picture1 = nullptr;
    QTimer *m_timer1 = nullptr;
    QPushButton *m_command1 = nullptr;
};
