#pragma once

#include <QByteArray>

#include <charconv>
#include <cmath>

// The shortest text that reads back to the same double, with "." whatever the locale;
// the empty text for a value that is not finite. Files that other programs read (CSV)
// use it, so that they hold the same bytes under every locale.
inline QByteArray exactNumber(double value)
{
    if (!std::isfinite(value))
        return {};
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, r.ptr - buffer);
}
