#include "calc/frictionfactor.h"
#include "calc/numbertext.h"
#include "support/literalscan.h"
#include "support/scripteddialogs.h"

#include <QLocale>
#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <thread>
#include <vector>

namespace {

bool sameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

struct Case
{
    double relativeRoughness;
    double reynolds;
};

struct SweepOutcome
{
    int mismatches = 0;
    Case firstMismatch{};
    double expected = 0;
    double actual = 0;
    int roots = 0;
    int noRoots = 0;
    int scanned = 0;
    int maxEvaluations = 0;
};

// Runs the shipped search and the literal scan on every case, split over two threads
// because the scan is slow where no trial value fits.
SweepOutcome sweep(const std::vector<Case> &cases)
{
    constexpr int Parts = 2;
    SweepOutcome parts[Parts];
    auto work = [&](int part) {
        SweepOutcome &out = parts[part];
        for (std::size_t i = part; i < cases.size(); i += Parts) {
            const Case &c = cases[i];
            // Roughness and diameter in mm: only their ratio matters.
            const double diameter = 100;
            const double roughness = c.relativeRoughness * diameter;
            const double expected = literalFrictionScan(roughness, diameter, c.reynolds);
            const FrictionFactorSearch got = searchFrictionFactor(roughness, diameter, c.reynolds);
            if (!sameBits(expected, got.factor)) {
                if (out.mismatches++ == 0) {
                    out.firstMismatch = c;
                    out.expected = expected;
                    out.actual = got.factor;
                }
            }
            (expected == 0 ? out.noRoots : out.roots)++;
            if (got.scanned)
                ++out.scanned;
            else
                out.maxEvaluations = std::max(out.maxEvaluations, got.evaluations);
        }
    };
    std::thread other(work, 1);
    work(0);
    other.join();

    SweepOutcome total = parts[0];
    const SweepOutcome &b = parts[1];
    if (total.mismatches == 0 && b.mismatches > 0) {
        total.firstMismatch = b.firstMismatch;
        total.expected = b.expected;
        total.actual = b.actual;
    }
    total.mismatches += b.mismatches;
    total.roots += b.roots;
    total.noRoots += b.noRoots;
    total.scanned += b.scanned;
    total.maxEvaluations = std::max(total.maxEvaluations, b.maxEvaluations);
    return total;
}

std::vector<Case> logUniformCases(
    int count, double rrLow, double rrHigh, double reLow, double reHigh, unsigned seed)
{
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> rr(std::log10(rrLow), std::log10(rrHigh));
    std::uniform_real_distribution<double> re(std::log10(reLow), std::log10(reHigh));
    std::vector<Case> cases;
    cases.reserve(count);
    for (int i = 0; i < count; ++i) {
        const double a = std::pow(10.0, rr(rng));
        const double b = std::pow(10.0, re(rng));
        cases.push_back({a, b});
    }
    return cases;
}

QByteArray describe(const SweepOutcome &o)
{
    return QByteArray("relative roughness ")
        + QByteArray::number(o.firstMismatch.relativeRoughness, 'g', 17) + " Reynolds "
        + QByteArray::number(o.firstMismatch.reynolds, 'g', 17) + ": scan "
        + QByteArray::number(o.expected, 'g', 17) + ", search "
        + QByteArray::number(o.actual, 'g', 17);
}

} // namespace

class tst_FrictionFactor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void grid();
    void knownCases_data();
    void knownCases();
    void messageWhenNoRoot();
    void sweepAgainstScan();
    void roughPipesAndOddArguments();
};

void tst_FrictionFactor::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void tst_FrictionFactor::grid()
{
    QCOMPARE(frictionFactorGridSize(), 9831);
    const double *g = frictionFactorGrid();
    QVERIFY(sameBits(g[0], 0.007));
    // The drift of the repeated addition is part of the figures users see.
    QVERIFY(sameBits(g[131], 0.02009999999999993));
    QVERIFY(g[9830] < 0.99);
    QVERIFY(g[9830] + 0.0001 > 0.99);
}

