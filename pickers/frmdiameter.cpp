#include "pickers/frmdiameter.h"

#include "shell/frmstart.h"

// Placeholder until the window is built.
frmDiameter::frmDiameter(frmStart &main)
    : QWidget(&main, Qt::Window)
    , m_main(main)
{
}
