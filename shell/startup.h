#pragma once

#include <memory>

struct BasGeneral;
class WindowDialogs;
class frmStart;

// The start procedure of the program: the main window loaded with its start values,
// the pickers' memory, the About window as a splash, the main window shown with the
// caption of a new case. Returns the main window; the caller runs the event loop.
std::unique_ptr<frmStart> basGeneralMain(BasGeneral &general, WindowDialogs &dialogs);
