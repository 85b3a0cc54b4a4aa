#include "fluid/fluidproperties.h"
#include "numerics/water.h"

#include <benchmark/benchmark.h>

namespace {

// The two equations behind one water request: IF97 region 1 for the density, then the
// 2008 viscosity at that density. Cooling water at 60 °C and atmospheric pressure.
void BM_WaterProperties(benchmark::State &state)
{
    double temperature = 333.15; // K
    double pressure = 0.101325; // MPa
    for (auto _ : state) {
        benchmark::DoNotOptimize(temperature);
        benchmark::DoNotOptimize(pressure);
        const double density = Water::density(temperature, pressure);
        benchmark::DoNotOptimize(Water::viscosity(temperature, density));
    }
}

// The whole request as the window and the command make it: range checks with the
// saturation temperature, and the texts of source and range.
void BM_WaterRequest(benchmark::State &state)
{
    FluidRequest request;
    request.temperature = 60;
    const QLocale c = QLocale::c();
    for (auto _ : state)
        benchmark::DoNotOptimize(fluidProperties(request, c));
}

void BM_GlycolRequest(benchmark::State &state)
{
    FluidRequest request;
    request.fluid = Fluid::PropyleneGlycol;
    request.concentration = 30;
    request.temperature = 5;
    const QLocale c = QLocale::c();
    for (auto _ : state)
        benchmark::DoNotOptimize(fluidProperties(request, c));
}

} // namespace

BENCHMARK(BM_WaterProperties);
BENCHMARK(BM_WaterRequest);
BENCHMARK(BM_GlycolRequest);
BENCHMARK_MAIN();
