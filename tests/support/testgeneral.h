#pragma once

#include "calc/basgeneral.h"

// The record that a test's program works on, as main() owns it in the real program.
inline BasGeneral &basGeneral()
{
    static BasGeneral general;
    return general;
}

inline void resetBasGeneral()
{
    basGeneral() = BasGeneral{};
}
