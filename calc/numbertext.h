#pragma once

#include <QLocale>
#include <QString>
#include <QtGlobal>

#include <optional>

// Numbers as the user types and reads them: parsing of numeric text and the display
// formats of the main window. Every function takes the locale to use; the default is
// the program's default locale (the user's, unless a test pins another).
namespace NumberText {

// The value of a text when the locale's parser accepts it whole: blanks around it, a
// sign, the locale's decimal separator, an exponent. Group separators, infinities, NaN
// and values that overflow a double are refused. An empty text is not a number.
std::optional<double> parse(const QString &text, const QLocale &locale = QLocale());
bool isNumber(const QString &text, const QLocale &locale = QLocale());

// Fixed-point with exactly `decimals` decimals: the formats "0", "0.0", "0.00",
// "0.0000" and "0.00000". No group separators; exact ties round away from zero.
QString fixed(double value, int decimals, const QLocale &locale = QLocale());

// The decimal point and minus sign of a locale, looked up once for many texts: every
// lookup of a system locale's symbol asks the system and takes a lock.
struct Symbols
{
    QLocale locale; // the locale, with group separators refused and omitted
    QString point;
    QString minus;
    bool asciiDigits = true; // the locale writes its digits as 0-9
};
Symbols symbols(const QLocale &locale = QLocale());
// The same as the functions above for symbols.locale, without looking the symbols up again.
std::optional<double> parse(const QString &text, const Symbols &symbols);
QString fixed(double value, int decimals, const Symbols &symbols);
QString scientific(double value, const Symbols &symbols);
QString plain(double value, const Symbols &symbols);

// The format "Scientific": 1234567 gives 1.23E+06.
QString scientific(double value, const QLocale &locale = QLocale());

// The plain text of a number: 15 significant digits without trailing zeros; decimal
// notation from 1E-04 up to but not including 1E+15, exponent form (1E-05, 1.5E+20)
// outside that range.
QString plain(double value, const QLocale &locale = QLocale());

// Conversion to a whole number: the nearest one, halves to the even neighbour.
// Empty when the value lies outside the target type.
std::optional<qint16> toInt16(double value);
std::optional<qint32> toInt32(double value);

} // namespace NumberText
