#include "appendages/frmwgetal1.h"

#include "shell/frmstart.h"

#include <QLabel>
#include <QLineEdit>

// Placeholder until the window is built.
frmWgetal1::frmWgetal1(frmStart &main)
    : QWidget(&main, Qt::Window)
    , m_main(main)
{
    for (size_t i = 0; i < 6; ++i) {
        m_text1[i] = new QLineEdit(QStringLiteral("0"), this);
        m_label1[i] = new QLabel(this);
    }
}

void frmWgetal1::BerekenTotaleWeerstand1() {}
void frmWgetal1::ClearWgetal1_Click() {}
