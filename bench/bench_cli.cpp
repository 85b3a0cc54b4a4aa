// zeptor-cli json over 10,000 project files in one process, through the same code
// that the executable runs (Batch::run), on one and on two workers. Target: at least
// 50,000 files per second on two cores. bench/cli_vs_python.sh measures the executable
// from outside, beside a Python script and the bare file reads.
#include "cli/batchpool.h"
#include "cli/blockwriter.h"
#include "cli/pathsource.h"
#include "project/dvlfile.h"

#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int FileCount = 10000;

struct Workload
{
    std::unique_ptr<QTemporaryDir> dir;
    QStringList files;
};

// Cases like the examples: laminar, turbulent with and without fittings, a case
// with many fittings and project texts, and (when asked) the case whose friction
// factor search scans its whole range and finds nothing.
ProjectCase variant(int i, bool withNoRoot)
{
    ProjectCase c;
    c.date = {QDate(2026, 12, 7), QTime(9, 30), true};
    c.projectName = QStringLiteral("Cooling water, line %1").arg(i);
    c.owner = QStringLiteral("Process engineering");
    const double scale = 1 + (i % 997) / 1000.0;
    switch (i % (withNoRoot ? 5 : 4)) {
    case 0: // laminar start case
        c.entries.FlowRate = 100 * scale;
        break;
    case 1: // turbulent, straight pipe
        c.entries = {10000 * scale, 1000, 1, 50, 100, 0, 0, 0.01};
        break;
    case 2: // turbulent with elevation, extra loss and 50 l/d of fittings
        c.entries = {10000 * scale, 1000, 1, 50, 100, 5, 0.2, 0.05};
        c.bendCounts[1] = 2;
        c.valveCounts[5] = 1;
        break;
    case 3: // many fittings
        c.entries = {25000 * scale, 998.2, 0.89, 80.9, 45, 3.5, 0.15, 0.045};
        c.bendCounts = {0, 4, 2, 0, 1, 1};
        c.valveCounts = {2, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1};
        break;
    default: // no friction factor in the scanned range
        c.entries = {2827433.388 * scale, 1000, 0.001, 1000, 1000, 0, 0, 0.0001};
        break;
    }
    return c;
}

Workload makeWorkload(bool withNoRoot)
{
    Workload w;
    w.dir = std::make_unique<QTemporaryDir>();
    for (int i = 0; i < FileCount; ++i) {
        const QString path
            = w.dir->filePath(QStringLiteral("case%1.dvl").arg(i, 5, 10, QLatin1Char('0')));
        if (!DvlFile::save(path, variant(i, withNoRoot)).ok)
            qFatal("cannot write %s", qPrintable(path));
        w.files << path;
    }
    return w;
}

void runJson(benchmark::State &state, bool withNoRoot)
{
    Batch::prepareProcess();
    static const Workload typical = makeWorkload(false);
    static const Workload mixed = makeWorkload(true);
    const Workload &w = withNoRoot ? mixed : typical;
    const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (devNull < 0)
        state.SkipWithError("cannot open /dev/null");
    const int jobs = int(state.range(0));
    for (auto _ : state) {
        PathSource paths(w.files);
        BlockWriter out(devNull);
        const int status = Batch::run(Batch::Mode::Json, jobs, paths, out, devNull);
        if (status != Batch::ExitOk)
            state.SkipWithError("a file failed");
    }
    ::close(devNull);
    state.SetItemsProcessed(state.iterations() * FileCount);
    state.counters["files_per_second"]
        = benchmark::Counter(double(state.iterations() * FileCount), benchmark::Counter::kIsRate);
}

void BM_JsonTypicalCases(benchmark::State &state)
{
    runJson(state, false);
}

// One case in five scans the whole friction factor range without finding a root.
void BM_JsonWithNoRootCases(benchmark::State &state)
{
    runJson(state, true);
}

void BM_ReportTypicalCase(benchmark::State &state)
{
    static const Workload w = makeWorkload(false);
    Batch::Runner runner;
    for (auto _ : state)
        benchmark::DoNotOptimize(runner.runFile(Batch::Mode::Report, w.files.at(3)));
}

// Reading and parsing one file, the part of the work that goes to the disk.
void BM_StageReadFile(benchmark::State &state)
{
    static const Workload w = makeWorkload(false);
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(DvlFile::load(w.files.at(i++ % FileCount)));
}

} // namespace

BENCHMARK(BM_StageReadFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JsonTypicalCases)
    ->ArgName("jobs")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2)
    ->UseRealTime();
BENCHMARK(BM_JsonWithNoRootCases)
    ->ArgName("jobs")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2)
    ->UseRealTime();
BENCHMARK(BM_ReportTypicalCase)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
