#include "appendages/frmwgetal2.h"

#include "calc/basgeneral.h"
#include "shell/frmstart.h"

namespace {
CountWindow::Setup valvesSetup(frmStart &main)
{
    CountWindow::Setup setup;
    setup.caption = QStringLiteral("Appendages");
    setup.frameCaption = QStringLiteral("Valves");
    setup.table = ValveTable;
    // The gate valve partly closed: drawn indented under "Gate valve open".
    setup.firstIndented = 1;
    setup.lastIndented = 3;
    setup.targetField = 10;
    setup.counts = main.general().ValveCounts;
    setup.total = &main.general().ValvesTotalLd;
    return setup;
}
} // namespace

frmWgetal2::frmWgetal2(frmStart &main)
    : CountWindow(main, valvesSetup(main))
{ }
