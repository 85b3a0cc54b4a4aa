#include "calc/numbertext.h"
#include "calc/physics.h"
#include "curve/curvetexts.h"
#include "curve/labelplacement.h"
#include "curve/pumpcurve.h"
#include "curve/systemcurve.h"
#include "numerics/pchip.h"
#include "support/analysiscase.h"
#include "support/testlocale.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstring>

using Vec = std::vector<double>;
Q_DECLARE_METATYPE(Vec)
Q_DECLARE_METATYPE(Inputs)

using namespace AnalysisCase;

namespace {

// 10000 l/h of water through 100 m of 50 mm pipe (examples/turbulent.dvl).
// A heavy oil: laminar up to well beyond the flows used here.
Inputs oilCase()
{
    Inputs in = waterCase();
    in.FlowRate = 2000;
    in.Density = 900;
    in.Viscosity = 100;
    return in;
}

PumpCurve linearPump(double shutOffHead, double slope, double maxFlow, double minFlow = 0)
{
    std::vector<PumpPoint> points;
    for (int i = 0; i <= 4; ++i) {
        const double q = minFlow + (maxFlow - minFlow) * i / 4;
        points.push_back({q, shutOffHead - slope * q, 0, 0});
    }
    return PumpCurve(points, false, false);
}

} // namespace

class tst_SystemCurve : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pchipValues_data();
    void pchipValues();
    void pchipSlopes_data();
    void pchipSlopes();
    void pchipKeepsShape();
    void curveFlows();
    void laminarCurveIsLinear();
    void turbulentCurve();
    void curveWithoutResults();
    void curveFromNoFlow_data();
    void curveFromNoFlow();
    void csvRows();
    void csvWithPump();
    void dutyPoint_data();
    void dutyPoint();
    void dutyOnTurbulentCurve();
    void dutyAtTheEdgeOfNoResult();
    void badPumpFiles_data();
    void badPumpFiles();
    void goodPumpFiles_data();
    void goodPumpFiles();
    void pumpTable();
    void pumpWithGaps();
    void labelsStayClear_data();
    void labelsStayClear();
    void titleBlock();
};

// Reference values from SciPy's PchipInterpolator (1.10).
void tst_SystemCurve::pchipValues_data()
{
    QTest::addColumn<Vec>("x");
    QTest::addColumn<Vec>("y");
    QTest::addColumn<double>("at");
    QTest::addColumn<double>("expected");
    const Vec x5{0, 1, 2, 3, 4};
    const Vec y5{0, 1, 1, 2, 0};
    QTest::newRow("rise") << x5 << y5 << 0.5 << 0.6875;
    QTest::newRow("flat") << x5 << y5 << 1.5 << 1.0;
    QTest::newRow("step") << x5 << y5 << 2.5 << 1.5;
    QTest::newRow("fall") << x5 << y5 << 3.5 << 1.4375;
    QTest::newRow("quarter") << x5 << y5 << 0.25 << 0.3671875;
    QTest::newRow("at a point") << x5 << y5 << 3.0 << 2.0;
    const Vec pumpX{0, 4000, 8000, 12000, 16000, 20000};
    const Vec pumpY{12, 11.8, 11, 9.5, 7.2, 4};
    QTest::newRow("pump low") << pumpX << pumpY << 2000.0 << 11.94;
    QTest::newRow("pump mid") << pumpX << pumpY << 10000.0 << 10.34653890160183;
    QTest::newRow("pump high") << pumpX << pumpY << 17500.0 << 6.116255326704545;
    QTest::newRow("uneven") << Vec{0, 1, 3} << Vec{0, 2, 3} << 2.0 << 2.7142857142857144;
    QTest::newRow("two points") << Vec{0, 1} << Vec{2, 4} << 0.25 << 2.5;
    QTest::newRow("below range") << x5 << y5 << -0.1 << qQNaN();
    QTest::newRow("above range") << x5 << y5 << 4.0001 << qQNaN();
}

void tst_SystemCurve::pchipValues()
{
    QFETCH(Vec, x);
    QFETCH(Vec, y);
    QFETCH(double, at);
    QFETCH(double, expected);
    const double value = Pchip(x, y).value(at);
    if (std::isnan(expected))
        QVERIFY(std::isnan(value));
    else
        QVERIFY2(near(value, expected, 1e-13), qPrintable(QString::number(value, 'g', 17)));
}

