#include "calc/basgeneral.h"
#include "calc/calcengine.h"
#include "calc/calcsheet.h"
#include "calc/dialogs.h"
#include "calc/frictionfactor.h"
#include "calc/numbertext.h"
#include "tests/support/literalscan.h"

#include <benchmark/benchmark.h>

#include <QLocale>

namespace {

// Cancels every prompt and shows nothing: the benchmarked cases need no prompt.
class SilentDialogs : public Dialogs
{
public:
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    void messageBox(const QString &, Icon, const QString &) override { }
    bool question(const QString &) override { return false; }
    QString openFileName(const FileDialogSetup &) override { return {}; }
    QString saveFileName(const FileDialogSetup &) override { return {}; }
};

// Worst case: no trial value fits. Typical: water at 10000 l/h in a 50 mm pipe.
struct SolverCase
{
    double roughness;
    double diameter;
    double reynolds;
};
constexpr SolverCase NoRoot{0.0001, 1000, 1e9};
constexpr SolverCase Typical{0.01, 50, 70735.53};

void runScan(benchmark::State &state, SolverCase c)
{
    for (auto _ : state) {
        double e = c.roughness;
        benchmark::DoNotOptimize(e);
        benchmark::DoNotOptimize(literalFrictionScan(e, c.diameter, c.reynolds));
    }
}

void runSearch(benchmark::State &state, SolverCase c)
{
    for (auto _ : state) {
        double e = c.roughness;
        benchmark::DoNotOptimize(e);
        benchmark::DoNotOptimize(frictionFactorOrZero(e, c.diameter, c.reynolds));
    }
}

void BM_LiteralScan_NoRoot(benchmark::State &state)
{
    runScan(state, NoRoot);
}
void BM_LiteralScan_Typical(benchmark::State &state)
{
    runScan(state, Typical);
}
void BM_Solver_NoRoot(benchmark::State &state)
{
    runSearch(state, NoRoot);
}
void BM_Solver_Typical(benchmark::State &state)
{
    runSearch(state, Typical);
}

// A whole calculation of the turbulent case: 10000 l/h of water, 50 mm, 100 m.
void BM_Calc_Turbulent(benchmark::State &state)
{
    QLocale::setDefault(QLocale::c());
    BasGeneral general;
    SilentDialogs dialogs;
    CalcSheet sheet(general, dialogs);
    sheet.Form_Load();
    general.FlowRate = 10000;
    general.InnerDiameter = 50;
    general.PipeLength = 100;
    for (auto _ : state) {
        // Alternate the length so that every field text changes on every call.
        general.PipeLength = general.PipeLength == 100 ? 101 : 100;
        sheet.Calc();
    }
    if (sheet.status() != QStringLiteral("Flow is Turbulent"))
        state.SkipWithError("the case is not turbulent");
}

// The same case through the pure calculation: every result, no texts.
void BM_CalcEngine_Turbulent(benchmark::State &state)
{
    Inputs in;
    in.FlowRate = 10000;
    in.InnerDiameter = 50;
    in.PipeLength = 100;
    for (auto _ : state) {
        in.PipeLength = in.PipeLength == 100 ? 101 : 100;
        benchmark::DoNotOptimize(CalcEngine::evaluate(in, 0, 0));
    }
    if (CalcEngine::evaluate(in, 0, 0).status != CalcEngine::Status::Turbulent)
        state.SkipWithError("the case is not turbulent");
}

// One field text in the format "0.0000": Calc writes sixteen of them.
void BM_FieldText_Fixed(benchmark::State &state)
{
    QLocale::setDefault(QLocale::c());
    double value = 40.2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(NumberText::fixed(value, 4));
    }
}

} // namespace

BENCHMARK(BM_LiteralScan_NoRoot)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiteralScan_Typical)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Solver_NoRoot)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_Solver_Typical)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_Calc_Turbulent)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CalcEngine_Turbulent)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_FieldText_Fixed)->Unit(benchmark::kNanosecond);

BENCHMARK_MAIN();
