// libFuzzer target: the pipe table reader; whatever it accepts is a table of named
// pipes with inner diameters above 0.
#include "sizing/pipetable.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const PipeTable::LoadResult table = PipeTable::parse(bytes, QStringLiteral("fuzz.csv"));
    if (!table.ok()) {
        if (table.errorMessage.isEmpty())
            abort();
        return 0;
    }
    if (table.pipes->empty())
        abort();
    for (const PipeSize &pipe : *table.pipes) {
        if (pipe.size.isEmpty() || pipe.standard != QLatin1String("fuzz.csv")
            || !std::isfinite(pipe.innerDiameter) || !(pipe.innerDiameter > 0))
            abort();
    }
    return 0;
}
