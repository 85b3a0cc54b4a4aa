#include "shell/startup.h"

#include "calc/basgeneral.h"
#include "calc/dvlname.h"
#include "pickers/pickertables.h"
#include "project/frmprojectgegevens.h"
#include "shell/childwindows.h"
#include "shell/frmabout.h"
#include "shell/frmstart.h"
#include "shell/qtdialogs.h"

#include <QLineEdit>

std::unique_ptr<frmStart> basGeneralMain(BasGeneral &general, WindowDialogs &dialogs)
{
    // The main window comes first: building it runs its load step, which sets the start
    // values of the entries and the date. The Qt dialogs then take it as the parent of
    // prompts that open while no window of the program is active.
    auto window = std::make_unique<frmStart>(general, dialogs);
    if (auto *onScreen = dynamic_cast<QtDialogs *>(&dialogs))
        onScreen->setMainWindow(window.get());

    setPickerStartValues(general);

    general.AboutTimerFired = 0;
    ChildWindows::bringToFront(window->About());

    window->show();

    general.ProjectFileName = DvlFile::newFileName();
    window->applyCaption();
    window->Projectgegevens().Text3(4)->setText(general.ProjectFileName);

    // Once more, so that the splash stands in front of the main window.
    ChildWindows::bringToFront(window->About());
    return window;
}
