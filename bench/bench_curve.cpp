#include "curve/pumpcurve.h"
#include "curve/systemcurve.h"
#include "curve/ui/curveplot.h"
#include "curve/ui/systemcurvewindow.h"
#include "widgets/windowdialogs.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace {

class SilentDialogs : public WindowDialogs
{
public:
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    void messageBox(const QString &, Icon, const QString &) override { }
    QString openFileName(const FileDialogSetup &) override { return pumpFile; }
    QString saveFileName(const FileDialogSetup &) override { return {}; }
    bool question(const QString &) override { return false; }
    bool choosePrinter(QPrinter &) override { return false; }

    QString pumpFile;
};

// 10000 l/h of water through 100 m of 50 mm pipe with a few fittings.
Inputs waterCase()
{
    Inputs in;
    in.FlowRate = 10000;
    in.InnerDiameter = 50;
    in.PipeLength = 100;
    in.Elevation = 5;
    return in;
}

PumpCurve pump()
{
    return PumpCurve({{0, 14, 0, 1}, {4000, 13.8, 35, 1.1}, {8000, 13, 55, 1.3},
                         {12000, 11.5, 66, 1.7}, {16000, 9.2, 68, 2.4}, {20000, 6, 60, 3.5}},
        true, true);
}

void curve200(benchmark::State &state)
{
    const Inputs in = waterCase();
    for (auto _ : state)
        benchmark::DoNotOptimize(SystemCurve::points({in, 60, 340}, 15000, 200));
}
BENCHMARK(curve200)->Unit(benchmark::kMicrosecond);

void dutyPoint(benchmark::State &state)
{
    const Inputs in = waterCase();
    const PumpCurve p = pump();
    for (auto _ : state)
        benchmark::DoNotOptimize(SystemCurve::dutyPoint({in, 60, 340}, p));
}
BENCHMARK(dutyPoint)->Unit(benchmark::kMicrosecond);

// The suction side: 5 m of 65 mm pipe, the liquid 2 m above the pump.
SystemCurve::System pumpedLine()
{
    Inputs suction = waterCase();
    suction.InnerDiameter = 65;
    suction.PipeLength = 5;
    suction.Elevation = -2;
    return {
        {waterCase(), 60, 340}, CaseInput{suction, 20, 13}, SystemCurve::ExtraLoss::FollowsFlow};
}

// 200 points of the whole line with the NPSH available of water at 20 C.
void curve200WithSuction(benchmark::State &state)
{
    const SystemCurve::System system = pumpedLine();
    SystemCurve::NpshSettings npsh;
    npsh.vapourPressure = 0.023393;
    for (auto _ : state) {
        double sum = 0;
        for (double flow : SystemCurve::flows(15000, 200)) {
            const SystemCurve::SystemPoint p = SystemCurve::systemAt(system, flow);
            sum += p.head() + SystemCurve::npshAvailable(system, npsh, p);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(curve200WithSuction)->Unit(benchmark::kMicrosecond);

void dutyOfTwoPumpsInParallel(benchmark::State &state)
{
    const SystemCurve::System system = pumpedLine();
    const PumpSet pumps(pump(), 100, 2, Arrangement::Parallel);
    SystemCurve::NpshSettings npsh;
    npsh.vapourPressure = 0.023393;
    for (auto _ : state)
        benchmark::DoNotOptimize(SystemCurve::dutyPoint(system, pumps, &npsh));
}
BENCHMARK(dutyOfTwoPumpsInParallel)->Unit(benchmark::kMicrosecond);

void speedForFlow(benchmark::State &state)
{
    const SystemCurve::System system = pumpedLine();
    const PumpCurve p = pump();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            SystemCurve::speedForFlow(system, p, 1, Arrangement::Single, 9000));
}
BENCHMARK(speedForFlow)->Unit(benchmark::kMicrosecond);

// setCase with a pump curve loaded: the curve, the duty point and one full drawing of
// the plot at a usual window size.
void redrawAfterSetCase(benchmark::State &state)
{
    QTemporaryDir dir;
    SilentDialogs dialogs;
    dialogs.pumpFile = dir.filePath(QStringLiteral("pump.csv"));
    if (!pump().save(dialogs.pumpFile).isEmpty())
        state.SkipWithError("the pump file cannot be written");
    SystemCurveWindow window(dialogs);
    window.loadPump();
    CurvePlot &plot = *window.plot();
    plot.resize(800, 520);
    QImage image(plot.size(), QImage::Format_ARGB32_Premultiplied);
    Inputs in = waterCase();
    for (auto _ : state) {
        in.PipeLength = in.PipeLength == 100 ? 101 : 100; // a new case each time
        window.setCase({in, 60, 340});
        QPainter painter(&image);
        plot.render(painter, QRectF(image.rect()));
    }
}
BENCHMARK(redrawAfterSetCase)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
