#include "calc/numbertext.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace NumberText {

namespace {

QLocale strict(const QLocale &locale)
{
    QLocale l(locale);
    l.setNumberOptions(QLocale::RejectGroupSeparator | QLocale::OmitGroupSeparator);
    return l;
}

// Shown in place of a value that is not finite, so that no field ever reads "inf" or "nan".
const QString NotFinite = QStringLiteral("****");

// Drops the minus of a result that rounded to zero ("-0.00" reads as 0.00).
QString withoutNegativeZero(const QString &text, const QLocale &locale)
{
    const QString minus = locale.negativeSign();
    if (!text.startsWith(minus))
        return text;
    for (QChar c : text.mid(minus.size())) {
        if (c.isDigit() && c != QLatin1Char('0'))
            return text;
    }
    return text.mid(minus.size());
}

// True when the value lies exactly halfway between two numbers of `decimals` decimals.
// Such a value is m / 2^(decimals + 1) with m odd, since value * 10^decimals must end in .5.
bool isExactTie(double value, int decimals)
{
    const double scaled = std::ldexp(value, decimals + 1);
    if (std::fabs(scaled) >= 9007199254740992.0) // 2^53: too large to carry a fraction
        return false;
    // Below 2^53 the whole number is exact as an integer, whose lowest bit says odd.
    return scaled == std::trunc(scaled) && (static_cast<qint64>(scaled) & 1) != 0;
}

// The fixed-point text of the common field values by integer arithmetic: the value
// times 10^decimals, rounded to a whole number, is the text without its point. When
// the product lies so close to a half that the rounding of the multiplication could
// have picked the side, this gives up and std::to_chars decides from the exact value.
bool roundedDigits(double value, int decimals, char *buffer, char *&end)
{
    static constexpr double PowersOfTen[] = {1, 10, 100, 1000, 1e4, 1e5, 1e6};
    if (decimals < 0 || decimals > 6)
        return false;
    const double scaled = std::fabs(value) * PowersOfTen[decimals];
    if (!(scaled < 1e15))
        return false;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) <= scaled * 1e-15 + 1e-12)
        return false;
    unsigned long long n = static_cast<unsigned long long>(whole) + (fraction > 0.5 ? 1 : 0);

    char digits[24];
    int count = 0;
    do {
        digits[count++] = char('0' + n % 10);
        n /= 10;
    } while (n != 0);
    while (count <= decimals)
        digits[count++] = '0';

    char *out = buffer;
    if (value < 0)
        *out++ = '-'; // dropped again by the caller when every digit is 0
    for (int i = count - 1; i >= 0; --i) {
        *out++ = digits[i];
        if (i == decimals && decimals > 0)
            *out++ = '.';
    }
    end = out;
    return true;
}

