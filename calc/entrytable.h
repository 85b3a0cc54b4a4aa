#pragma once

#include "calc/calctexts.h"
#include "calc/fieldtable.h"
#include "calc/record.h"

#include <array>

// The eight entries of a case: the field that shows each, the record member that holds
// it, the prompt that asks for it where the calculation cannot go on without it, and
// the decimals of the text that shows its start value (the value of a new Inputs).
// In the order of the project file, which is the order of Inputs.
struct EntryInfo
{
    int index; // Text0(index)
    double Inputs::*member;
    const QString *prompt; // nullptr where the calculation never asks
    int startDecimals;
};

inline const std::array<EntryInfo, 8> EntryTable = {{
    {EntryField::FlowRate, &Inputs::FlowRate, &CalcTexts::FlowUnknown, 0},
    {EntryField::Density, &Inputs::Density, &CalcTexts::DensityUnknown, 0},
    {EntryField::Viscosity, &Inputs::Viscosity, &CalcTexts::ViscosityUnknown, 0},
    {EntryField::InnerDiameter, &Inputs::InnerDiameter, &CalcTexts::DiameterUnknown, 0},
    {EntryField::PipeLength, &Inputs::PipeLength, nullptr, 0},
    {EntryField::Elevation, &Inputs::Elevation, nullptr, 0},
    {EntryField::ExtraLoss, &Inputs::ExtraLoss, nullptr, 0},
    {EntryField::WallRoughness, &Inputs::WallRoughness, &CalcTexts::RoughnessUnknown, 2},
}};

// The entry shown in Text0(index), or nullptr where that field holds no entry.
inline const EntryInfo *entryInfo(int index)
{
    for (const EntryInfo &entry : EntryTable) {
        if (entry.index == index)
            return &entry;
    }
    return nullptr;
}

// The entries in file order, as values.
inline std::array<double, 8> entryValues(const Inputs &in)
{
    std::array<double, 8> values{};
    for (size_t i = 0; i < EntryTable.size(); ++i)
        values[i] = in.*EntryTable[i].member;
    return values;
}
