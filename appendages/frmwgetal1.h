#pragma once

#include "appendages/countwindow.h"

class frmStart;

// "Fittings": counts of the six bend and tee types, totalled into the main window's
// Text0(9).
class frmWgetal1 : public CountWindow
{
    Q_OBJECT

public:
    explicit frmWgetal1(frmStart &main);

    QLineEdit *Text1(int index) const { return countField(index); }
    QLabel *Label1(int index) const { return rowLabel(index); }
    QPushButton *Command1() const { return okButton(); }
    QPushButton *ClearWgetal1() const { return clearButton(); }

    void BerekenTotaleWeerstand1() { recomputeTotal(); }
    void ClearWgetal1_Click() { clearCounts(); }
    void Command1_Click() { okClicked(); }
};
