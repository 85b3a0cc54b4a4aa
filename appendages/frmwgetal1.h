#pragma once

#include "appendages/countwindow.h"

class Dialogs;
struct BasGeneral;

// "Fittings": counts of the six bend and tee types, totalled into the main window's
// Text0(9).
class frmWgetal1 : public CountWindow
{
    Q_OBJECT

public:
    frmWgetal1(BasGeneral &general, Dialogs &dialogs, QWidget *parent);

    QLineEdit *Text1(int index) const { return countField(index); }
    QLabel *Label1(int index) const { return rowLabel(index); }
    QPushButton *Command1() const { return okButton(); }
    QPushButton *ClearWgetal1() const { return clearButton(); }

    void BerekenTotaleWeerstand1() { recomputeTotal(); }
    void ClearWgetal1_Click() { clearCounts(); }
    void Command1_Click() { okClicked(); }
    void Text1_LostFocus(int index) { countLostFocus(index); }
};
