// The main window: start-up until the window is shown, one leave check with its
// recalculation, and the memory the running window takes. Runs on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise.
#include "calc/basgeneral.h"
#include "shell/frmstart.h"
#include "shell/startup.h"
#include "widgets/windowdialogs.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrinter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

// Answers every prompt with 1 and shows nothing: the start-up and the leave check
// measured here meet no prompt, and a stray one must not block.
class SilentDialogs : public WindowDialogs
{
public:
    QString inputBox(const QString &, const QString &, const QString &) override
    {
        return QStringLiteral("1");
    }
    void messageBox(const QString &, Icon, const QString &) override { }
    bool question(const QString &) override { return false; }
    QString openFileName(const FileDialogSetup &) override { return {}; }
    QString saveFileName(const FileDialogSetup &) override { return {}; }
    bool choosePrinter(QPrinter &) override { return false; }
};

// Resident memory of this process in MB, from /proc/self/status.
double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

// The start procedure up to the main window on screen, all pending events handled.
void BM_StartUntilShown(benchmark::State &state)
{
    SilentDialogs dialogs;
    for (auto _ : state) {
        BasGeneral general;
        std::unique_ptr<frmStart> window = basGeneralMain(general, dialogs);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window->isVisible());
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUntilShown)->Unit(benchmark::kMillisecond);

// The whole program started once: what it holds in memory while it runs.
void BM_ResidentMemory(benchmark::State &state)
{
    SilentDialogs dialogs;
    BasGeneral general;
    std::unique_ptr<frmStart> window = basGeneralMain(general, dialogs);
    QCoreApplication::processEvents();
    for (auto _ : state)
        benchmark::DoNotOptimize(residentMegabytes());
    state.counters["VmRSS_MB"] = residentMegabytes();
}
BENCHMARK(BM_ResidentMemory)->Iterations(1);

// Enter in the inner diameter field of a turbulent case: the leave check, Calc and
// every field written on screen; Up goes back for the next round. Two checks a round.
void BM_LeaveCheckByKeys(benchmark::State &state)
{
    SilentDialogs dialogs;
    BasGeneral general;
    frmStart window(general, dialogs);
    window.show();
    window.activateWindow();
    for (int i = 0; i < 50 && !window.isActiveWindow(); ++i)
        QCoreApplication::processEvents();
    window.setText0(9, QStringLiteral("50"));
    window.sheet().general().FlowRate = 10000;
    window.setText0(1, QStringLiteral("10000"));
    window.Text0(4)->setFocus();

    bool even = false;
    for (auto _ : state) {
        QLineEdit *field = window.Text0(4);
        field->setText(even ? QStringLiteral("50") : QStringLiteral("51"));
        even = !even;
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(field, &enter);
        QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(window.Text0(23), &up);
    }
    state.SetItemsProcessed(state.iterations() * 2);
    if (window.statusText() != QStringLiteral("Flow is Turbulent"))
        state.SkipWithError("the case did not compute");
}
BENCHMARK(BM_LeaveCheckByKeys)->Unit(benchmark::kMicrosecond);

// The leave check itself, as a tool window's hand-over runs it.
void BM_LeaveCheckHandOver(benchmark::State &state)
{
    SilentDialogs dialogs;
    BasGeneral general;
    frmStart window(general, dialogs);
    window.show();
    window.setText0(1, QStringLiteral("10000"));
    window.sheet().general().FlowRate = 10000;
    bool even = false;
    for (auto _ : state) {
        window.setText0(4, even ? QStringLiteral("50") : QStringLiteral("51"));
        even = !even;
        window.handOver(4);
    }
}
BENCHMARK(BM_LeaveCheckHandOver)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform says on every window that it cannot raise it.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtDebugMsg && type != QtWarningMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
