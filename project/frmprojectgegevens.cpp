#include "project/frmprojectgegevens.h"

#include "shell/frmstart.h"

#include <QLineEdit>

// Placeholder until the window is built.
frmProjectgegevens::frmProjectgegevens(frmStart &main)
    : QWidget(&main, Qt::Window)
    , m_main(main)
{
    for (auto &t : m_text3)
        t = new QLineEdit(this);
}

void frmProjectgegevens::ClearForm_Click() {}
