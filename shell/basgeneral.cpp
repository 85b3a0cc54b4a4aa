#include "shell/basgeneral.h"

void BasGeneral::setPickerStartValues()
{
    RoughnessChoice = 4;
    DiameterStandard = 0;
    DiameterChoice = {0, 0};
    IsoDiameters.assign(IsoDiameterValues.begin(), IsoDiameterValues.end());
    DinDiameters.assign(DinDiameterValues.begin(), DinDiameterValues.end());
}

namespace {
BasGeneral &instance()
{
    static BasGeneral state;
    return state;
}
} // namespace

BasGeneral &basGeneral()
{
    return instance();
}

void resetBasGeneral()
{
    instance() = BasGeneral{};
}
