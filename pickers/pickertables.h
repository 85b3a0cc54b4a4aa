#pragma once

#include "calc/basgeneral.h"

#include <QString>

#include <array>

// The wall roughness table: thirteen materials and conditions under three headings.
struct RoughnessRow
{
    int group; // index into RoughnessGroups
    const char *caption; // the option's caption
    double roughness; // absolute wall roughness in mm
};

inline constexpr std::array<const char *, 3> RoughnessGroups
    = {"various materials", "steel pipe", "cast iron"};

inline constexpr std::array<RoughnessRow, 13> RoughnessTable = {{
    {0, "glass", 0.0015},
    {0, "lead", 0.0015},
    {0, "copper", 0.0015},
    {0, "brass", 0.0015},
    {1, "new", 0.04},
    {1, "after longer use", 0.2},
    {1, "slightly rusted", 0.4},
    {1, "very rusted", 3.35},
    {1, "galvanised", 0.15},
    {2, "new", 0.5},
    {2, "with bitumen layer", 0.2},
    {2, "slightly rusted", 1.5},
    {2, "very rusted", 3},
}};

// The two pipe standards of the diameter picker. The list texts are fixed strings,
// leading blanks included; the value of a position comes from the diameter table.
inline constexpr std::array<const char *, 2> DiameterStandardCaptions
    = {"ISO 2853-1976 (E)", "DIN 2448/1629 - NEN 2323"};
inline constexpr std::array<const char *, 2> DiameterListHeadings
    = {"standard 1.5 mm thickness", "normal thickness"};

inline constexpr std::array<double, 9> IsoDiameterValues
    = {22.6, 25.6, 29.0, 35.6, 48.6, 60.3, 72.9, 84.9, 97.6};
inline constexpr std::array<const char *, 9> IsoDiameterTexts = {" 22.6 mm", " 25.6 mm", " 29.0 mm",
    " 35.6 mm", " 48.6 mm", " 60.3 mm", " 72.9 mm", " 84.9 mm (wall 2mm)", " 97.6 mm (wall 2mm)"};

inline constexpr std::array<double, 17> DinDiameterValues = {7.0, 9.9, 13.6, 17.3, 22.3, 28.5, 37.2,
    43.1, 54.5, 70.3, 82.5, 107.1, 131.7, 159.3, 206.5, 260.4, 309.7};
inline constexpr std::array<const char *, 17> DinDiameterTexts = {"  7.0 mm", "  9.9 mm",
    " 13.6 mm", " 17.3 mm", " 22.3 mm", " 28.5 mm", " 37.2 mm", " 43.1 mm", " 54.5 mm", " 70.3 mm",
    " 82.5 mm", "107.1 mm", "131.7 mm", "159.3 mm", "206.5 mm", "260.4 mm", "309.7 mm"};

// The picker memory and tables as the start procedure sets them.
inline void setPickerStartValues(BasGeneral &general)
{
    general.RoughnessChoice = 4;
    general.DiameterStandard = 0;
    general.DiameterChoice = {0, 0};
    general.IsoDiameters.assign(IsoDiameterValues.begin(), IsoDiameterValues.end());
    general.DinDiameters.assign(DinDiameterValues.begin(), DinDiameterValues.end());
}
