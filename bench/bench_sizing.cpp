#include "sizing/linesizing.h"
#include "sizing/pipetable.h"
#include "sizing/sizingtable.h"

#include <benchmark/benchmark.h>

namespace {

// Water at 10000 l/h through 100 m with fittings: turbulent in every built-in pipe.
Inputs waterCase()
{
    Inputs in;
    in.FlowRate = 10000;
    in.PipeLength = 100;
    in.Elevation = 2;
    return in;
}

// What the window does after each recalculation of the main window: the 26 rows of
// the picker's tables for the case (target: under 100 us).
void BM_Sizing_AllBuiltInRows(benchmark::State &state)
{
    const Inputs in = waterCase();
    for (auto _ : state) {
        const auto rows
            = LineSizing::rows(PipeTable::builtIn(PipeTable::Standard::All), {in, 120, 40});
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_Sizing_AllBuiltInRows)->Unit(benchmark::kMicrosecond);

// The same rows with every cell's text as the table shows it.
void BM_Sizing_AllBuiltInRowsWithTexts(benchmark::State &state)
{
    const Inputs in = waterCase();
    const QLocale locale = QLocale::c();
    for (auto _ : state) {
        const auto rows
            = LineSizing::rows(PipeTable::builtIn(PipeTable::Standard::All), {in, 120, 40});
        for (const SizingRow &row : rows) {
            for (int c = 0; c < SizingTable::ColumnCount; ++c)
                benchmark::DoNotOptimize(SizingTable::text(row, SizingTable::Column(c), locale));
        }
    }
}
BENCHMARK(BM_Sizing_AllBuiltInRowsWithTexts)->Unit(benchmark::kMicrosecond);

// The export: rows and CSV bytes.
void BM_Sizing_Csv(benchmark::State &state)
{
    const auto rows
        = LineSizing::rows(PipeTable::builtIn(PipeTable::Standard::All), {waterCase(), 120, 40});
    for (auto _ : state)
        benchmark::DoNotOptimize(SizingTable::csv(rows));
}
BENCHMARK(BM_Sizing_Csv)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
