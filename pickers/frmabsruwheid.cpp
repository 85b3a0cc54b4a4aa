#include "pickers/frmabsruwheid.h"

#include "shell/frmstart.h"

// Placeholder until the window is built.
frmAbsRuwheid::frmAbsRuwheid(frmStart &main)
    : QWidget(&main, Qt::Window)
    , m_main(main)
{
}
