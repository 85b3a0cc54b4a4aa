#include "calc/numbertext.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <limits>
#include <random>

class tst_NumberText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void fixedFormats_data();
    void fixedFormats();
    void scientific_data();
    void scientific();
    void plain_data();
    void plain();
    void wholeNumbers();
    void fixedAgreesWithQLocale();
    void plainAgreesWithQtRounding();
    void parseAgreesWithQLocale();
};

void tst_NumberText::parse_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");

    QTest::newRow("integer") << "C"
                             << "100" << true << 100.0;
    QTest::newRow("blanks around") << "C"
                                   << " 12 " << true << 12.0;
    QTest::newRow("sign") << "C"
                          << "-3" << true << -3.0;
    QTest::newRow("plus sign") << "C"
                               << "+3" << true << 3.0;
    QTest::newRow("no leading zero") << "C"
                                     << ".5" << true << 0.5;
    QTest::newRow("exponent") << "C"
                              << "1e2" << true << 100.0;
    QTest::newRow("exponent upper") << "C"
                                    << "1.5E-3" << true << 0.0015;
    QTest::newRow("empty") << "C"
                           << "" << false << 0.0;
    QTest::newRow("blanks only") << "C"
                                 << "   " << false << 0.0;
    QTest::newRow("letters") << "C"
                             << "abc" << false << 0.0;
    QTest::newRow("trailing unit") << "C"
                                   << "12 mm" << false << 0.0;
    QTest::newRow("group separator") << "C"
                                     << "1,500" << false << 0.0;
    QTest::newRow("inf") << "C"
                         << "inf" << false << 0.0;
    QTest::newRow("nan") << "C"
                         << "nan" << false << 0.0;
    QTest::newRow("overflow") << "C"
                              << "1e999" << false << 0.0;
    QTest::newRow("dutch comma") << "nl_NL"
                                 << "2,5" << true << 2.5;
    QTest::newRow("dutch group refused") << "nl_NL"
                                         << "1.500" << false << 0.0;
    QTest::newRow("dutch exponent") << "nl_NL"
                                    << "1,5e3" << true << 1500.0;
}

void tst_NumberText::parse()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);

    const auto parsed = NumberText::parse(text, QLocale(locale));
    QCOMPARE(parsed.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*parsed, value);
}

void tst_NumberText::fixedFormats_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0") << "C" << 100.0 << 0 << "100";
    QTest::newRow("no grouping") << "C" << 1234567.0 << 0 << "1234567";
    QTest::newRow("0.0000") << "C" << 0.0035367765 << 4 << "0.0035";
    QTest::newRow("0.00") << "C" << 1.41471 << 2 << "1.41";
    QTest::newRow("0.00000") << "C" << 0.01 << 5 << "0.01000";
    QTest::newRow("negative") << "C" << -0.96 << 2 << "-0.96";
    QTest::newRow("negative zero dropped") << "C" << -0.00001 << 4 << "0.0000";
    QTest::newRow("tie away from zero") << "C" << 2.5 << 0 << "3";
    QTest::newRow("negative tie away from zero") << "C" << -2.5 << 0 << "-3";
    QTest::newRow("binary tie 0.125") << "C" << 0.125 << 2 << "0.13";
    QTest::newRow("dutch separator") << "nl_NL" << 1234.5 << 1 << "1234,5";
    QTest::newRow("infinite") << "C" << std::numeric_limits<double>::infinity() << 2 << "****";
}

void tst_NumberText::fixedFormats()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(NumberText::fixed(value, decimals, QLocale(locale)), expected);
}

void tst_NumberText::scientific_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("million") << "C" << 1234567.0 << "1.23E+06";
    QTest::newRow("just above") << "C" << 1000001.0 << "1.00E+06";
    QTest::newRow("big exponent") << "C" << 1.5e120 << "1.50E+120";
    QTest::newRow("dutch") << "nl_NL" << 1234567.0 << "1,23E+06";
}

void tst_NumberText::scientific()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(NumberText::scientific(value, QLocale(locale)), expected);
}

void tst_NumberText::plain_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("100") << "C" << 100.0 << "100";
    QTest::newRow("0.01") << "C" << 0.01 << "0.01";
    QTest::newRow("zero") << "C" << 0.0 << "0";
    QTest::newRow("7.0") << "C" << 7.0 << "7";
    QTest::newRow("84.9") << "C" << 84.9 << "84.9";
    QTest::newRow("lower decimal bound") << "C" << 0.0001 << "0.0001";
    QTest::newRow("below decimal bound") << "C" << 0.00001 << "1E-05";
    QTest::newRow("large") << "C" << 1.5e20 << "1.5E+20";
    QTest::newRow("just below 1E15") << "C" << 999999999999999.0 << "999999999999999";
    QTest::newRow("1E15") << "C" << 1e15 << "1E+15";
    QTest::newRow("15 digits") << "C" << 0.1 + 0.2 << "0.3";
    QTest::newRow("negative") << "C" << -2.5 << "-2.5";
    QTest::newRow("equivalent length") << "C" << 78 * 100.0 / 1000 << "7.8";
    QTest::newRow("dutch") << "nl_NL" << 0.01 << "0,01";
    QTest::newRow("dutch exponent") << "nl_NL" << 1.5e-7 << "1,5E-07";
}

