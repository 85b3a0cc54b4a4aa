#include "appendages/frmwgetal2.h"

#include "shell/frmstart.h"

#include <QLabel>
#include <QLineEdit>

// Placeholder until the window is built.
frmWgetal2::frmWgetal2(frmStart &main)
    : QWidget(&main, Qt::Window)
    , m_main(main)
{
    for (size_t i = 0; i < 13; ++i) {
        m_text2[i] = new QLineEdit(QStringLiteral("0"), this);
        m_label1[i] = new QLabel(this);
    }
}

void frmWgetal2::BerekenTotaleWeerstand2() {}
void frmWgetal2::ClearWgetal2_Click() {}