void tst_SystemCurve::pchipSlopes_data()
{
    QTest::addColumn<Vec>("x");
    QTest::addColumn<Vec>("y");
    QTest::addColumn<Vec>("expected");
    // Extremum and flat stretches give 0; the end formula with its two limits.
    QTest::newRow("flat and turning")
        << Vec{0, 1, 2, 3, 4} << Vec{0, 1, 1, 2, 0} << Vec{1.5, 0, 0, 0, -3.5};
    QTest::newRow("end turns back")
        << Vec{0, 1, 2, 3} << Vec{0, 3, 0.5, 0.4} << Vec{5.75, 0, -0.19230769230769226, 0};
    QTest::newRow("end held to 3 secants") << Vec{0, 1, 2} << Vec{0, 1, -5} << Vec{3, 0, -9.5};
    QTest::newRow("uneven steps") << Vec{0, 1, 3} << Vec{0, 2, 3}
                                  << Vec{2.5, 0.8571428571428571, 0};
    QTest::newRow("pump") << Vec{0, 4000, 8000, 12000, 16000, 20000}
                          << Vec{12, 11.8, 11, 9.5, 7.2, 4}
                          << Vec{0, -7.999999999999978e-05, -0.0002608695652173915,
                                 -0.0004539473684210527, -0.0006690909090909091, -0.0009125};
}

void tst_SystemCurve::pchipSlopes()
{
    QFETCH(Vec, x);
    QFETCH(Vec, y);
    QFETCH(Vec, expected);
    const Vec slopes = Pchip(x, y).slopes();
    QCOMPARE(slopes.size(), expected.size());
    for (size_t i = 0; i < slopes.size(); ++i)
        QVERIFY2(near(slopes[i], expected[i], 1e-13), qPrintable(QString::number(i)));
}

void tst_SystemCurve::pchipKeepsShape()
{
    // Monotone data stays monotone and within the data's range: no overshoot.
    const Pchip p({0, 1000, 1100, 5000, 9000}, {20, 19.9, 15, 14.9, 0});
    double previous = p.value(0);
    for (int i = 1; i <= 9000; ++i) {
        const double v = p.value(i);
        QVERIFY2(v <= previous && v >= 0 && v <= 20, qPrintable(QString::number(i)));
        previous = v;
    }
}

void tst_SystemCurve::curveFlows()
{
    // to * k / N in that order: 0.1 * 3 / 3 is not the same double as 0.1 * (3 / 3.0)...
    const std::vector<double> flows = SystemCurve::flows(1000.1, 7);
    QCOMPARE(flows.size(), size_t(7));
    for (int k = 1; k <= 7; ++k)
        QVERIFY(sameBits(flows[size_t(k - 1)], 1000.1 * k / 7));
    QVERIFY(sameBits(flows.back(), 1000.1));
    QVERIFY(SystemCurve::flows(100, 0).empty());
}

void tst_SystemCurve::laminarCurveIsLinear()
{
    // Hagen-Poiseuille: the pressure drop grows with the flow itself.
    const Inputs in = oilCase();
    const auto points = SystemCurve::points({in, 0, 0}, 3000, 30);
    const double perFlow = points.front().head / points.front().flow;
    QVERIFY(perFlow > 0);
    for (const SystemCurve::Point &p : points) {
        QCOMPARE(p.outcome.status, CalcEngine::Status::Laminar);
        QVERIFY2(near(p.head / p.flow, perFlow, 1e-12), qPrintable(QString::number(p.flow)));
    }
}

void tst_SystemCurve::turbulentCurve()
{
    const Inputs in = waterCase();
    const auto points = SystemCurve::points({in, 0, 0}, 20000, 4);
    QCOMPARE(points[1].flow, 10000.0);
    // The same numbers as the main window and 'zeptor-cli json' give for this case.
    const CalcEngine::Outcome own = CalcEngine::evaluate(in, 0, 0);
    QVERIFY(sameBits(points[1].outcome.results.TotalPressureDrop, own.results.TotalPressureDrop));
    QVERIFY(sameBits(points[1].outcome.results.TotalPressureDrop, 0.40228262542439225));
    QVERIFY(sameBits(points[1].head, 0.40228262542439225 * 100000 / (1000 * 9.81)));
    for (const SystemCurve::Point &p : points)
        QCOMPARE(p.outcome.status, CalcEngine::Status::Turbulent);
    // Turbulent: faster than linear, slower than the square with a falling friction factor.
    QVERIFY(points[3].head > 2 * points[1].head && points[3].head < 4 * points[1].head);

    // An elevation adds its static head at every flow.
    Inputs up = in;
    up.PipeLength = 200; // the elevation may not exceed the length
    up.Elevation = 10;
    Inputs flat = up;
    flat.Elevation = 0;
    QVERIFY(near(SystemCurve::pointAt({up, 0, 0}, 5000).head,
        SystemCurve::pointAt({flat, 0, 0}, 5000).head + 10, 1e-12));
}

