#pragma once

#include "appendages/countwindow.h"

class Dialogs;
struct BasGeneral;

// "Appendages": counts of the thirteen valve and fitting types, totalled into the main
// window's Text0(10).
class frmWgetal2 : public CountWindow
{
    Q_OBJECT

public:
    frmWgetal2(BasGeneral &general, Dialogs &dialogs, QWidget *parent);

    QLineEdit *Text2(int index) const { return countField(index); }
    QLabel *Label1(int index) const { return rowLabel(index); }
    QPushButton *Command1() const { return okButton(); }
    QPushButton *ClearWgetal2() const { return clearButton(); }

    void BerekenTotaleWeerstand2() { recomputeTotal(); }
    void ClearWgetal2_Click() { clearCounts(); }
    void Command1_Click() { okClicked(); }
    void Text2_LostFocus(int index) { countLostFocus(index); }
};
