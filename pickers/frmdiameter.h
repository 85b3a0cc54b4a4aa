#pragma once

#include <QWidget>

class frmStart;

// "Inner diameter": the standard pipe diameter picker.
class frmDiameter : public QWidget
{
    Q_OBJECT

public:
    explicit frmDiameter(frmStart &main);

private:
    frmStart &m_main;
};
