#include "calc/physics.h"
#include "curve/crossings.h"
#include "curve/pumpset.h"
#include "curve/systemcurve.h"

#include <QTest>

#include <cmath>

// The pump at work: the affinity laws, pumps together, the crossings of two curves and
// the NPSH available, against published examples.
namespace {

constexpr double LitresPerHourPerGpm = 227.12470704; // 3.785411784 l x 60
constexpr double MetresPerFoot = 0.3048;

bool near(double a, double b, double relative)
{
    return std::abs(a - b) <= relative * std::abs(b);
}

// A pump with one catalogue point, and two more to make a curve of it.
PumpCurve pumpThrough(double flow, double head)
{
    return PumpCurve(
        {{0.5 * flow, 1.1 * head, 50, 0}, {flow, head, 70, 0}, {1.5 * flow, 0.8 * head, 60, 0}},
        true, false);
}

} // namespace

class tst_PumpModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void affinityLaws_data();
    void affinityLaws();
    void pumpsTogether();
    void dutyOfKnownCurves_data();
    void dutyOfKnownCurves();
    void everyCrossingOfASawTooth();
    void npshAvailable();
};

// Crane TP-410 example 7-33 and the Hydraulic Institute's pump fundamentals example.
void tst_PumpModel::affinityLaws_data()
{
    QTest::addColumn<double>("gpm");
    QTest::addColumn<double>("feet");
    QTest::addColumn<double>("speed"); // %
    QTest::addColumn<double>("newGpm");
    QTest::addColumn<double>("newFeet");
    QTest::newRow("Crane 7-33, 3500 to 1700 rpm")
        << 400.0 << 126.0 << 1700.0 / 3500 * 100 << 194.29 << 29.73;
    QTest::newRow("HI, 1740 to 1566 rpm")
        << 200.0 << 213.0 << 1566.0 / 1740 * 100 << 180.0 << 172.5;
}

void tst_PumpModel::affinityLaws()
{
    QFETCH(double, gpm);
    QFETCH(double, feet);
    QFETCH(double, speed);
    QFETCH(double, newGpm);
    QFETCH(double, newFeet);
    const PumpCurve pump = pumpThrough(gpm * LitresPerHourPerGpm, feet * MetresPerFoot);
    const PumpSet slower(pump, speed);
    const double flow = newGpm * LitresPerHourPerGpm;
    QVERIFY(near(slower.pump().points()[1].flow, flow, 1e-4));
    QVERIFY(near(slower.head(slower.pump().points()[1].flow) / MetresPerFoot, newFeet, 1e-3));
    // The efficiency stays, so the power goes with the cube of the speed (17.5 hp become
    // 2.005 hp in Crane's example).
    const double s = speed / 100;
    QVERIFY(near(Physics::hydraulicPower(1000, s * 1000, s * s * 10),
        s * s * s * Physics::hydraulicPower(1000, 1000, 10), 1e-12));
}

void tst_PumpModel::pumpsTogether()
{
    const PumpCurve pump = pumpThrough(1000, 20);
    const PumpSet parallel(pump, 100, 2, Arrangement::Parallel);
    const PumpSet series(pump, 100, 3, Arrangement::Series);
    QCOMPARE(parallel.head(2000), pump.head(1000));
    QCOMPARE(parallel.maxFlow(), 2 * pump.maxFlow());
    QCOMPARE(parallel.pumpFlow(2000), 1000.0);
    QCOMPARE(series.head(1000), 3 * pump.head(1000));
    QCOMPARE(series.pumpHead(60), 20.0);
    QCOMPARE(PumpSet(pump, 100, 1, Arrangement::Series).arrangement(), Arrangement::Single);
}

// The Hydraulic Institute's example: system 265 + 7.75e-4 Q^2, pump 380 - 0.06 Q -
// 0.0018 Q^2 (gpm, ft) meet at 200 gpm and 296 ft; 10 ft more static head: 190.6 gpm.
void tst_PumpModel::dutyOfKnownCurves_data()
{
    QTest::addColumn<double>("staticHead");
    QTest::addColumn<double>("flow");
    QTest::addColumn<double>("head");
    QTest::newRow("HI") << 265.0 << 200.0 << 296.0;
    QTest::newRow("HI, 10 ft more") << 275.0 << 190.6 << 303.2;
}

