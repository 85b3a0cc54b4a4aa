#pragma once

// The locale a test run uses, taken from the environment as the program takes it
// (LC_ALL, then LANG): CTest runs the window and batch tests once under C.UTF-8 and
// once under nl_NL.UTF-8, so expectations are written through these helpers.

#include "project/datetext.h"

#include <QLocale>
#include <QString>
#include <QStringList>

namespace TestLocale {

// What QLocale() gives a program that never sets a default: the system locale.
inline QLocale locale()
{
    return QLocale::system();
}

// A number as the test run's locale writes it: "0.0201" becomes "0,0201" under a
// comma-decimal locale. Only a point followed by a digit is a decimal point, so texts
// such as "n.a." or "new.dvl" pass unchanged; the tests write their numbers without
// group separators, as the program shows them.
inline QString num(const QString &cText)
{
    const QString point = locale().decimalPoint();
    QString out;
    out.reserve(cText.size());
    for (qsizetype i = 0; i < cText.size(); ++i) {
        const bool decimal
            = cText[i] == QLatin1Char('.') && i + 1 < cText.size() && cText[i + 1].isDigit();
        if (decimal)
            out += point;
        else
            out += cText[i];
    }
    return out;
}

// Each text of a list through num().
inline QStringList num(const QStringList &cTexts)
{
    QStringList out;
    for (const QString &t : cTexts)
        out << num(t);
    return out;
}

inline QString num(const char *cText)
{
    return num(QString::fromLatin1(cText));
}

// A date as the windows show it in the test run's locale.
inline QString date(const CaseDate &value)
{
    return DateText::toText(value, locale());
}

inline bool commaDecimal()
{
    return locale().decimalPoint() == QLatin1String(",");
}

} // namespace TestLocale

// The test run's locale, for QLocale::setDefault(testLocale()).
inline QLocale testLocale()
{
    return TestLocale::locale();
}

using TestLocale::num;
