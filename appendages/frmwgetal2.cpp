#include "appendages/frmwgetal2.h"

#include "calc/basgeneral.h"

namespace {
CountWindow::Setup valvesSetup(BasGeneral &general)
{
    CountWindow::Setup setup;
    setup.caption = QStringLiteral("Appendages");
    setup.frameCaption = QStringLiteral("Valves");
    setup.table = ValveTable;
    // The gate valve partly closed: drawn indented under "Gate valve open".
    setup.firstIndented = 1;
    setup.lastIndented = 3;
    setup.targetField = 10;
    setup.counts = general.ValveCounts;
    setup.total = &general.ValvesTotalLd;
    return setup;
}
} // namespace

frmWgetal2::frmWgetal2(BasGeneral &general, Dialogs &dialogs, QWidget *parent)
    : CountWindow(dialogs, parent, valvesSetup(general))
{ }