void tst_PumpModel::dutyOfKnownCurves()
{
    QFETCH(double, staticHead);
    QFETCH(double, flow);
    QFETCH(double, head);
    const auto system = [&](double q) { return staticHead + 7.75e-4 * q * q; };
    const Crossings::Curves curves
        = [&](double q) { return Crossings::Value{380 - 0.06 * q - 0.0018 * q * q - system(q)}; };
    const Crossings::Result found = Crossings::find(curves, 0, 400);
    QCOMPARE(found.crossings.size(), size_t(1));
    QVERIFY(found.crossings[0].stable);
    QVERIFY(near(found.crossings[0].x, flow, 1e-3));
    QVERIFY(near(system(found.crossings[0].x), head, 1e-3));
}

// A system curve in steps, as the friction factor makes it, meeting a pump three times
// within one scan interval; a drooping pump that first meets it rising; a stretch where
// the two are equal.
void tst_PumpModel::everyCrossingOfASawTooth()
{
    // Teeth 2 l/h wide, 0.01 m high; the pump runs along them near 400 l/h.
    const double step = 0.01;
    const auto sawTooth = [&](double q) { return 10 + 0.002 * q - step * std::floor(q / 2); };
    const auto pump
        = [&](double q) { return 10 + (0.002 - step / 2) * q + step / 2 - step / 6 * (q - 400); };
    const auto teeth = [&](double q) {
        return Crossings::Value{pump(q) - sawTooth(q), std::floor(q / 2), step};
    };
    std::vector<Crossings::Crossing> c = Crossings::find(teeth, 0, 1000).crossings;
    QCOMPARE(c.size(), size_t(7));
    QVERIFY(near(c[0].x, 397.75, 1e-9) && c[0].stable);
    QVERIFY(near(c[1].x, 398, 1e-9) && !c[1].stable); // at a tooth's edge
    QVERIFY(near(c[2].x, 399.25, 1e-9) && c[2].stable);

    // Drooping: below the system at no flow, above it, then below again.
    c = Crossings::find([](double q) { return Crossings::Value{-1 + q * (4 - q)}; }, 0, 4)
            .crossings;
    QCOMPARE(c.size(), size_t(2));
    QVERIFY(!c[0].stable && c[1].stable);
    QVERIFY(near(c[1].x, 2 + std::sqrt(3.0), 1e-9));

    // Equal from 1 to 2: the stretch's lowest flow.
    const auto equal = [](double q) { return Crossings::Value{q < 1 ? 1 - q : q > 2 ? 2 - q : 0}; };
    c = Crossings::find(equal, 0, 3.3).crossings;
    QCOMPARE(c.size(), size_t(1));
    QVERIFY(near(c[0].x, 1, 1e-9));
    QVERIFY(c[0].stable);
}

// Crane TP-410 example 7-32: water at 60 F, 5 psig on the surface, 25 ft below the pump,
// 6 ft of suction losses: NPSHa 13.887 ft (with g = 9.80665; this program's g is 9.81).
void tst_PumpModel::npshAvailable()
{
    const double density = 998.98; // 62.364 lb/ft3
    Inputs suction;
    suction.FlowRate = 400 * LitresPerHourPerGpm;
    suction.Density = density;
    suction.PipeLength = 0;
    suction.Elevation = 25 * MetresPerFoot;
    suction.ExtraLoss = Physics::pressureOf(6 * MetresPerFoot, density);
    SystemCurve::System system{CaseInput{}, CaseInput{suction, 0, 0}};
    SystemCurve::NpshSettings npsh;
    npsh.surfacePressure = (5 * 6894.757293168 + 101325) / Physics::PascalPerBar;
    npsh.vapourPressure = 0.256 * 6894.757293168 / Physics::PascalPerBar;
    const double npsha
        = SystemCurve::npshAvailable(system, npsh, SystemCurve::systemAt(system, suction.FlowRate));
    QVERIFY2(near(npsha / MetresPerFoot, 13.887, 1.5e-3),
        qPrintable(QString::number(npsha / MetresPerFoot)));
}

QTEST_GUILESS_MAIN(tst_PumpModel)
#include "tst_pumpmodel.moc"
