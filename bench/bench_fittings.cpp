#include "appendages/fittings.h"
#include "calc/calcengine.h"
#include "curve/systemcurve.h"
#include "fittings/fittinglosses.h"

#include <benchmark/benchmark.h>

namespace {

// Water at 10000 l/h through 100 m of 50 mm pipe, turbulent.
CaseInput waterCase(const FittingCounts &counts)
{
    CaseInput c;
    c.inputs.FlowRate = 10000;
    c.inputs.InnerDiameter = 50;
    c.inputs.PipeLength = 100;
    c.inputs.Elevation = 5;
    c.counts = counts;
    const FittingTotals totals = fittingTotals(counts.bends, counts.valves);
    c.bendsLd = totals.bendsLd;
    c.valvesLd = totals.valvesLd;
    return c;
}

// Two of every type of both count windows.
FittingCounts everyType()
{
    FittingCounts counts;
    counts.bends.fill(2);
    counts.valves.fill(2);
    return counts;
}

// Types that Darby's table has rows for: elbows, tees, gate, globe and swing check valves.
FittingCounts darbyTypes()
{
    FittingCounts counts;
    counts.bends = {0, 0, 4, 2, 1, 1};
    counts.valves = {2, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0};
    return counts;
}

// What the Fitting losses window does after each calculation of the main window: every
// fitting of the case by every method, with the case's total by each (target: under
// 10 us).
void BM_Fittings_AllMethods(benchmark::State &state)
{
    const CaseInput c = waterCase(everyType());
    const CalcEngine::Outcome computed = CalcEngine::evaluate(c);
    for (auto _ : state)
        benchmark::DoNotOptimize(FittingLosses::of(c, computed));
}
BENCHMARK(BM_Fittings_AllMethods)->Unit(benchmark::kMicrosecond);

// The same without the main window's outcome, as zeptor-cli fittings does it.
void BM_Fittings_AllMethodsEvaluated(benchmark::State &state)
{
    const CaseInput c = waterCase(everyType());
    for (auto _ : state)
        benchmark::DoNotOptimize(FittingLosses::of(c));
}
BENCHMARK(BM_Fittings_AllMethodsEvaluated)->Unit(benchmark::kMicrosecond);

// A 200-point system curve with the fittings by Darby's 3-K (target: under 1 ms), and
// by l/d beside it.
void BM_Fittings_Curve200(benchmark::State &state)
{
    const CaseInput c = waterCase(darbyTypes()).withFittings(FittingMethod(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(SystemCurve::points(c, 15000, 200));
}
BENCHMARK(BM_Fittings_Curve200)
    ->Arg(int(FittingMethod::ThreeK))
    ->Arg(int(FittingMethod::Ld))
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
