#include "appendages/frmwgetal1.h"

#include "calc/basgeneral.h"
#include "shell/frmstart.h"

namespace {
CountWindow::Setup bendsSetup(frmStart &main)
{
    CountWindow::Setup setup;
    setup.caption = QStringLiteral("Fittings");
    setup.frameCaption = QStringLiteral("Bends / Tees");
    setup.table = BendTable;
    setup.targetField = 9;
    setup.counts = main.general().BendCounts;
    setup.total = &main.general().BendsTotalLd;
    return setup;
}
} // namespace

frmWgetal1::frmWgetal1(frmStart &main)
    : CountWindow(main, bendsSetup(main))
{ }
