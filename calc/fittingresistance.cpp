#include "calc/fittingresistance.h"

#include "calc/frictionfactor.h"
#include "calc/physics.h"

#include <array>
#include <cmath>
#include <limits>

namespace FittingResistance {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Each count window type beside the row of Hooper's and of Darby's table that describes
// the same fitting. Pipe bends of R = 5D have no row in either table (their bends stop
// at R/D = 1.5, Darby's 90 degree rows jump from 4 to 6), nor have partly closed
// valves, needle valves, vessel nozzles, in-line ball checks and strainers.
constexpr std::array<FittingType, FittingTypeCount> Types = {{
    {"180 bend, R=5D", {"no row: Hooper's 180° bends have R/D = 1 or 1.5", {}},
        {"no row: Darby's 180° bends have r/D = 1 or 1.5", {}}},
    {"90 bend, R=5D", {"no row: Hooper's 90° bends have R/D = 1 or 1.5 or are mitred", {}},
        {"no row: Darby's 90° bends have r/D = 1, 1.5, 2, 4 or 6, none 5", {}}},
    {"90 bend (square , R=1.5D)",
        {"Elbow, 90°, Long-radius (R/D = 1.5), All types", TwoK{800, 0.2}},
        // Darby's one 90 degree elbow of r/D = 1.5 is the threaded one.
        {"Elbow, 90°, threaded, long radius, (r/D = 1.5)", ThreeK{800, 0.071, 4.2}}},
    {"45 bend(square , R=1.5D)", {"Elbow, 45°, Long-radius (R/D 1.5), All types", TwoK{500, 0.15}},
        {"Elbow, 45°, long radius, (r/D = 1.5)", ThreeK{500, 0.052, 4}}},
    {"Tee (flow straight through)", {"Tee, Through, Flanged or welded", TwoK{150, 0.05}},
        {"Tee, Run-through, flanged, (r/D = 1)", ThreeK{150, 0.05, 4}}},
    // Hooper's "tee used as elbow, standard, flanged or welded", as fluids names it.
    {"Tee (flow through side outlet)", {"Elbow, Elbow, Standard, Flanged/welded", TwoK{800, 0.8}},
        {"Tee, Through-branch, (as elbow), flanged, (r/D = 1)", ThreeK{800, 0.28, 4}}},

    {"Gate valve open", {"Valve, Gate, Full line size, Beta = 1", TwoK{300, 0.1}},
        {"Valve, Gate valve, standard, β = 1", ThreeK{300, 0.037, 3.9}}},
    {"1/4-closed", {"no row: Hooper's valves are fully open", {}},
        {"no row: Darby's valves are fully open", {}}},
    {"1/2-closed", {"no row: Hooper's valves are fully open", {}},
        {"no row: Darby's valves are fully open", {}}},
    {"3/4-closed", {"no row: Hooper's valves are fully open", {}},
        {"no row: Darby's valves are fully open", {}}},
    {"Membrane valve", {"Valve, Diaphragm, Dam type", TwoK{1000, 2}},
        {"Valve, Diaphragm, dam type", ThreeK{1000, 0.69, 4.9}}},
    // Hooper tabulates gate, ball and plug valves of full line size in one row, which
    // fluids files under "Gate".
    {"Ball valve (spherical plug valve)", {"Valve, Gate, Full line size, Beta = 1", TwoK{300, 0.1}},
        {"Valve, Ball valve, standard, β = 1", ThreeK{300, 0.017, 3.5}}},
    {"Needle valve", {"no row: Hooper has no needle valve", {}},
        {"no row: Darby has no needle valve", {}}},
    {"Butterfly valve (larger then 6 inch)", {"Valve, Butterfly,", TwoK{800, 0.25}},
        {"no row: Darby has no butterfly valve", {}}},
    {"Globe valve", {"Valve, Globe, Standard", TwoK{1500, 4}},
        {"Valve, Globe valve, standard, β = 1", ThreeK{1500, 1.7, 3.6}}},
    {"Nozzle (suction nozzle on vessel)", {"no row: Hooper's fitting table has no entrance", {}},
        {"no row: Darby's fitting table has no entrance", {}}},
    // Hooper's and Darby's lift checks are globe-type valves, some four times the loss of
    // an in-line ball check.
    {"Check valve (in-line ball type)",
        {"no row: Hooper's check valves are lift (globe type), swing and tilting-disc", {}},
        {"no row: Darby's check valves are swing and lift (globe type)", {}}},
    {"Check valve (swing type)", {"Valve, Check, Swing", TwoK{1500, 1.5}},
        {"Valve, Swing check", ThreeK{1500, 0.46, 4}}},
    {"Filter (Y-type and bucket type)", {"no row: Hooper has no strainer", {}},
        {"no row: Darby has no strainer", {}}},
}};

// Nominal pipe sizes (inches) with their Schedule 40 inner diameters (mm), ASME B36.10M.
struct Schedule40
{
    double nps;
    double innerDiameter;
};
constexpr std::array<Schedule40, 26> Schedule40Sizes = {{
    {0.125, 6.84},
    {0.25, 9.22},
    {0.375, 12.48},
    {0.5, 15.76},
    {0.75, 20.96},
    {1, 26.64},
    {1.25, 35.08},
    {1.5, 40.94},
    {2, 52.48},
    {2.5, 62.68},
    {3, 77.92},
    {3.5, 90.12},
    {4, 102.26},
    {5, 128.2},
    {6, 154.08},
    {8, 202.74},
    {10, 254.46},
    {12, 303.18},
    {14, 333.34},
    {16, 381},
    {18, 428.46},
    {20, 477.82},
    {24, 575.04},
    {32, 778.04},
    {34, 829.04},
    {36, 875.9},
}};

} // namespace

