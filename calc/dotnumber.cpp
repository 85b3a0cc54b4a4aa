#include "calc/dotnumber.h"

#include <charconv>
#include <cmath>

namespace DotNumber {

std::optional<double> parse(QByteArrayView text)
{
    text = text.trimmed();
    const char *begin = text.data();
    const char *end = begin + text.size();
    // from_chars takes no "+" sign; a leading one is allowed as people type it.
    if (begin != end && *begin == '+' && end - begin > 1 && begin[1] != '-')
        ++begin;
    double value = 0;
    const auto r = std::from_chars(begin, end, value);
    if (begin == end || r.ec != std::errc() || r.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

void append(QByteArray &out, double value)
{
    if (!std::isfinite(value))
        return;
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, r.ptr - buffer);
}

QByteArray text(double value)
{
    QByteArray out;
    append(out, value);
    return out;
}

} // namespace DotNumber