// The text of the simple numbers that count and appendage fields hold ("12", "-3",
// "0.5" with the locale's point), read without QLocale's parser, which for the system
// locale asks the system for every symbol. Leading zeros, blanks, signs other than
// the minus, exponents and any other form are left to QLocale: empty here.
std::optional<double> simpleNumber(const QString &text, const Symbols &symbols)
{
    const qsizetype n = text.size();
    if (n == 0 || n > 40 || !symbols.asciiDigits || symbols.point.size() != 1
        || symbols.minus.size() != 1)
        return std::nullopt;
    const char16_t point = symbols.point.front().unicode();
    const char16_t minus = symbols.minus.front().unicode();
    char buffer[48];
    int len = 0;
    qsizetype i = 0;
    if (text[0].unicode() == minus) {
        buffer[len++] = '-';
        ++i;
    }
    auto digits = [&] {
        const qsizetype start = i;
        while (i < n && text[i].unicode() >= u'0' && text[i].unicode() <= u'9')
            buffer[len++] = char(text[i++].unicode());
        return i - start;
    };
    const qsizetype whole = digits();
    if (whole == 0 || (whole > 1 && text[i - whole] == QLatin1Char('0')))
        return std::nullopt;
    if (i < n && text[i].unicode() == point) {
        buffer[len++] = '.';
        ++i;
        if (digits() == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    double value = 0;
    const auto r = std::from_chars(buffer, buffer + len, value);
    if (r.ec != std::errc() || r.ptr != buffer + len)
        return std::nullopt;
    return value;
}

// The significant digits of a positive value rounded to 15 of them, without trailing
// zeros, and the decimal exponent of the first digit after rounding. Qt rounds exact
// ties away from zero and std::to_chars to even, so ties take Qt's way; an exact tie
// has 16 significant digits ending in 5, and is then its own shortest text.
void significantDigits(double magnitude, char *digits, int &count, int &exponent)
{
    // Whole numbers below 10^15, the usual entries and counts, have all their digits.
    if (magnitude < 1e15 && magnitude == std::floor(magnitude)) {
        const auto end = std::to_chars(digits, digits + 24, static_cast<qint64>(magnitude)).ptr;
        count = int(end - digits);
        exponent = count - 1;
        while (count > 1 && digits[count - 1] == '0')
            --count;
        return;
    }
    char text[40];
    auto r = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
    auto mantissaDigits = [&] {
        int n = 0;
        for (const char *c = text; *c != 'e'; ++c)
            n += *c != '.';
        return n;
    };
    *r.ptr = '\0';
    int n = mantissaDigits();
    if (n > 15) {
        const char *e = std::strchr(text, 'e');
        if (n == 16 && e[-1] == '5') {
            const QByteArray qt = QByteArray::number(magnitude, 'e', 14);
            std::memcpy(text, qt.constData(), size_t(qt.size()));
            r.ptr = text + qt.size();
        } else {
            r = std::to_chars(
                text, text + sizeof text, magnitude, std::chars_format::scientific, 14);
        }
        *r.ptr = '\0';
    }
    const char *e = std::strchr(text, 'e');
    count = 0;
    for (const char *c = text; c != e; ++c) {
        if (*c != '.')
            digits[count++] = *c;
    }
    while (count > 1 && digits[count - 1] == '0')
        --count;
    std::from_chars(e + 1 + (e[1] == '+'), r.ptr, exponent);
}

// The text of a number written with '.' and '-', with the locale's point and minus
// sign in their place (~ stands for an ASCII minus that stays), in one allocation. The
// text is at most 48 characters and each symbol at most 8, so 64 places suffice.
QString withSymbols(const char *begin, const char *end, const Symbols &symbols)
{
    char16_t out[64]; // left uninitialised: QChar's constructor would clear it first
    qsizetype n = 0;
    for (const char *c = begin; c != end; ++c) {
        const QString *symbol = *c == '.' ? &symbols.point : *c == '-' ? &symbols.minus : nullptr;
        if (!symbol) {
            out[n++] = char16_t(*c == '~' ? '-' : *c);
        } else if (symbol->size() <= 8) {
            for (QChar s : *symbol)
                out[n++] = s.unicode();
        }
    }
    return QString(reinterpret_cast<const QChar *>(out), n);
}

template<typename Int>
std::optional<Int> toWhole(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint rounds in the current rounding mode, which is to nearest with ties to even.
    const double rounded = std::nearbyint(value);
    if (rounded < double(std::numeric_limits<Int>::min())
        || rounded > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return Int(rounded);
}

} // namespace

std::optional<double> parse(const QString &text, const QLocale &locale)
{
    return parse(text, symbols(locale));
}

std::optional<double> parse(const QString &text, const Symbols &symbols)
{
    if (const std::optional<double> value = simpleNumber(text, symbols))
        return value;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = symbols.locale.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isNumber(const QString &text, const QLocale &locale)
{
    return parse(text, locale).has_value();
}

Symbols symbols(const QLocale &locale)
{
    const QLocale l = strict(locale);
    return {l, l.decimalPoint(), l.negativeSign(), l.zeroDigit() == QLatin1String("0")};
}

QString fixed(double value, int decimals, const Symbols &symbols)
{
    if (!std::isfinite(value))
        return NotFinite;
    if (isExactTie(value, decimals) || std::fabs(value) >= 1e17) {
        const QLocale l = strict(symbols.locale);
        return withoutNegativeZero(l.toString(value, 'f', decimals), l);
    }
    // Away from ties, std::to_chars rounds exactly as QLocale does, at a fraction of the
    // cost; Calc formats a dozen fields on every edit.
    char buffer[48];
    std::to_chars_result r{buffer, std::errc()};
    if (!roundedDigits(value, decimals, buffer, r.ptr))
        r = std::to_chars(
            buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    const char *begin = buffer;
    if (*begin == '-' && std::all_of(begin + 1, static_cast<const char *>(r.ptr), [](char c) {
            return c == '0' || c == '.';
        }))
        ++begin; // "-0.00" reads as 0.00
    return withSymbols(begin, r.ptr, symbols);
}

QString fixed(double value, int decimals, const QLocale &locale)
{
    return fixed(value, decimals, symbols(locale));
}

QString scientific(double value, const QLocale &locale)
{
    return scientific(value, symbols(locale));
}

QString scientific(double value, const Symbols &symbols)
{
    if (!std::isfinite(value))
        return NotFinite;
    return symbols.locale.toString(value, 'E', 2);
}

QString plain(double value, const QLocale &locale)
{
    return plain(value, symbols(locale));
}

QString plain(double value, const Symbols &symbols)
{
    if (!std::isfinite(value))
        return NotFinite;
    if (value == 0)
        return QStringLiteral("0");

    char digits[24];
    int count = 0;
    int exponent = 0;
    significantDigits(std::fabs(value), digits, count, exponent);

    // The text with '.' for the locale's point and '-' for its minus sign; the sign of
    // the exponent is always the ASCII one, written here as '~'.
    char text[48];
    char *out = text;
    if (value < 0)
        *out++ = '-';
    auto put = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            *out++ = i < count ? digits[i] : '0';
    };
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            *out++ = '0';
            *out++ = '.';
            for (int i = 0; i < -exponent - 1; ++i)
                *out++ = '0';
            put(0, count);
        } else if (count <= exponent + 1) {
            put(0, exponent + 1);
        } else {
            put(0, exponent + 1);
            *out++ = '.';
            put(exponent + 1, count);
        }
    } else {
        put(0, 1);
        if (count > 1) {
            *out++ = '.';
            put(1, count);
        }
        *out++ = 'E';
        *out++ = exponent < 0 ? '~' : '+';
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            *out++ = '0';
        out = std::to_chars(out, text + sizeof text, magnitude).ptr;
    }
    return withSymbols(text, out, symbols);
}

std::optional<qint16> toInt16(double value)
{
    return toWhole<qint16>(value);
}

std::optional<qint32> toInt32(double value)
{
    return toWhole<qint32>(value);
}

} // namespace NumberText
