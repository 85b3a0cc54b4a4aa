#include "project/datetext.h"
#include "project/dvlfile.h"

#include <benchmark/benchmark.h>

#include <QLocale>

namespace {

// A project file whose inner diameter is a megabyte of rubbish: the reader refuses it
// and its message quotes 40 characters of it.
QByteArray megabyteBadValue()
{
    QByteArray file = "100\r\n1000\r\n1\r\n" + QByteArray(1000000, 'x') + "\r\n";
    for (int i = 4; i < DvlFile::ValueCount; ++i)
        file += "0\r\n";
    return file;
}

void BM_ParseMegabyteBadValue(benchmark::State &state)
{
    const QByteArray bytes = megabyteBadValue();
    for (auto _ : state)
        benchmark::DoNotOptimize(DvlFile::parse(bytes, QStringLiteral("bad.dvl")).errorMessage);
}
BENCHMARK(BM_ParseMegabyteBadValue)->Unit(benchmark::kMillisecond);

// The most a line edit holds, pasted into the Date field: digits and blanks, each blank
// a possible border between a date and a time.
void BM_DateTextLongPaste(benchmark::State &state)
{
    QString text;
    while (text.size() < 32767)
        text += QStringLiteral("1 ");
    const QLocale dutch(QStringLiteral("nl_NL"));
    for (auto _ : state)
        benchmark::DoNotOptimize(DateText::parse(text, dutch));
}
BENCHMARK(BM_DateTextLongPaste)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
