#pragma once

#include <QWidget>

class frmStart;

// "Pressure Drop Zeptor [information]": release, disclaimer and links; also the start-up splash.
class frmAbout : public QWidget
{
    Q_OBJECT

public:
    explicit frmAbout(frmStart &main);

    // The timer tick: only the first tick of the whole run closes the window.
    void Timer1_Timer();
private:
    frmStart &m_main;
};
