#pragma once

#include <functional>
#include <vector>

// Where two curves meet over a range, every time they meet: the duty points of a pump
// against a system, and the flow up to which the NPSH available covers the NPSH the
// pump needs. The second curve may be a saw-tooth (the system curve moves with the
// friction factor in small steps) and may have stretches without a value.
namespace Crossings {

// The two curves at x: their difference and, for a second curve in steps, how many
// steps it has taken up to x and how high a step is there.
struct Value
{
    double difference = 0; // first minus second; NaN where the second has no value
    double steps = 0; // any count that grows by one at each step
    double stepHeight = 0;
};

using Curves = std::function<Value(double x)>;

struct Crossing
{
    double x = 0;
    // The first curve passes from above the second to below it as x grows: a pump
    // there keeps its flow. A touch, or a crossing from below, is not stable.
    bool stable = false;
};

struct Result
{
    std::vector<Crossing> crossings; // lowest first
    // What the scan saw, for saying why there is no crossing.
    bool anyValue = false;
    bool firstAbove = false; // somewhere the first curve lies above the second
    bool firstBelow = false;
    bool gaps = false; // somewhere the second curve has no value
};

// Every crossing within [low, high], each to 1e-9 relative in x. Where the curves are
// equal along a stretch, the stretch's lowest x. Stretches without a value are skipped,
// but a crossing right at their edge is found.
Result find(const Curves &curves, double low, double high);

} // namespace Crossings
