#pragma once

#include "calc/calctexts.h"
#include "calc/record.h"

#include <array>

// The eight entries of a case: the field that shows each, the record member that holds
// it and the prompt that asks for it where the calculation cannot go on without it.
// In the order of the project file, which is the order of Inputs.
struct EntryInfo
{
    int index; // Text0(index)
    double Inputs::*member;
    const QString *prompt; // nullptr where the calculation never asks
};

inline const std::array<EntryInfo, 8> EntryTable = {{
    {1, &Inputs::FlowRate, &CalcTexts::FlowUnknown},
    {2, &Inputs::Density, &CalcTexts::DensityUnknown},
    {3, &Inputs::Viscosity, &CalcTexts::ViscosityUnknown},
    {4, &Inputs::InnerDiameter, &CalcTexts::DiameterUnknown},
    {5, &Inputs::PipeLength, nullptr},
    {6, &Inputs::Elevation, nullptr},
    {7, &Inputs::ExtraLoss, nullptr},
    {23, &Inputs::WallRoughness, &CalcTexts::RoughnessUnknown},
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
