#include "shell/frmstart.h"

// Placeholders until the file commands are built.
void frmStart::FileLoad_Click() {}
void frmStart::FileSave_Click() {}
void frmStart::FileSaveAs_Click() {}
void frmStart::mnuPrint_Click() {}
