#include "project/dvlnotation.h"

#include <charconv>
#include <cmath>

namespace DvlFile {

namespace {

constexpr qsizetype MaxQuoted = 40;

// A run of exactly `count` digits at `at`, or -1.
int digitsAt(QStringView s, qsizetype at, int count)
{
    if (at + count > s.size())
        return -1;
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const QChar c = s[at + i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

bool isUnprintable(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

QString escaped(QChar c)
{
    const bool byte = c.unicode() <= 0xFF;
    const QString hex = QString::number(c.unicode(), 16).toUpper();
    return (byte ? QStringLiteral("\\x") : QStringLiteral("\\u"))
        + hex.rightJustified(byte ? 2 : 4, QLatin1Char('0'));
}

} // namespace

FileNumber fileNumber(QStringView s)
{
    const qsizetype n = s.size();
    if (n == 0 || n > 64)
        return {};
    // Most values are whole numbers of a few digits (every count is): exact without
    // the general conversion.
    if (n <= 15) {
        qint64 whole = 0;
        qsizetype i = s[0] == QLatin1Char('-') ? 1 : 0;
        const qsizetype first = i;
        while (i < n && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9'))
            whole = whole * 10 + (s[i++].unicode() - '0');
        if (i == n && i > first)
            return {NumberStatus::Ok, first == 1 ? -double(whole) : double(whole)};
    }
    char buffer[65];
    qsizetype i = 0;
    int len = 0;
    auto digitsFrom = [&](qsizetype &at) {
        qsizetype count = 0;
        while (at < n && s[at] >= QLatin1Char('0') && s[at] <= QLatin1Char('9')) {
            buffer[len++] = char(s[at].unicode());
            ++at;
            ++count;
        }
        return count;
    };
    if (s[i] == QLatin1Char('-'))
        buffer[len++] = '-', ++i;
    else if (s[i] == QLatin1Char('+'))
        ++i;
    qsizetype mantissaDigits = digitsFrom(i);
    if (i < n && s[i] == QLatin1Char('.')) {
        buffer[len++] = '.';
        ++i;
        mantissaDigits += digitsFrom(i);
    }
    if (mantissaDigits == 0)
        return {};
    if (i < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        buffer[len++] = 'e';
        ++i;
        if (i < n && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+')))
            buffer[len++] = char(s[i++].unicode());
        if (digitsFrom(i) == 0)
            return {};
    }
    if (i != n)
        return {};
    double value = 0;
    const auto r = std::from_chars(buffer, buffer + len, value);
    if (r.ec == std::errc::result_out_of_range || (r.ec == std::errc() && !std::isfinite(value)))
        return {NumberStatus::OutOfRange, 0};
    if (r.ec != std::errc() || r.ptr != buffer + len)
        return {};
    return {NumberStatus::Ok, value};
}

std::optional<CaseDate> fileDate(QStringView s)
{
    s = s.trimmed();
    if (s.size() < 10 || s[4] != QLatin1Char('-') || s[7] != QLatin1Char('-'))
        return std::nullopt;
    const QDate date(digitsAt(s, 0, 4), digitsAt(s, 5, 2), digitsAt(s, 8, 2));
    if (!date.isValid() || date.year() < 1)
        return std::nullopt;
    const QStringView rest = s.mid(10).trimmed();
    if (rest.isEmpty())
        return CaseDate{date, {}, false};
    if ((rest.size() != 5 && rest.size() != 8) || rest[2] != QLatin1Char(':')
        || (rest.size() == 8 && rest[5] != QLatin1Char(':')))
        return std::nullopt;
    const int seconds = rest.size() == 8 ? digitsAt(rest, 6, 2) : 0;
    const QTime time(digitsAt(rest, 0, 2), digitsAt(rest, 3, 2), seconds);
    if (!time.isValid())
        return std::nullopt;
    return CaseDate{date, time, true};
}

QString quotedValue(QStringView text, QChar mark)
{
    QString out = mark;
    qsizetype i = 0;
    for (qsizetype shown = 0; i < text.size() && shown < MaxQuoted; ++i, ++shown) {
        const QChar c = text[i];
        // A character beyond the 16-bit range is one character of two halves.
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else {
            out += isUnprintable(c) ? escaped(c) : QString(c);
        }
    }
    if (i < text.size())
        out += QStringLiteral("...");
    return out + mark;
}

} // namespace DvlFile