void tst_FrictionFactor::knownCases_data()
{
    QTest::addColumn<double>("roughness");
    QTest::addColumn<double>("diameter");
    QTest::addColumn<double>("reynolds");
    QTest::addColumn<int>("trial"); // 0: no trial value fits
    QTest::addColumn<QString>("shown");

    // The root lies at 0.02019; the scan stops at the grid value just below it.
    QTest::newRow("water in 50 mm") << 0.01 << 50.0 << 70735.53 << 132 << "0.0201";
    QTest::newRow("smooth, high Reynolds") << 0.001 << 100.0 << 1e8 << 12 << "0.0081";
    QTest::newRow("below the grid") << 0.0001 << 1000.0 << 1e9 << 0 << "0.0000";
    QTest::newRow("laminar boundary, rough") << 5.0 << 25.0 << 2320.0 << -1 << "";
    QTest::newRow("roughness above the diameter") << 50.0 << 10.0 << 5000.0 << -1 << "";
}

void tst_FrictionFactor::knownCases()
{
    QFETCH(double, roughness);
    QFETCH(double, diameter);
    QFETCH(double, reynolds);
    QFETCH(int, trial);
    QFETCH(QString, shown);

    int trials = 0;
    const double expected = literalFrictionScan(roughness, diameter, reynolds, &trials);
    const double got = frictionFactorOrZero(roughness, diameter, reynolds);
    QVERIFY2(sameBits(expected, got), QByteArray::number(got, 'g', 17).constData());
    if (trial > 0) {
        QCOMPARE(trials, trial);
        QVERIFY(sameBits(got, frictionFactorGrid()[trial - 1]));
    } else if (trial == 0) {
        QCOMPARE(got, 0.0);
        QCOMPARE(trials, 9831);
    }
    if (!shown.isEmpty())
        QCOMPARE(NumberText::fixed(got, 4), shown);
}

void tst_FrictionFactor::messageWhenNoRoot()
{
    ScriptedDialogs dialogs;
    QCOMPARE(SolveFrictionFactor(0.0001, 1000, 1e9, dialogs), 0.0);
    QCOMPARE(dialogs.messageTexts(), QStringList{QStringLiteral("Friction Factor undetermined")});
    QCOMPARE(dialogs.messages.first().icon, Dialogs::Icon::None);
    QCOMPARE(dialogs.messages.first().title, QStringLiteral("Zeptor"));

    dialogs.clearLog();
    QVERIFY(SolveFrictionFactor(0.01, 50, 70735.53, dialogs) > 0);
    QVERIFY(dialogs.messages.isEmpty());
}

void tst_FrictionFactor::sweepAgainstScan()
{
    // From the laminar boundary to 1e10, relative roughness 1e-7 to 0.2, log-uniform.
    const auto cases = logUniformCases(100000, 1e-7, 0.2, 2320, 1e10, 20240611);
    const SweepOutcome o = sweep(cases);
    QVERIFY2(o.mismatches == 0,
        (QByteArray::number(o.mismatches) + " mismatches, first: " + describe(o)).constData());
    // Both outcomes occur, the monotone search served every case, and cheaply.
    QVERIFY(o.roots > 50000);
    QVERIFY(o.noRoots > 1000);
    QCOMPARE(o.scanned, 0);
    QVERIFY2(o.maxEvaluations <= 16, QByteArray::number(o.maxEvaluations).constData());
}

void tst_FrictionFactor::roughPipesAndOddArguments()
{
    // Roughness of the order of the diameter and Reynolds numbers below the laminar
    // boundary: the search falls back to trying the grid in order.
    auto cases = logUniformCases(600, 0.05, 20, 1, 1e6, 7);
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double rr : {0.0, 1e-9, 0.2, 1.0, 3.7, 100.0, -0.1, inf}) {
        for (double re : {0.0, -5000.0, 1.0, 2320.0, 1e5, 1e300, inf, nan})
            cases.push_back({rr, re});
    }
    const SweepOutcome o = sweep(cases);
    QVERIFY2(o.mismatches == 0,
        (QByteArray::number(o.mismatches) + " mismatches, first: " + describe(o)).constData());
    QVERIFY(o.roots > 0);
    QVERIFY(o.scanned > 0);
}

QTEST_GUILESS_MAIN(tst_FrictionFactor)
#include "tst_frictionfactor.moc"