void tst_SystemCurve::curveWithoutResults()
{
    // A wide, smooth pipe: at the highest flows no friction factor fits the equation.
    Inputs in = waterCase();
    in.InnerDiameter = 1000;
    in.WallRoughness = 0.0001;
    const auto points = SystemCurve::points({in, 0, 0}, 4e8, 8);
    QVERIFY(points.front().hasResult());
    QCOMPARE(points.back().outcome.status, CalcEngine::Status::FrictionFactorUndetermined);
    QVERIFY(!points.back().hasResult());
    const QList<QByteArray> rows = SystemCurve::csv(points).split('\n');
    QVERIFY(rows.last().isEmpty());
    QVERIFY2(
        rows[8].startsWith("4e+08,** Error in Friction Factor **,") && rows[8].endsWith(",,,,"),
        rows[8].constData());

    // A pump whose whole range lies there has no duty point.
    const PumpCurve high({{3e8, 100, 0, 0}, {3.5e8, 90, 0, 0}, {4e8, 80, 0, 0}}, false, false);
    const SystemCurve::Duty duty = SystemCurve::dutyPoint({in, 0, 0}, high);
    QVERIFY(!duty.found);
    QCOMPARE(duty.reason, QStringLiteral("the system has no result within the pump's flow range"));
}

void tst_SystemCurve::curveFromNoFlow_data()
{
    QTest::addColumn<Inputs>("in");
    QTest::addColumn<int>("count"); // points before the first of the curve
    QTest::newRow("laminar oil") << oilCase() << 1;
    Inputs lifted = waterCase();
    lifted.Elevation = 12.5;
    lifted.ExtraLoss = 0.3;
    QTest::newRow("turbulent, lifted") << lifted << 3;
    Inputs down = oilCase();
    down.Elevation = -4;
    QTest::newRow("running down") << down << 1;
}

// The curve starts at no flow, where the head is the static part alone, and the
// laminar stretch below the first point is drawn up to its end, where the head jumps.
void tst_SystemCurve::curveFromNoFlow()
{
    QFETCH(Inputs, in);
    QFETCH(int, count);
    const auto points = SystemCurve::points({in, 0, 0}, in.FlowRate * 1.5, 10);
    const auto lead = SystemCurve::lead(
        {{in, 0, 0}, std::nullopt, SystemCurve::ExtraLoss::Fixed}, points.front());
    QCOMPARE(int(lead.size()), count);
    QCOMPARE(lead[0].flow, 0.0);
    const double staticDrop
        = in.ExtraLoss + (0 + in.Density * Physics::Gravity * in.Elevation) / 100000;
    QVERIFY(sameBits(lead[0].head, Physics::headOf(staticDrop, in.Density)));
    QCOMPARE(lead[0].outcome.status, CalcEngine::Status::Laminar);
    if (count == 3) {
        QCOMPARE(lead[1].outcome.status, CalcEngine::Status::Laminar);
        QCOMPARE(lead[2].outcome.status, CalcEngine::Status::Turbulent);
        QCOMPARE(lead[2].flow, std::nextafter(lead[1].flow, 1e300));
        QVERIFY(lead[2].flow < points.front().flow);
    }
    // Without a result at the first point there is nothing to lead up to it.
    Inputs none = in;
    none.Viscosity = 0;
    QVERIFY(SystemCurve::lead({{none, 0, 0}, std::nullopt, SystemCurve::ExtraLoss::Fixed},
        SystemCurve::pointAt({none, 0, 0}, 100))
                .empty());
}

