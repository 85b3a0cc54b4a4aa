#pragma once

#include <QWidget>

class frmStart;

// "Help": what the program does.
class frmHelpScreen : public QWidget
{
    Q_OBJECT

public:
    explicit frmHelpScreen(frmStart &main);

private:
    frmStart &m_main;
};
