#pragma once

#include "calc/dialogs.h"

class QPrinter;

// The dialogs of the desktop program: those of the core, and the printer dialog,
// which only a window needs.
class WindowDialogs : public Dialogs
{
public:
    // The printer dialog; false when the user cancelled it.
    virtual bool choosePrinter(QPrinter &printer) = 0;
};