void tst_SystemCurve::csvRows()
{
    // The same bytes under every locale (this test also runs under nl_NL).
    const auto points = SystemCurve::points({waterCase(), 0, 0}, 20000, 2);
    QCOMPARE(SystemCurve::csv(points),
        QByteArray("flow [l/h],status,velocity [m/s],reynolds [-],friction factor [-],"
                   "pressure drop [bar],pressure drop [Pa],head [m]\n"
                   "10000,Flow is Turbulent,1.414710605261293,70735.53026306465,"
                   "0.02009999999999993,0.40228262542439225,40228.262542439224,"
                   "4.100740320330196\n"
                   "20000,Flow is Turbulent,2.829421210522586,141471.0605261293,"
                   "0.017899999999999944,1.4330067651933578,143300.67651933577,"
                   "14.607612285355328\n"));
}

// With a pump: its head in a last column where its points reach, and the duty point
// in a comment line after the rows, as zeptor-cli curve --format csv --pump writes it.
void tst_SystemCurve::csvWithPump()
{
    const CaseInput c{oilCase(), 0, 0};
    const auto points = SystemCurve::points(c, 6000, 3);
    const PumpCurve pump = linearPump(20, 0.004, 5000);
    const QList<QByteArray> lines
        = SystemCurve::csv(points, pump, SystemCurve::dutyPoint(c, pump)).split('\n');
    QCOMPARE(lines.size(), 6);
    QVERIFY(lines[0].endsWith(",head [m],pump head [m]"));
    QVERIFY(lines[1].endsWith(",12"));
    QVERIFY(lines[3].endsWith(",")); // 6000 l/h is beyond the pump's points
    QVERIFY2(
        lines[4].startsWith("# duty: flow 3") && lines[4].endsWith(" m/s"), lines[4].constData());
    SystemCurve::Duty none;
    none.reason = QStringLiteral("the pump is too weak");
    QCOMPARE(SystemCurve::csvDutyLine(none), "# duty: none, the pump is too weak\n");
}

void tst_SystemCurve::dutyPoint_data()
{
    QTest::addColumn<double>("shutOff");
    QTest::addColumn<double>("slope"); // m per l/h
    QTest::addColumn<double>("maxFlow");
    QTest::addColumn<double>("minFlow");
    QTest::addColumn<bool>("found");
    // The oil line's head is c * q; a straight pump line H0 - s q meets it at H0 / (c + s).
    QTest::newRow("crossing") << 20.0 << 0.004 << 5000.0 << 0.0 << true;
    QTest::newRow("steep pump") << 60.0 << 0.05 << 1200.0 << 0.0 << true;
    QTest::newRow("pump too weak") << 0.5 << 0.0001 << 5000.0 << 1000.0 << false;
}

void tst_SystemCurve::dutyPoint()
{
    QFETCH(double, shutOff);
    QFETCH(double, slope);
    QFETCH(double, maxFlow);
    QFETCH(double, minFlow);
    QFETCH(bool, found);
    const Inputs in = oilCase();
    const double c = SystemCurve::pointAt({in, 0, 0}, 1000).head / 1000;
    const SystemCurve::Duty duty
        = SystemCurve::dutyPoint({in, 0, 0}, linearPump(shutOff, slope, maxFlow, minFlow));
    QCOMPARE(duty.found, found);
    if (!found) {
        QVERIFY(duty.reason.contains(QStringLiteral("more head than the pump gives")));
        return;
    }
    const double expected = shutOff / (c + slope);
    QVERIFY2(near(duty.system.flow, expected, 1e-9),
        qPrintable(QString::number(duty.system.flow, 'g', 17)));
    QVERIFY(near(duty.pumpHead, duty.system.head, 1e-8));
    QVERIFY(!duty.moreCrossings);
    QVERIFY(std::isnan(duty.efficiency) && std::isnan(duty.shaftPower));
}

