#include "shell/frmabout.h"

#include "shell/frmstart.h"

// Placeholder until the window is built.
frmAbout::frmAbout(frmStart &main)
    : QWidget(&main, Qt::Window)
    , m_main(main)
{
}
void frmAbout::Timer1_Timer() {}
