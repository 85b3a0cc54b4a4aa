#include "calc/frictionfactor.h"