void tst_SystemCurve::dutyOnTurbulentCurve()
{
    const Inputs in = waterCase();
    // A pump whose head dips below the system and rises above it again: three crossings.
    std::vector<PumpPoint> points{
        {2000, 10, 30, 1}, {6000, 0.5, 50, 1.5}, {9000, 9, 60, 2}, {12000, 1, 65, 3}};
    const SystemCurve::Duty duty
        = SystemCurve::dutyPoint({in, 0, 0}, PumpCurve(points, true, true));
    QVERIFY(duty.found);
    QVERIFY(duty.moreCrossings);
    QVERIFY(duty.system.flow > 2000 && duty.system.flow < 6000);
    QVERIFY(near(duty.pumpHead, duty.system.head, 1e-7));
    QCOMPARE(duty.system.outcome.status, CalcEngine::Status::Turbulent);
    // rho g Q H / eta with the efficiency from the curve.
    const double q = duty.system.flow / 3600000;
    QVERIFY(near(duty.shaftPower, 1000 * 9.81 * q * duty.pumpHead / (duty.efficiency / 100)));
    QVERIFY(duty.npshr > 1 && duty.npshr < 1.5);

    // A pump above the system over its whole range: the duty point lies beyond it.
    const SystemCurve::Duty beyond = SystemCurve::dutyPoint({in, 0, 0}, linearPump(50, 0, 10000));
    QVERIFY(!beyond.found);
    QVERIFY(beyond.reason.contains(QStringLiteral("beyond")));
}

// The curves meet right where the system's result ends (no friction factor beyond):
// the crossing at the edge is found, not a reason that says they never meet.
void tst_SystemCurve::dutyAtTheEdgeOfNoResult()
{
    Inputs in; // examples/no-root.dvl
    in.FlowRate = 2827433.388;
    in.Viscosity = 0.001;
    in.InnerDiameter = 1000;
    in.PipeLength = 1000;
    in.WallRoughness = 0.0001;
    const double h = 0.0003675424789030572; // the system's head at 90750 l/h
    const PumpCurve pump({{0, h}, {90750, h}, {200000, 0}}, false, false);
    const SystemCurve::Duty duty = SystemCurve::dutyPoint({in, 0, 0}, pump);
    QVERIFY2(duty.found, qPrintable(duty.reason));
    QVERIFY(near(duty.system.flow, 90750, 1e-6));
}

void tst_SystemCurve::badPumpFiles_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected"); // after "pump.csv, line "
    const QByteArray header = "flow [l/h],head [m]\n";
    QTest::newRow("empty") << QByteArray() << "1: the header line is missing";
    QTest::newRow("no head") << QByteArray("flow [l/h],npshr [m]\n1,2\n") << "1: the header must";
    QTest::newRow("unknown column")
        << QByteArray("flow [l/h],head [ft]\n") << "1: unknown column \"head [ft]\"";
    QTest::newRow("flow twice") << QByteArray("flow [l/h],head [m],flow [m3/h]\n")
                                << "1: the column \"flow [m3/h]\" is named twice";
    QTest::newRow("not a number") << header + "0,10\n1000,abc\n2000,5\n"
                                  << "3: \"abc\" is not a number";
    QTest::newRow("decimal comma") << header + "0,10\n1000,9\n2000,5,5\n"
                                   << "4: 3 values where the header names 2 columns";
    QTest::newRow("missing value") << header + "0,10\n1000,\n2000,5\n"
                                   << "3: a value is missing";
    QTest::newRow("infinite") << header + "0,10\n1000,inf\n2000,5\n"
                              << "3: \"inf\" is not a number";
    QTest::newRow("two rows") << header + "0,10\n1000,9\n"
                              << "3: a pump curve needs at least 3 points, there are 2";
    QTest::newRow("flow not rising") << header + "0,10\n1000,9\n\n1000,8\n"
                                     << "5: the flow must be greater than the one before";
    QTest::newRow("negative head") << header + "0,10\n1000,-1\n2000,5\n"
                                   << "3: the head must be a number not below 0";
    QTest::newRow("efficiency") << QByteArray(
        "flow [l/h],head [m],efficiency [%]\n0,10,0\n1,9,101\n2,8,50\n")
                                << "3: the efficiency must be between 0 and 100 %";
}

void tst_SystemCurve::badPumpFiles()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    const PumpCurve::Read read = PumpCurve::fromCsv(text, QStringLiteral("pump.csv"));
    QVERIFY(!read.ok());
    QVERIFY2(read.error.startsWith(QStringLiteral("pump.csv, line ") + expected),
        qPrintable(read.error));
}

