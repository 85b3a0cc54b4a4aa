#include "shell/startup.h"

#include "calc/basgeneral.h"
#include "calc/dvlname.h"
#include "pickers/pickertables.h"
#include "project/frmprojectgegevens.h"
#include "shell/frmabout.h"
#include "shell/frmstart.h"
#include "shell/qtdialogs.h"

#include <QLineEdit>

std::unique_ptr<frmStart> basGeneralMain(BasGeneral &general, WindowDialogs &dialogs)
{
    // The file dialog belongs to the main window, so setting it up loads the main
    // window first: its load step sets the start values.
    auto window = std::make_unique<frmStart>(general, dialogs);
    if (auto *onScreen = dynamic_cast<QtDialogs *>(&dialogs))
        onScreen->setMainWindow(window.get());

    setPickerStartValues(general);

    general.AboutTimerFired = 0;
    frmStart::showWindow(window->About());

    window->show();

    general.ProjectFileName = DvlFile::newFileName();
    window->applyCaption();
    window->Projectgegevens().Text3(4)->setText(general.ProjectFileName);

    // Once more, so that the splash stands in front of the main window.
    frmStart::showWindow(window->About());
    return window;
}
