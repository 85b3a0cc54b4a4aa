// libFuzzer target: the project file reader, and the writer on whatever it accepts.
#include "project/dvlfile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const DvlFile::LoadResult first = DvlFile::parse(bytes, QStringLiteral("fuzz.dvl"));
    if (!first.ok())
        return 0;

    // Whatever the reader accepts, the writer must write so that it reads back the same.
    const QByteArray written = DvlFile::format(*first.projectCase);
    const DvlFile::LoadResult second = DvlFile::parse(written, QStringLiteral("fuzz.dvl"));
    if (!second.ok())
        abort();
    if (DvlFile::format(*second.projectCase) != written)
        abort();
    return 0;
}
