#include "project/datetext.h"

#include <QTest>

class tst_DateText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shownTextReadsBack_data();
    void shownTextReadsBack();
    void typedForms_data();
    void typedForms();
    void everyLocalesLongestFormIsShortEnough();
};

void tst_DateText::shownTextReadsBack_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("expected"); // empty: not pinned

    const QDate today = QDate::currentDate();
    const QStringList locales
        = {"C", "en_US", "en_GB", "nl_NL", "de_DE", "fr_FR", "ja_JP", "ar_EG"};
    // Dates whose two-digit year would read back in another century.
    const QList<QDate> dates = {QDate(2026, 12, 7), QDate(1950, 1, 31), QDate(2099, 2, 28),
        QDate(1905, 7, 4), today.addYears(60), today.addYears(-70)};
    for (const QString &locale : locales) {
        for (const QDate &date : dates) {
            QTest::addRow("%s %s", qPrintable(locale), qPrintable(date.toString(Qt::ISODate)))
                << locale << date << QTime() << QString();
            QTest::addRow(
                "%s %s with time", qPrintable(locale), qPrintable(date.toString(Qt::ISODate)))
                << locale << date << QTime(7, 5, 9) << QString();
        }
    }
    QTest::newRow("de_DE four-digit year")
        << "de_DE" << QDate(2026, 12, 7) << QTime() << "07.12.2026";
    QTest::newRow("en_US four-digit year")
        << "en_US" << QDate(2026, 12, 7) << QTime(14, 30, 0) << "12/7/2026 14:30:00";
    QTest::newRow("nl_NL") << "nl_NL" << QDate(2026, 12, 7) << QTime() << "07-12-2026";
}

void tst_DateText::shownTextReadsBack()
{
    QFETCH(QString, locale);
    QFETCH(QDate, date);
    QFETCH(QTime, time);
    QFETCH(QString, expected);
    const QLocale l(locale);
    const CaseDate value{date, time, time.isValid()};
    const QString text = DateText::toText(value, l);
    if (!expected.isEmpty())
        QCOMPARE(text, expected);
    const auto back = DateText::parse(text, l);
    QVERIFY2(back.has_value(), qPrintable(text));
    QCOMPARE(back->date, date);
    QCOMPARE(back->hasTime, time.isValid());
    if (time.isValid())
        QCOMPARE(back->time, time);
}

void tst_DateText::typedForms_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date"); // invalid: not a date
    QTest::addColumn<QTime>("time");

    const int century = QDate::currentDate().year() / 100 * 100;
    QTest::newRow("de two-digit year") << "de_DE"
                                       << "07.12.26" << QDate(century + 26, 12, 7) << QTime();
    QTest::newRow("de single digits") << "de_DE"
                                      << "7.2.2026" << QDate(2026, 2, 7) << QTime();
    QTest::newRow("nl single digits") << "nl_NL"
                                      << "7-12-2026" << QDate(2026, 12, 7) << QTime();
    QTest::newRow("nl with time") << "nl_NL"
                                  << "07-12-2026 14:30" << QDate(2026, 12, 7) << QTime(14, 30);
    QTest::newRow("us short") << "en_US"
                              << "12/7/26" << QDate(century + 26, 12, 7) << QTime();
    QTest::newRow("us long") << "en_US"
                             << "Monday, December 7, 2026" << QDate(2026, 12, 7) << QTime();
    QTest::newRow("us long with time")
        << "en_US"
        << "Monday, December 7, 2026 9:15:00" << QDate(2026, 12, 7) << QTime(9, 15);
    QTest::newRow("us 12-hour time") << "en_US"
                                     << "12/7/2026 2:30 PM" << QDate(2026, 12, 7) << QTime(14, 30);
    QTest::newRow("iso anywhere") << "de_DE"
                                  << "2026-12-07" << QDate(2026, 12, 7) << QTime();
    QTest::newRow("iso with T") << "en_GB"
                                << "2026-12-07T08:00:00" << QDate(2026, 12, 7) << QTime(8, 0);
    QTest::newRow("blanks around") << "en_GB"
                                   << "  07/12/2026  " << QDate(2026, 12, 7) << QTime();
    QTest::newRow("empty") << "en_GB"
                           << "" << QDate() << QTime();
    QTest::newRow("letters") << "en_GB"
                             << "tomorrow" << QDate() << QTime();
    QTest::newRow("no such day") << "de_DE"
                                 << "31.02.2026" << QDate() << QTime();
    QTest::newRow("bad time") << "de_DE"
                              << "07.12.2026 25:00" << QDate() << QTime();
    QString pasted;
    while (pasted.size() < 32767) // all a line edit holds
        pasted += QStringLiteral("1 ");
    QTest::newRow("a full line edit") << "nl_NL" << pasted << QDate() << QTime();
}

void tst_DateText::typedForms()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QFETCH(QTime, time);
    const auto parsed = DateText::parse(text, QLocale(locale));
    QCOMPARE(parsed.has_value(), date.isValid());
    if (!parsed)
        return;
    QCOMPARE(parsed->date, date);
    QCOMPARE(parsed->hasTime, time.isValid());
    if (time.isValid())
        QCOMPARE(parsed->time, time);
}

// Texts beyond a length limit are refused at once; the longest form a user may type,
// the long date and the long time of day, stays well within it in every locale.
void tst_DateText::everyLocalesLongestFormIsShortEnough()
{
    qsizetype longest = 0;
    QString example;
    const QDate date(2026, 9, 30); // a long weekday and month name in most languages
    for (const QLocale &locale :
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        const QString text = (locale.toString(date, QLocale::LongFormat) + QLatin1Char(' ')
            + locale.toString(QTime(23, 59, 59), QLocale::LongFormat))
                                 .simplified();
        if (text.size() > longest) {
            longest = text.size();
            example = text;
        }
    }
    QVERIFY2(longest <= 100, qPrintable(example));
    QVERIFY(
        DateText::parse(QString(100, QLatin1Char(' ')) + QStringLiteral("2026-09-30")).has_value());
}

QTEST_GUILESS_MAIN(tst_DateText)
#include "tst_datetext.moc"