std::span<const FittingType, FittingTypeCount> fittingTypes()
{
    return Types;
}

double twoK(const TwoK &row, double reynolds, double innerDiameter)
{
    return row.k1 / reynolds + row.kInf * (1 + 1 / innerDiameter);
}

double threeK(const ThreeK &row, double reynolds, double nps)
{
    return row.k1 / reynolds + row.ki * (1 + row.kd / std::pow(nps, 0.3));
}

double fullyTurbulentFrictionFactor(double roughness, double diameter)
{
    // The roughness term of the friction factor search, and its equation without the
    // Reynolds term.
    const double r = roughness / (3.7 * diameter);
    if (!(r > 0 && r < 1))
        return NaN;
    return std::pow(-2 * Log10(r), -2);
}

NominalSize nominalSize(double innerDiameter)
{
    const Schedule40 *nearest = &Schedule40Sizes.front();
    for (const Schedule40 &size : Schedule40Sizes) {
        if (std::abs(size.innerDiameter - innerDiameter)
            < std::abs(nearest->innerDiameter - innerDiameter))
            nearest = &size;
    }
    return {nearest->nps, nearest->innerDiameter};
}

Conditions conditions(const Inputs &in, double reynolds)
{
    return {reynolds, Physics::inchesOf(in.InnerDiameter), nominalSize(in.InnerDiameter).nps};
}

double coefficient(FittingMethod method, int type, const Conditions &at)
{
    const FittingType &t = Types[size_t(type)];
    if (method == FittingMethod::TwoK && t.twoK.row)
        return twoK(*t.twoK.row, at.reynolds, at.innerDiameterInches);
    if (method == FittingMethod::ThreeK && t.threeK.row)
        return threeK(*t.threeK.row, at.reynolds, at.nps);
    return NaN;
}

double resistance(const CaseInput &c, double reynolds)
{
    if (c.fittings == FittingMethod::Crane) {
        // K = f_T l/d for every fitting: f_T times the sum of their l/d.
        const double ld = c.bendsLd + c.valvesLd;
        const double fT
            = fullyTurbulentFrictionFactor(c.inputs.WallRoughness, c.inputs.InnerDiameter);
        return ld == 0 || std::isnan(fT) ? 0 : fT * ld;
    }
    const Conditions at = conditions(c.inputs, reynolds);
    double sum = 0;
    for (int type = 0; type < FittingTypeCount; ++type) {
        const int count = c.counts[type];
        if (count == 0)
            continue;
        const double k = coefficient(c.fittings, type, at);
        if (!std::isnan(k))
            sum += count * k;
    }
    return sum;
}

std::vector<int> uncovered(const CaseInput &c)
{
    std::vector<int> types;
    const bool noFullyTurbulent = c.fittings == FittingMethod::Crane
        && std::isnan(fullyTurbulentFrictionFactor(c.inputs.WallRoughness, c.inputs.InnerDiameter));
    for (int type = 0; type < FittingTypeCount; ++type) {
        if (c.counts[type] == 0)
            continue;
        const FittingType &t = Types[size_t(type)];
        const bool without = (c.fittings == FittingMethod::TwoK && !t.twoK.row)
            || (c.fittings == FittingMethod::ThreeK && !t.threeK.row) || noFullyTurbulent;
        if (without)
            types.push_back(type);
    }
    return types;
}

} // namespace FittingResistance
