#pragma once

#include "calc/fieldtable.h"
#include "calc/record.h"

#include <array>

// How a result field shows its value.
enum class ResultFormat {
    None, // no result field shows it
    Fixed, // `decimals` decimals
    TwoOrFourDecimals, // "0.00" above 1, "0.0000" up to 1
    FixedUpToMillion, // `decimals` decimals up to 1000000, "Scientific" above
    Plain, // up to 15 significant digits, no trailing zeros
};

// The results of a calculation: the name that the batch tool writes, the record member,
// and for those the main window shows, the field and its format. In the order of
// Results, which is the order of the batch tool's "results" object.
struct ResultInfo
{
    const char *name;
    double Results::*member;
    int index; // Text0(index); 0 where no field shows the result
    ResultFormat format;
    int decimals;
};

inline constexpr std::array<ResultInfo, 17> ResultTable = {{
    {"Velocity", &Results::Velocity, 11, ResultFormat::TwoOrFourDecimals, 0},
    {"Reynolds", &Results::Reynolds, 12, ResultFormat::FixedUpToMillion, 1},
    {"FrictionFactor", &Results::FrictionFactor, 13, ResultFormat::Fixed, 4},
    {"PipeFriction", &Results::PipeFriction, 14, ResultFormat::Fixed, 4},
    {"PipeArea", &Results::PipeArea, 15, ResultFormat::Fixed, 4},
    {"PipeVolume", &Results::PipeVolume, 16, ResultFormat::TwoOrFourDecimals, 0},
    {"AppendageFriction", &Results::AppendageFriction, 17, ResultFormat::Fixed, 4},
    {"PipePressureDrop", &Results::PipePressureDrop, 18, ResultFormat::Fixed, 4},
    {"TotalPressureDrop", &Results::TotalPressureDrop, 19, ResultFormat::Fixed, 4},
    {"TotalPressureDropPa", &Results::TotalPressureDropPa, 21, ResultFormat::Fixed, 0},
    {"ResidenceTime", &Results::ResidenceTime, 22, ResultFormat::TwoOrFourDecimals, 0},
    {"RelativeRoughness", &Results::RelativeRoughness, 24, ResultFormat::Fixed, 4},
    // The l/d totals stand in fields 9 and 10 as the user or a count window wrote them.
    {"BendsLd", &Results::BendsLd, 0, ResultFormat::None, 0},
    {"ValvesLd", &Results::ValvesLd, 0, ResultFormat::None, 0},
    {"AppendageLength", &Results::AppendageLength, 25, ResultFormat::Plain, 0},
    {"PowerLoss", &Results::PowerLoss, 27, ResultFormat::Fixed, 1},
    {"ShearRate", &Results::ShearRate, 28, ResultFormat::Fixed, 2},
}};

// The result that Text0(index) shows, or nullptr where that field shows none.
constexpr const ResultInfo *resultInfo(int index)
{
    for (const ResultInfo &result : ResultTable) {
        if (index != 0 && result.index == index)
            return &result;
    }
    return nullptr;
}

// Every member of Results once, each shown field existing and showing no other result.
static_assert(sizeof(Results) == ResultTable.size() * sizeof(double));
static_assert([] {
    for (size_t i = 0; i < ResultTable.size(); ++i) {
        const ResultInfo &result = ResultTable[i];
        if ((result.index != 0) != (result.format != ResultFormat::None))
            return false;
        if (result.index != 0 && !fieldExists(result.index))
            return false;
        for (size_t j = 0; j < i; ++j) {
            if (ResultTable[j].member == result.member
                || (result.index != 0 && ResultTable[j].index == result.index))
                return false;
        }
    }
    return true;
}());
