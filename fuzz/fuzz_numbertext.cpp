// libFuzzer target: numeric text as typed into a field, in a point and a comma locale,
// and the display formats of whatever it accepts.
#include "calc/numbertext.h"
#include "project/dvlfile.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void check(const QString &text, const QLocale &locale)
{
    const std::optional<double> value = NumberText::parse(text, locale);
    if (!value)
        return;
    if (!std::isfinite(*value))
        abort();

    // Every display format of an accepted number is itself numeric text again.
    for (int decimals : {0, 1, 2, 4, 5}) {
        if (!NumberText::parse(NumberText::fixed(*value, decimals, locale), locale))
            abort();
    }
    if (!NumberText::parse(NumberText::scientific(*value, locale), locale))
        abort();
    if (!NumberText::parse(NumberText::plain(*value, locale), locale))
        abort();

    // The project file's notation reads back to the very same double.
    const QByteArray fileText = DvlFile::numberText(*value);
    bool ok = false;
    const double back = QLocale::c().toDouble(QString::fromLatin1(fileText), &ok);
    if (!ok || std::memcmp(&back, &*value, sizeof back) != 0)
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    static const QLocale point = QLocale::c();
    static const QLocale comma(QLocale::Dutch, QLocale::Netherlands);
    check(text, point);
    check(text, comma);
    return 0;
}
