// libFuzzer target: the pump file reader, and the writer on whatever it accepts.
#include "curve/pumpcurve.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const PumpCurve::Read first = PumpCurve::fromCsv(bytes, QStringLiteral("fuzz.csv"));
    if (!first.ok()) {
        if (first.error.isEmpty())
            abort();
        return 0;
    }

    // Whatever the reader accepts, the writer must write so that it reads back the same.
    const QByteArray written = first.curve->toCsv();
    const PumpCurve::Read second = PumpCurve::fromCsv(written, QStringLiteral("fuzz.csv"));
    if (!second.ok() || second.curve->toCsv() != written)
        abort();
    return 0;
}
