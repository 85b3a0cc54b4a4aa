#pragma once

#include "calc/record.h"

#include <QLocale>
#include <QString>

#include <optional>

// The project date as the windows and the report show it, and back.
namespace DateText {

// The user's short date form, with a four-digit year even where the locale's short
// form has two (so the text reads back to the same century), followed by a blank
// and the time as hh:mm:ss (24-hour clock) when the date carries a time of day.
QString toText(const CaseDate &date, const QLocale &locale = QLocale());

// The locale and its date form as toText() uses them, looked up once for many texts:
// every lookup of the system locale's date form asks the system and takes a lock.
struct Form
{
    QLocale locale;
    QString dateFormat; // the short form with a four-digit year
};
Form form(const QLocale &locale = QLocale());
QString toText(const CaseDate &date, const Form &form);

// Reads a date as the user may type it: the short form (two- or four-digit year,
// day and month with or without a leading zero), the long form or ISO yyyy-mm-dd,
// each optionally followed by a time of day (hh:mm:ss, hh:mm or the locale's time
// forms). A two-digit year is taken within 50 years of today. Every text that
// toText() produces reads back to the same date and time. Empty when the text is
// not a date.
std::optional<CaseDate> parse(const QString &text, const QLocale &locale = QLocale());

} // namespace DateText
