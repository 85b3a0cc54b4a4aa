#include "calc/calcsheet.h"
