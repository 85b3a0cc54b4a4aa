#pragma once

#include <QWidget>

class frmStart;

// "Pipe Data": the wall roughness picker.
class frmAbsRuwheid : public QWidget
{
    Q_OBJECT

public:
    explicit frmAbsRuwheid(frmStart &main);

private:
    frmStart &m_main;
};
