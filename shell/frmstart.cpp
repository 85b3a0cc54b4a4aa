#include "shell/frmstart.h"