void tst_SystemCurve::goodPumpFiles_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("lastFlow");
    QTest::addColumn<bool>("efficiency");
    QTest::newRow("l/h") << QByteArray("flow [l/h],head [m]\n0,10\n1000,9\n2000,5\n") << 2000.0
                         << false;
    QTest::newRow("m3/h, CRLF, BOM")
        << QByteArray("\xEF\xBB\xBFHead [m], Flow [m3/h]\r\n10,0\r\n9,1.5\r\n5,2.5\r\n") << 2500.0
        << false;
    QTest::newRow("all columns") << QByteArray(
        "flow [l/h],head [m],efficiency [%],npshr [m]\n0,10,0,1\n1000,9,50,1.2\n2000,5,60,2\n")
                                 << 2000.0 << true;
}

void tst_SystemCurve::goodPumpFiles()
{
    QFETCH(QByteArray, text);
    QFETCH(double, lastFlow);
    QFETCH(bool, efficiency);
    const PumpCurve::Read read = PumpCurve::fromCsv(text, QStringLiteral("pump.csv"));
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.curve->maxFlow(), lastFlow);
    QCOMPARE(read.curve->hasEfficiency(), efficiency);
    QCOMPARE(read.curve->head(lastFlow), 5.0);
    // Saved and read back, the curve is the same, bit for bit.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.csv"));
    QCOMPARE(read.curve->save(path), QString());
    const PumpCurve::Read again = PumpCurve::load(path);
    QVERIFY(again.ok());
    QCOMPARE(again.curve->toCsv(), read.curve->toCsv());
    QCOMPARE(again.curve->points().size(), read.curve->points().size());
}

void tst_SystemCurve::pumpTable()
{
    using Rows = std::vector<CurveTexts::PumpRowTexts>;
    const auto num = [](const char *text) { return TestLocale::num(QLatin1String(text)); };
    const Rows good{{num("0"), num("12.5"), QString(), QString()}, {},
        {num("1000"), num("11"), {}, {}}, {num("2000.5"), num("8"), {}, {}}};
    const CurveTexts::TableRead read = CurveTexts::pumpFromTable(good);
    QVERIFY2(read.curve, qPrintable(read.error));
    QCOMPARE(read.curve->maxFlow(), 2000.5);
    QVERIFY(!read.curve->hasEfficiency());
    QVERIFY(CurveTexts::pumpFromTable(Rows(3)).empty);
    // Efficiency in one row leaves it out where another row has none, and blocks nothing.
    Rows partial = good;
    partial[2][2] = num("40");
    partial[3][2] = num("60");
    const CurveTexts::TableRead gaps = CurveTexts::pumpFromTable(partial);
    QVERIFY2(gaps.curve, qPrintable(gaps.error));
    QVERIFY(gaps.curve->hasEfficiency());
    QVERIFY(std::isnan(gaps.curve->efficiency(500)));
    QCOMPARE(gaps.curve->efficiency(1000), 40.0);
    QVERIFY(gaps.curve->efficiency(1500) > 40);
    partial[2][2] = QStringLiteral("x");
    QCOMPARE(CurveTexts::pumpFromTable(partial).error,
        QStringLiteral("Row 3: the efficiency is not a number"));
    // Flows typed in m3/h; rows pasted from a spreadsheet.
    QCOMPARE(
        CurveTexts::pumpFromTable(good, CurveTexts::FlowUnit::CubicMetresPerHour).curve->maxFlow(),
        2000500.0);
    const auto pasted = CurveTexts::pastedCells(QStringLiteral("0\t12,5\r\n1000\t11\t\t2\r\n"));
    QCOMPARE(pasted.size(), size_t(2));
    QCOMPARE(pasted[0], QStringList({"0", "12,5"}));
    QCOMPARE(pasted[1], QStringList({"1000", "11", "", "2"}));
    Rows falling = good;
    falling[3][0] = num("500");
    QCOMPARE(CurveTexts::pumpFromTable(falling).error,
        QStringLiteral("Row 4: the flow must be greater than the one before"));
}

