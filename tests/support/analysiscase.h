#pragma once

// Helpers shared by the tests of the analyses: the water case they start from and the
// comparisons of numbers they make.

#include "calc/record.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace AnalysisCase {

// 10000 l/h of water at 1000 kg/m3 and 1 cP through 100 m of pipe of this diameter.
inline Inputs waterCase(double diameter = 50)
{
    Inputs in;
    in.FlowRate = 10000;
    in.InnerDiameter = diameter;
    in.PipeLength = 100;
    return in;
}

// The same double, bit for bit.
inline bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline bool near(double a, double b, double relative = 1e-12)
{
    return std::abs(a - b) <= relative * std::max({std::abs(a), std::abs(b), 1e-300});
}

} // namespace AnalysisCase
