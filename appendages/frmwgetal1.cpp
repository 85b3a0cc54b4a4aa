#include "appendages/frmwgetal1.h"

#include "calc/basgeneral.h"

namespace {
CountWindow::Setup bendsSetup(BasGeneral &general)
{
    CountWindow::Setup setup;
    setup.caption = QStringLiteral("Fittings");
    setup.frameCaption = QStringLiteral("Bends / Tees");
    setup.table = BendTable;
    setup.targetField = 9;
    setup.counts = general.BendCounts;
    setup.total = &general.BendsTotalLd;
    return setup;
}
} // namespace

frmWgetal1::frmWgetal1(BasGeneral &general, Dialogs &dialogs, QWidget *parent)
    : CountWindow(dialogs, parent, bendsSetup(general))
{ }
