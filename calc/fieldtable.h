#pragma once

#include <array>

// The main window's field array Text0: the index of a field is the fixed identity of
// one quantity. Indexes 0, 20 and 26 do not exist.
enum class FieldRole { Entry, Appendage, Result };

struct FieldInfo
{
    int index;
    const char *caption; // caption of Label1(index); empty where the field has none
    const char *unit; // caption of Label2(index); empty where there is none
    const char *frame; // the group box that holds the field
    const char *designText;
    FieldRole role;
};

// In screen order, frame by frame.
inline constexpr std::array<FieldInfo, 26> FieldTable = {{
    {1, "flow rate", "[liter/hr]", "Fluid data", "100", FieldRole::Entry},
    {2, "density", "[kg/m3]", "Fluid data", "1000", FieldRole::Entry},
    {3, "dynamic viscosity", "[cP]", "Fluid data", "1", FieldRole::Entry},
    {4, "inner diameter", "[mm]", "Pipe data", "", FieldRole::Entry},
    {23, "surface roughness", "[mm]", "Pipe data", "", FieldRole::Entry},
    {5, "total pipe length", "[m]", "Pipe data", "", FieldRole::Entry},
    {6, "elevation", "[m]", "Pipe data", "", FieldRole::Entry},
    {7, "pressure loss extra equipment", "[bar]", "Pipe data", "", FieldRole::Entry},
    {9, "bends and elbows", "[l/d]", "Equivalent length", "0", FieldRole::Appendage},
    {10, "valves", "[l/d]", "Equivalent length", "0", FieldRole::Appendage},
    {8, "", "[l/d]", "Equivalent length", "0", FieldRole::Appendage},
    {25, "fittings and appendages", "[m]", "Equivalent length", "0", FieldRole::Appendage},
    {11, "average velocity of liquid", "[m/s]", "Results", "0", FieldRole::Result},
    {12, "Reynolds number", "[-]", "Results", "0", FieldRole::Result},
    {13, "friction factor", "[-]", "Results", "0", FieldRole::Result},
    {14, "friction of pipe", "[-]", "Results", "0", FieldRole::Result},
    {15, "pipe area", "[mm]", "Results", "0", FieldRole::Result},
    {16, "pipe volume", "[liter]", "Results", "0", FieldRole::Result},
    {17, "friction of appendages ", "[-]", "Results", "0", FieldRole::Result},
    {18, "pressure drop pipe", "[bar]", "Results", "0", FieldRole::Result},
    {22, "average residence time", "[sec]", "Results", "0", FieldRole::Result},
    {24, "relative roughness surface", "[-]", "Results", "0", FieldRole::Result},
    {27, "power loss", "[Watt]", "Results", "0", FieldRole::Result},
    {28, "estimated shear", "", "Results", "0", FieldRole::Result},
    {19, "pipe+equipment+appendages", "[bar]", "Total pressure drop", "0", FieldRole::Result},
    {21, "", "[Pa]", "Total pressure drop", "0", FieldRole::Result},
}};

inline constexpr int Text0Size = 29; // indexes 1..28

// Caption of the main window's message label Label1(26); nothing changes it.
inline constexpr const char *MessageLabelCaption = "msg ..............";

constexpr const FieldInfo *fieldInfo(int index)
{
    for (const FieldInfo &f : FieldTable) {
        if (f.index == index)
            return &f;
    }
    return nullptr;
}

constexpr bool fieldExists(int index)
{
    return fieldInfo(index) != nullptr;
}

// The fields of the eight entries, named by the record member that each one shows.
namespace EntryField {
inline constexpr int FlowRate = 1;
inline constexpr int Density = 2;
inline constexpr int Viscosity = 3;
inline constexpr int InnerDiameter = 4;
inline constexpr int PipeLength = 5;
inline constexpr int Elevation = 6;
inline constexpr int ExtraLoss = 7;
inline constexpr int WallRoughness = 23;
} // namespace EntryField

// The entry fields in their navigation (and tab) order.
inline constexpr std::array<int, 8> EntryOrder = {EntryField::FlowRate, EntryField::Density,
    EntryField::Viscosity, EntryField::InnerDiameter, EntryField::WallRoughness,
    EntryField::PipeLength, EntryField::Elevation, EntryField::ExtraLoss};
