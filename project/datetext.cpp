#include "project/datetext.h"

#include <QDateTime>
#include <QStringList>

namespace DateText {

namespace {

const QString TimeFormat = QStringLiteral("HH:mm:ss");

// No date form with a time of day runs to 80 characters in any locale Qt knows.
// A longer text is no date, and trying each of its blanks as the border between date
// and time would hold the window for seconds (a full line edit of "1 1 1 ...").
constexpr qsizetype MaxDateText = 128;

// Rewrites the runs of pattern letters of a date format ("dd", "MMM", "yy", ...);
// quoted literal text stays as it is.
template<typename Rewrite>
QString rewriteRuns(const QString &format, Rewrite rewrite)
{
    QString out;
    for (qsizetype i = 0; i < format.size();) {
        if (format[i] == QLatin1Char('\'')) {
            const qsizetype end = format.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype stop = end < 0 ? format.size() : end + 1;
            out += format.mid(i, stop - i);
            i = stop;
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == format[i])
            ++run;
        out += rewrite(format[i], run, format.mid(i, run));
        i += run;
    }
    return out;
}

// The locale's short date form with a two-digit year widened to four digits.
QString fourDigitYear(const QString &format)
{
    return rewriteRuns(format, [](QChar letter, qsizetype run, const QString &same) {
        return letter == QLatin1Char('y') && run == 2 ? QStringLiteral("yyyy") : same;
    });
}

// "dd" and "MM" read only two digits; "d" and "M" read one or two.
QString lenientDayMonth(const QString &format)
{
    return rewriteRuns(format, [](QChar letter, qsizetype run, const QString &same) {
        if (run == 2 && (letter == QLatin1Char('d') || letter == QLatin1Char('M')))
            return QString(letter);
        return same;
    });
}

bool hasTwoDigitYear(const QString &format)
{
    return format.contains(QStringLiteral("yy")) && !format.contains(QStringLiteral("yyyy"));
}

// Qt reads a two-digit year as 19xx; move it to the century nearest to today.
QDate withNearestCentury(const QDate &date)
{
    const int thisYear = QDate::currentDate().year();
    int year = (thisYear / 100) * 100 + date.year() % 100;
    if (year > thisYear + 49)
        year -= 100;
    else if (year < thisYear - 50)
        year += 100;
    return QDate(year, date.month(), date.day());
}

std::optional<QDate> parseDate(const QString &text, const QLocale &locale)
{
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    const QString longFormat = locale.dateFormat(QLocale::LongFormat);
    const QString formats[] = {
        fourDigitYear(shortFormat),
        lenientDayMonth(fourDigitYear(shortFormat)),
        shortFormat,
        lenientDayMonth(shortFormat),
        longFormat,
        locale.dateFormat(QLocale::NarrowFormat),
        QStringLiteral("yyyy-MM-dd"),
        QStringLiteral("yyyy-M-d"),
    };
    for (const QString &format : formats) {
        QDate date = locale.toDate(text, format);
        if (!date.isValid() && locale != QLocale::c())
            date = QLocale::c().toDate(text, format); // ISO and digits typed the ASCII way
        if (date.isValid())
            return hasTwoDigitYear(format) ? withNearestCentury(date) : date;
    }
    return std::nullopt;
}

std::optional<QTime> parseTime(const QString &text, const QLocale &locale)
{
    const QString formats[] = {
        TimeFormat,
        QStringLiteral("H:mm:ss"),
        QStringLiteral("H:mm"),
        locale.timeFormat(QLocale::ShortFormat),
        locale.timeFormat(QLocale::LongFormat),
    };
    for (const QString &format : formats) {
        QTime time = locale.toTime(text, format);
        if (!time.isValid())
            time = QLocale::c().toTime(text, format);
        if (time.isValid())
            return QTime(time.hour(), time.minute(), time.second());
    }
    return std::nullopt;
}

} // namespace

QString toText(const CaseDate &date, const QLocale &locale)
{
    return toText(date, form(locale));
}

Form form(const QLocale &locale)
{
    return {locale, fourDigitYear(locale.dateFormat(QLocale::ShortFormat))};
}

QString toText(const CaseDate &date, const Form &form)
{
    QString text = form.locale.toString(date.date, form.dateFormat);
    if (date.hasTime)
        text += QLatin1Char(' ') + form.locale.toString(date.time, TimeFormat);
    return text;
}

std::optional<CaseDate> parse(const QString &input, const QLocale &locale)
{
    const QString text = input.simplified();
    if (text.isEmpty() || text.size() > MaxDateText)
        return std::nullopt;
    if (const auto date = parseDate(text, locale))
        return CaseDate{*date, {}, false};

    // A date followed by a time: try each blank as the border, the last one first,
    // since long date forms and some time forms hold blanks of their own.
    for (qsizetype at = text.lastIndexOf(QLatin1Char(' ')); at > 0;
         at = text.lastIndexOf(QLatin1Char(' '), at - 1)) {
        const auto date = parseDate(text.left(at), locale);
        if (!date)
            continue;
        if (const auto time = parseTime(text.mid(at + 1), locale))
            return CaseDate{*date, *time, true};
    }
    const QDateTime iso = QDateTime::fromString(text, Qt::ISODate);
    if (iso.isValid()) {
        const QTime t = iso.time();
        return CaseDate{iso.date(), QTime(t.hour(), t.minute(), t.second()), true};
    }
    return std::nullopt;
}

} // namespace DateText
