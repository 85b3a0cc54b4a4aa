#include "shell/frmhelpscreen.h"

#include "shell/frmstart.h"

// Placeholder until the window is built.
frmHelpScreen::frmHelpScreen(frmStart &main)
    : QWidget(&main, Qt::Window)
    , m_main(main)
{
}