void tst_NumberText::plain()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, expected);
    const QString text = NumberText::plain(value, QLocale(locale));
    QCOMPARE(text, expected);
}

void tst_NumberText::wholeNumbers()
{
    QCOMPARE(NumberText::toInt16(2.5), std::optional<qint16>(2));
    QCOMPARE(NumberText::toInt16(3.5), std::optional<qint16>(4));
    QCOMPARE(NumberText::toInt16(-0.5), std::optional<qint16>(0));
    QCOMPARE(NumberText::toInt16(1.5), std::optional<qint16>(2));
    QCOMPARE(NumberText::toInt16(32767.4), std::optional<qint16>(32767));
    QVERIFY(!NumberText::toInt16(32767.5).has_value());
    QVERIFY(!NumberText::toInt16(-32768.6).has_value());
    QCOMPARE(NumberText::toInt32(2147483647.0), std::optional<qint32>(2147483647));
    QVERIFY(!NumberText::toInt32(2147483647.5).has_value());
    QVERIFY(!NumberText::toInt32(std::nan("")).has_value());
}

// The fast fixed-point path must give exactly the text of QLocale's own formatting,
// ties included, over every magnitude the fields show.
void tst_NumberText::fixedAgreesWithQLocale()
{
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> exponent(-8, 16);
    std::uniform_int_distribution<int> decimals(0, 5);
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::Dutch, QLocale::Netherlands)}) {
        QLocale reference(locale);
        reference.setNumberOptions(QLocale::OmitGroupSeparator);
        for (int i = 0; i < 50000; ++i) {
            double value = std::pow(10.0, exponent(random));
            if (i % 2)
                value = -value;
            if (i % 7 == 0) // binary ties such as 0.125 and 2.5
                value = std::ldexp(std::round(value * 64), -6);
            const int d = decimals(random);
            QString expected = reference.toString(value, 'f', d);
            static const QRegularExpression negativeZero(QStringLiteral("^-0([.,]0*)?$"));
            if (negativeZero.match(expected).hasMatch())
                expected.remove(0, 1); // "-0.00" shows as 0.00
            QCOMPARE(NumberText::fixed(value, d, locale), expected);
        }
    }
}

// plain() rounds to 15 significant digits without QLocale; it must give Qt's digits,
// exact ties (which Qt rounds away from zero) included.
void tst_NumberText::plainAgreesWithQtRounding()
{
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> exponent(-4, 15);
    std::uniform_int_distribution<qint64> fifteenDigits(100000000000000, 999999999999999);
    QLocale reference = QLocale::c();
    reference.setNumberOptions(QLocale::OmitGroupSeparator);
    for (int i = 0; i < 50000; ++i) {
        double value = std::pow(10.0, exponent(random));
        if (i % 3 == 0) // 16 digits ending in 5, exactly: 123456789012345.5, 1234567890123.125
            value = std::ldexp(double(fifteenDigits(random)) * 2 + 1, -1);
        if (i % 3 == 1)
            value = std::ldexp(double(fifteenDigits(random) / 10) * 8 + 1, -3);
        if (value >= 1e15)
            continue;
        if (i % 2)
            value = -value;
        QCOMPARE(NumberText::plain(value, QLocale::c()), reference.toString(value, 'g', 15));
    }
}

// parse() reads simple texts without QLocale's parser; whatever it accepts and refuses
// must be what QLocale does, in a point and a comma locale.
void tst_NumberText::parseAgreesWithQLocale()
{
    std::mt19937 random(20261210);
    const QString alphabet = QStringLiteral("0123456789001-.,+e ");
    std::uniform_int_distribution<int> length(1, 9);
    std::uniform_int_distribution<int> pick(0, int(alphabet.size()) - 1);
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::Dutch, QLocale::Netherlands)}) {
        QLocale strict(locale);
        strict.setNumberOptions(QLocale::RejectGroupSeparator);
        const NumberText::Symbols symbols = NumberText::symbols(locale);
        for (int i = 0; i < 50000; ++i) {
            QString text;
            for (int n = length(random); n > 0; --n)
                text += alphabet[pick(random)];
            bool ok = false;
            const double expected = strict.toDouble(text.trimmed(), &ok);
            const std::optional<double> parsed = NumberText::parse(text, symbols);
            QVERIFY2(parsed.has_value() == (ok && std::isfinite(expected)), qPrintable(text));
            if (parsed)
                QVERIFY2(*parsed == expected && std::signbit(*parsed) == std::signbit(expected),
                    qPrintable(text));
        }
    }
}

QTEST_GUILESS_MAIN(tst_NumberText)
#include "tst_numbertext.moc"