// A point without an efficiency or NPSHr leaves that value out around it, and only
// there; a file may leave such a cell empty, and is saved the same way.
void tst_SystemCurve::pumpWithGaps()
{
    const QByteArray text = "flow [l/h],head [m],efficiency [%],npshr [m]\n"
                            "0,10,30,1\n4000,6,,1.2\n8000,1,60,1.5\n12000,0.5,55,\n";
    const PumpCurve::Read read = PumpCurve::fromCsv(text, QStringLiteral("pump.csv"));
    QVERIFY2(read.ok(), qPrintable(read.error));
    const PumpCurve &pump = *read.curve;
    QVERIFY(std::isnan(pump.efficiency(2000)) && std::isnan(pump.efficiency(6000)));
    QVERIFY(near(pump.efficiency(10000), 57.5, 0.05));
    QVERIFY(pump.npshr(6000) > 1.2 && std::isnan(pump.npshr(10000)));
    QCOMPARE(pump.toCsv(), text);

    // The duty point of the water case lies in the gap: no efficiency and no shaft
    // power, and the read-out says why; the NPSHr is there.
    const SystemCurve::Duty duty = SystemCurve::dutyPoint({waterCase(), 0, 0}, pump);
    QVERIFY(duty.found && duty.system.flow > 4000 && duty.system.flow < 8000);
    QVERIFY(duty.efficiencyMissing && !duty.npshrMissing);
    QVERIFY(std::isnan(duty.shaftPower));
    const CurveTexts::DutyReadout r = CurveTexts::dutyReadout(duty);
    QCOMPARE(r.efficiency, QStringLiteral("-"));
    QVERIFY(r.note.contains(QStringLiteral("no efficiency at this flow")));
}

void tst_SystemCurve::labelsStayClear_data()
{
    QTest::addColumn<QPointF>("duty");
    QTest::addColumn<QPointF>("caseAt");
    QTest::newRow("duty on the case") << QPointF(200, 100) << QPointF(203, 102);
    QTest::newRow("right edge") << QPointF(395, 150) << QPointF(380, 160);
    QTest::newRow("top corner") << QPointF(392, 4) << QPointF(396, 10);
    QTest::newRow("bottom left") << QPointF(2, 196) << QPointF(8, 190);
}

// The duty point's label and the case's: inside the frame, clear of each other and of
// every marker, wherever the two points lie.
void tst_SystemCurve::labelsStayClear()
{
    QFETCH(QPointF, duty);
    QFETCH(QPointF, caseAt);
    const QRectF frame(0, 0, 400, 200);
    const auto marker = [](QPointF at) { return QRectF(at - QPointF(8, 8), QSizeF(16, 16)); };
    const std::vector<QRectF> markers = {marker(duty), marker(caseAt), marker({300, 50})};
    const auto placed = LabelPlacement::place(
        {{duty, QSizeF(190, 16)}, {caseAt, QSizeF(60, 16)}}, frame, markers, 9);
    QCOMPARE(placed.size(), size_t(2));
    for (const QRectF &label : placed) {
        QVERIFY(!label.isEmpty());
        QVERIFY(frame.contains(label));
        for (const QRectF &m : markers)
            QVERIFY(!label.intersects(m));
    }
    QVERIFY(!placed[0].intersects(placed[1]));
    // A text wider than the frame is left out rather than drawn over the rest.
    QVERIFY(LabelPlacement::place({{duty, QSizeF(500, 16)}}, frame, {}, 9)[0].isEmpty());
}

void tst_SystemCurve::titleBlock()
{
    const CaseInput c{waterCase(), 0, 0};
    const PumpCurve pump = linearPump(20, 0.001, 15000);
    const QStringList lines
        = CurveTexts::titleBlock({QStringLiteral("Plant 4"), QStringLiteral("P-12"),
                                     QStringLiteral("p4.dvl"), QStringLiteral("01-02-2024")},
            c.inputs, std::nullopt, SystemCurve::dutyPoint(c, pump), true);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0],
        QStringLiteral("Project: Plant 4    Pipe: P-12    File: p4.dvl    Date: 01-02-2024"));
    QVERIFY(lines[1].endsWith(QStringLiteral("    Pump: pump typed in")));
    QVERIFY(lines[2].startsWith(QStringLiteral("Duty point: flow ")));

    // The pumps' setting, where it is not one pump at the curve's speed.
    QCOMPARE(CurveTexts::pumpSetText(PumpSet(pump)), QString());
    QCOMPARE(CurveTexts::pumpSetText(PumpSet(pump, 90, 2, Arrangement::Series)),
        QStringLiteral("Pumps: 2 in series at %1 % speed").arg(NumberText::fixed(90, 1)));
}

QTEST_GUILESS_MAIN(tst_SystemCurve)
#include "tst_systemcurve.moc"
