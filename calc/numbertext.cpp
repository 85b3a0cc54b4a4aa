#include "calc/numbertext.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
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
    return scaled == std::trunc(scaled) && std::fmod(scaled, 2.0) != 0;
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
    if (text.trimmed().isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = strict(locale).toDouble(text.trimmed(), &ok);
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
    return {locale, locale.decimalPoint(), locale.negativeSign()};
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
    // One allocation for the whole text: the digits, the locale's point and minus sign.
    QChar out[sizeof buffer + 16];
    qsizetype n = 0;
    for (const char *c = begin; c != r.ptr; ++c) {
        const QString *symbol = *c == '.' ? &symbols.point : *c == '-' ? &symbols.minus : nullptr;
        if (!symbol) {
            out[n++] = QLatin1Char(*c);
        } else if (symbol->size() <= 8) {
            for (QChar s : *symbol)
                out[n++] = s;
        }
    }
    return QString(out, n);
}

QString fixed(double value, int decimals, const QLocale &locale)
{
    return fixed(value, decimals, symbols(locale));
}

QString scientific(double value, const QLocale &locale)
{
    if (!std::isfinite(value))
        return NotFinite;
    return strict(locale).toString(value, 'E', 2);
}

QString plain(double value, const QLocale &locale)
{
    if (!std::isfinite(value))
        return NotFinite;
    if (value == 0)
        return QStringLiteral("0");

    // Round to 15 significant digits first; the exponent is the one after rounding.
    const QByteArray e = QByteArray::number(std::fabs(value), 'e', 14); // d.dddddddddddddde±x
    const int ePos = e.indexOf('e');
    QByteArray digits = e.left(ePos);
    digits.remove(1, 1); // the '.'
    const int exponent = e.mid(ePos + 1).toInt();
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);

    const QLocale l = strict(locale);
    const QString point = l.decimalPoint();
    QString out = value < 0 ? l.negativeSign() : QString();
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            out += QLatin1Char('0') + point + QString(-exponent - 1, QLatin1Char('0'))
                + QString::fromLatin1(digits);
        } else if (digits.size() <= exponent + 1) {
            out += QString::fromLatin1(digits)
                + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
        } else {
            out += QString::fromLatin1(digits.left(exponent + 1)) + point
                + QString::fromLatin1(digits.mid(exponent + 1));
        }
        return out;
    }
    out += QLatin1Char(digits.at(0));
    if (digits.size() > 1)
        out += point + QString::fromLatin1(digits.mid(1));
    out += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
    out += QString::number(std::abs(exponent)).rightJustified(2, QLatin1Char('0'));
    return out;
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
