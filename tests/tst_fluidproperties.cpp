#include "fluid/fluidproperties.h"
#include "numerics/glycol.h"
#include "numerics/water.h"

#include <QTest>

#include <cmath>

namespace {

// The releases print their check values to a number of digits: a result meets one when
// it rounds to it, that is, lies within half a unit of the last digit printed.
bool meets(double actual, double printed, double lastDigit)
{
    return std::fabs(actual - printed) <= 0.5 * lastDigit;
}

bool near(double actual, double expected, double relative)
{
    return std::fabs(actual - expected) <= relative * std::fabs(expected);
}

FluidRequest water(double temperature, double pressure = StandardPressure)
{
    FluidRequest r;
    r.fluid = Fluid::Water;
    r.temperature = temperature;
    r.pressure = pressure;
    return r;
}

FluidRequest glycol(Fluid fluid, double concentration, double temperature)
{
    FluidRequest r;
    r.fluid = fluid;
    r.concentration = concentration;
    r.temperature = temperature;
    return r;
}

} // namespace

class tst_FluidProperties : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void if97Region1_data();
    void if97Region1();
    void if97Saturation();
    void viscosity2008_data();
    void viscosity2008();
    void waterThroughTheFront();
    void glycolFits_data();
    void glycolFits();
    void glycolFreeIsWater();
    void freezingPoints_data();
    void freezingPoints();
    void rangeEdges_data();
    void rangeEdges();
    void refusalStatesTheRange();
    void refusalTellsValueFromLimit_data();
    void refusalTellsValueFromLimit();
    void unknownFluid();
    void textsFollowTheLocale();
};

// IAPWS R7-97(2012), table 5.
void tst_FluidProperties::if97Region1_data()
{
    QTest::addColumn<double>("temperature");
    QTest::addColumn<double>("pressure");
    QTest::addColumn<double>("volume");
    QTest::addColumn<double>("lastDigit");
    QTest::newRow("300 K, 3 MPa") << 300.0 << 3.0 << 0.100215168e-2 << 1e-11;
    QTest::newRow("300 K, 80 MPa") << 300.0 << 80.0 << 0.971180894e-3 << 1e-12;
    QTest::newRow("500 K, 3 MPa") << 500.0 << 3.0 << 0.120241800e-2 << 1e-11;
}

void tst_FluidProperties::if97Region1()
{
    QFETCH(double, temperature);
    QFETCH(double, pressure);
    QFETCH(double, volume);
    QFETCH(double, lastDigit);
    const double v = Water::specificVolume(temperature, pressure);
    QVERIFY2(meets(v, volume, lastDigit), qPrintable(QString::number(v, 'e', 12)));
}

// IAPWS R7-97(2012), tables 35 and 36.
void tst_FluidProperties::if97Saturation()
{
    QVERIFY(meets(Water::saturationPressure(300), 0.353658941e-2, 1e-11));
    QVERIFY(meets(Water::saturationPressure(500), 0.263889776e1, 1e-8));
    QVERIFY(meets(Water::saturationPressure(600), 0.123443146e2, 1e-7));
    QVERIFY(meets(Water::saturationTemperature(0.1), 0.372755919e3, 1e-6));
    QVERIFY(meets(Water::saturationTemperature(1), 0.453035632e3, 1e-6));
    QVERIFY(meets(Water::saturationTemperature(10), 0.584149488e3, 1e-6));
}

// IAPWS R12-08, table 4 (µPa·s).
void tst_FluidProperties::viscosity2008_data()
{
    QTest::addColumn<double>("temperature");
    QTest::addColumn<double>("density");
    QTest::addColumn<double>("viscosity");
    QTest::newRow("298.15 K, 998 kg/m3") << 298.15 << 998.0 << 889.735100;
    QTest::newRow("298.15 K, 1200 kg/m3") << 298.15 << 1200.0 << 1437.649467;
    QTest::newRow("373.15 K, 1000 kg/m3") << 373.15 << 1000.0 << 307.883622;
}

void tst_FluidProperties::viscosity2008()
{
    QFETCH(double, temperature);
    QFETCH(double, density);
    QFETCH(double, viscosity);
    const double mu = Water::viscosity(temperature, density);
    QVERIFY2(meets(mu, viscosity, 1e-6), qPrintable(QString::number(mu, 'f', 9)));
}

// The front converts °C, bar and µPa·s: 226.85 °C and 30 bar are the release's 500 K
// and 3 MPa; the viscosity comes in cP at that density.
void tst_FluidProperties::waterThroughTheFront()
{
    const FluidResult r = fluidProperties(water(226.85, 30));
    QVERIFY2(r.ok(), qPrintable(r.error));
    QVERIFY(meets(1.0 / r.density, 0.120241800e-2, 1e-11));
    QCOMPARE(r.viscosity, Water::viscosity(500, r.density) / 1000);
    QVERIFY(std::isnan(r.freezingPoint));

    // Cooling water at 60 °C and atmospheric pressure: 983.2106 kg/m³ and 0.466043 cP.
    const FluidResult cooling = fluidProperties(water(60));
    QCOMPARE(densityText(cooling.density, QLocale::c()), QStringLiteral("983.21"));
    QCOMPARE(viscosityText(cooling.viscosity, QLocale::c()), QStringLiteral("0.4660"));
}

// Values of Melinder's fits at 20 % and 40 % by mass (viscosity in mPa·s), as an
// independent evaluation of the published coefficients gives them to 5 digits.
void tst_FluidProperties::glycolFits_data()
{
    QTest::addColumn<int>("fluid");
    QTest::addColumn<double>("concentration");
    QTest::addColumn<double>("temperature");
    QTest::addColumn<double>("density");
    QTest::addColumn<double>("viscosity");
    const int eg = int(Fluid::EthyleneGlycol);
    const int pg = int(Fluid::PropyleneGlycol);
    QTest::newRow("EG 20 %, 5 °C") << eg << 20.0 << 5.0 << 1028.1 << 2.6594;
    QTest::newRow("EG 20 %, 20 °C") << eg << 20.0 << 20.0 << 1024.1 << 1.6624;
    QTest::newRow("EG 20 %, 40 °C") << eg << 20.0 << 40.0 << 1016.4 << 1.0133;
    QTest::newRow("EG 40 %, 5 °C") << eg << 40.0 << 5.0 << 1058.5 << 4.7569;
    QTest::newRow("EG 40 %, 20 °C") << eg << 40.0 << 20.0 << 1051.9 << 2.8191;
    QTest::newRow("EG 40 %, 40 °C") << eg << 40.0 << 40.0 << 1041.4 << 1.6351;
    QTest::newRow("PG 20 %, 5 °C") << pg << 20.0 << 5.0 << 1019.1 << 3.4941;
    QTest::newRow("PG 20 %, 20 °C") << pg << 20.0 << 20.0 << 1014.8 << 2.0301;
    QTest::newRow("PG 20 %, 40 °C") << pg << 20.0 << 40.0 << 1006.4 << 1.1693;
    QTest::newRow("PG 40 %, 5 °C") << pg << 40.0 << 5.0 << 1040.1 << 8.9817;
    QTest::newRow("PG 40 %, 20 °C") << pg << 40.0 << 20.0 << 1032.3 << 4.3838;
    QTest::newRow("PG 40 %, 40 °C") << pg << 40.0 << 40.0 << 1020.1 << 2.1408;
}

void tst_FluidProperties::glycolFits()
{
    QFETCH(int, fluid);
    QFETCH(double, concentration);
    QFETCH(double, temperature);
    QFETCH(double, density);
    QFETCH(double, viscosity);
    const FluidResult r = fluidProperties(glycol(Fluid(fluid), concentration, temperature));
    QVERIFY2(r.ok(), qPrintable(r.error));
    QVERIFY2(near(r.density, density, 1e-4), qPrintable(QString::number(r.density)));
    QVERIFY2(near(r.viscosity, viscosity, 1e-4), qPrintable(QString::number(r.viscosity)));
}

// At 0 % both fits must give back water: a wrong sign in a coefficient that multiplies
// a power of the concentration shows here first.
void tst_FluidProperties::glycolFreeIsWater()
{
    for (Fluid fluid : {Fluid::EthyleneGlycol, Fluid::PropyleneGlycol}) {
        for (double t : {0.5, 20.0, 50.0, 80.0, 99.0}) {
            const FluidResult g = fluidProperties(glycol(fluid, 0, t));
            const FluidResult w = fluidProperties(water(t));
            QVERIFY2(g.ok() && w.ok(), qPrintable(g.error + w.error));
            QVERIFY2(near(g.density, w.density, 0.002), qPrintable(QString::number(t)));
            QVERIFY2(near(g.viscosity, w.viscosity, 0.025), qPrintable(QString::number(t)));
        }
    }
}

void tst_FluidProperties::freezingPoints_data()
{
    QTest::addColumn<int>("fluid");
    QTest::addColumn<double>("concentration");
    QTest::addColumn<double>("freezingPoint");
    const int eg = int(Fluid::EthyleneGlycol);
    const int pg = int(Fluid::PropyleneGlycol);
    const double points[][3] = {{10, -3.357, -2.867}, {20, -7.949, -7.173}, {30, -14.576, -12.789},
        {40, -23.813, -20.568}, {50, -35.994, -32.193}, {60, -51.201, -50.003}};
    for (const auto &p : points) {
        QTest::addRow("EG %g %%", p[0]) << eg << p[0] << p[1];
        QTest::addRow("PG %g %%", p[0]) << pg << p[0] << p[2];
    }
}

void tst_FluidProperties::freezingPoints()
{
    QFETCH(int, fluid);
    QFETCH(double, concentration);
    QFETCH(double, freezingPoint);
    // Just above the freezing point the result carries it; the fit is read to 0.01 K.
    const FluidResult r = fluidProperties(glycol(Fluid(fluid), concentration, 20));
    QVERIFY2(r.ok(), qPrintable(r.error));
    QVERIFY2(std::fabs(r.freezingPoint - freezingPoint) < 0.005,
        qPrintable(QString::number(r.freezingPoint)));
}

void tst_FluidProperties::rangeEdges_data()
{
    QTest::addColumn<int>("fluid");
    QTest::addColumn<double>("temperature");
    QTest::addColumn<double>("pressureOrConcentration");
    QTest::addColumn<bool>("accepted");
    const int w = int(Fluid::Water);
    const int eg = int(Fluid::EthyleneGlycol);
    const int pg = int(Fluid::PropyleneGlycol);
    // Water boils at 99.974 °C at 1.01325 bar and at 311.00 °C at 100 bar; IF97 region 1
    // ends at 350 °C, short of the boiling point from 165.29 bar up.
    QTest::newRow("water at the triple point") << w << 0.01 << StandardPressure << true;
    QTest::newRow("triple point pressure") << w << 0.01 << 0.00611657 << true;
    QTest::newRow("ice") << w << 0.0 << StandardPressure << false;
    QTest::newRow("water just below boiling") << w << 99.97 << StandardPressure << true;
    QTest::newRow("steam") << w << 99.98 << StandardPressure << false;
    QTest::newRow("water at 100 bar") << w << 310.99 << 100.0 << true;
    QTest::newRow("steam at 100 bar") << w << 311.01 << 100.0 << false;
    QTest::newRow("water at 1000 bar") << w << 350.0 << 1000.0 << true;
    QTest::newRow("above 1000 bar") << w << 20.0 << 1000.01 << false;
    QTest::newRow("beyond region 1 at 200 bar") << w << 350.01 << 200.0 << false;
    QTest::newRow("beyond region 1 at 1000 bar") << w << 350.01 << 1000.0 << false;
    QTest::newRow("vacuum") << w << 20.0 << 0.0 << false;
    QTest::newRow("negative pressure") << w << 20.0 << -1.0 << false;
    QTest::newRow("water temperature NaN") << w << qQNaN() << StandardPressure << false;
    QTest::newRow("water pressure infinite") << w << 20.0 << qInf() << false;
    QTest::newRow("EG 30 % above freezing") << eg << -14.57 << 30.0 << true;
    QTest::newRow("EG 30 % below freezing") << eg << -14.58 << 30.0 << false;
    QTest::newRow("EG at 100 °C") << eg << 100.0 << 30.0 << true;
    QTest::newRow("EG above 100 °C") << eg << 100.01 << 30.0 << false;
    QTest::newRow("EG 0 %") << eg << 20.0 << 0.0 << true;
    QTest::newRow("EG 0 % at 0 °C") << eg << 0.0 << 0.0 << true;
    QTest::newRow("EG below 0 %") << eg << 20.0 << -0.01 << false;
    QTest::newRow("PG 60 %") << pg << 20.0 << 60.0 << true;
    QTest::newRow("PG above 60 %") << pg << 20.0 << 60.01 << false;
    QTest::newRow("PG 60 % below freezing") << pg << -50.01 << 60.0 << false;
    QTest::newRow("PG concentration NaN") << pg << 20.0 << qQNaN() << false;
}

void tst_FluidProperties::rangeEdges()
{
    QFETCH(int, fluid);
    QFETCH(double, temperature);
    QFETCH(double, pressureOrConcentration);
    QFETCH(bool, accepted);
    const FluidResult r = Fluid(fluid) == Fluid::Water
        ? fluidProperties(water(temperature, pressureOrConcentration))
        : fluidProperties(glycol(Fluid(fluid), pressureOrConcentration, temperature));
    QCOMPARE(r.ok(), accepted);
    QVERIFY(!r.source.isEmpty());
    QVERIFY(!r.validRange.isEmpty());
    if (accepted) {
        QVERIFY(std::isfinite(r.density) && r.density > 600 && r.density < 1100);
        QVERIFY(std::isfinite(r.viscosity) && r.viscosity > 0);
    } else {
        // A refusal computes nothing that could be taken for a result.
        QVERIFY(std::isnan(r.density));
        QVERIFY(std::isnan(r.viscosity));
    }
}

void tst_FluidProperties::refusalStatesTheRange()
{
    const QLocale c = QLocale::c();
    const FluidResult steam = fluidProperties(water(120), c);
    QVERIFY(steam.error.contains(QStringLiteral("steam")));
    QVERIFY(steam.error.contains(QStringLiteral("99.97 °C")));
    QVERIFY(steam.error.contains(QStringLiteral("0.01 °C")));
    QVERIFY(steam.validRange.contains(QStringLiteral("99.97 °C")));

    const FluidResult ice = fluidProperties(water(-5), c);
    QVERIFY(ice.error.contains(QStringLiteral("ice")));

    const FluidResult pressure = fluidProperties(water(20, 1500), c);
    QVERIFY(pressure.error.contains(QStringLiteral("IAPWS-IF97 region 1")));
    QVERIFY(pressure.error.contains(QStringLiteral("0.00611657 to 1000 bar")));

    const FluidResult frozen = fluidProperties(glycol(Fluid::PropyleneGlycol, 30, -20), c);
    QVERIFY(frozen.error.contains(QStringLiteral("freezing point of -12.79 °C")));
    QVERIFY(frozen.error.contains(QStringLiteral("100 °C")));
    QCOMPARE(frozen.freezingPoint, Glycol::freezingPoint(Glycol::Kind::Propylene, 30));

    const FluidResult strong = fluidProperties(glycol(Fluid::EthyleneGlycol, 70, 20), c);
    QVERIFY(strong.error.contains(QStringLiteral("0 to 60 % by mass")));
}

// A refused value never reads as the limit it passes, nor on the accepted side of it.
void tst_FluidProperties::refusalTellsValueFromLimit_data()
{
    QTest::addColumn<int>("fluid");
    QTest::addColumn<double>("temperature");
    QTest::addColumn<double>("pressureOrConcentration");
    QTest::addColumn<QString>("message");
    const int w = int(Fluid::Water);
    const int eg = int(Fluid::EthyleneGlycol);
    const int pg = int(Fluid::PropyleneGlycol);
    QTest::newRow("above 1000 bar")
        << w << 20.0 << 1000.0000001
        << "A pressure of 1000.0000001 bar is outside the range of IAPWS-IF97 region 1 for "
           "liquid water: 0.00611657 to 1000 bar absolute.";
    QTest::newRow("below the triple point")
        << w << 20.0 << 0.0061165699999 << "A pressure of 0.0061165699999 bar";
    QTest::newRow("ice") << w << 0.0099999999999 << StandardPressure
                         << "Water at 0.0099999999999 °C is ice";
    QTest::newRow("boiling point rounded up")
        << w << 311.0 << 100.0 << "Water at 311 °C and 100 bar is steam: it boils at 310.999 °C";
    QTest::newRow("end of region 1")
        << w << 350.0000001 << 1000.0
        << "Water at 350.0000001 °C and 1000 bar is outside IAPWS-IF97 region 1, which gives "
           "liquid water from 0.01 °C up to 350.00 °C at this pressure.";
    QTest::newRow("tiny pressure") << w << 20.0 << 1e-310 << "A pressure of **** bar";
    QTest::newRow("small pressure") << w << 20.0 << 1e-305 << "A pressure of 1E-305 bar";
    QTest::newRow("EG above 100 °C") << eg << 100.0000001 << 30.0 << "100.0000001 °C is above";
    QTest::newRow("EG above 60 %") << eg << 20.0 << 60.0000001 << "of 60.0000001 % is";
    QTest::newRow("EG freezing point rounded down")
        << eg << -14.58 << 30.0 << "at -14.58 °C is below its freezing point of -14.576 °C";
    QTest::newRow("PG freezing point rounded down")
        << pg << -0.026 << 0.0 << "at -0.026 °C is below its freezing point of -0.025 °C";
}

void tst_FluidProperties::refusalTellsValueFromLimit()
{
    QFETCH(int, fluid);
    QFETCH(double, temperature);
    QFETCH(double, pressureOrConcentration);
    QFETCH(QString, message);
    const FluidResult r = Fluid(fluid) == Fluid::Water
        ? fluidProperties(water(temperature, pressureOrConcentration), QLocale::c())
        : fluidProperties(glycol(Fluid(fluid), pressureOrConcentration, temperature), QLocale::c());
    QVERIFY2(r.error.contains(message), qPrintable(r.error));
}

void tst_FluidProperties::unknownFluid()
{
    QCOMPARE(fluidFromName(QStringLiteral("water")), Fluid::Water);
    QCOMPARE(fluidFromName(QStringLiteral("propylene-glycol")), Fluid::PropyleneGlycol);
    QVERIFY(!fluidFromName(QStringLiteral("oil")));
    QVERIFY(!fluidFromName(QStringLiteral("Water")));
    FluidRequest r;
    r.fluid = Fluid(7);
    const FluidResult result = fluidProperties(r);
    QVERIFY(!result.ok());
    QVERIFY(result.error.contains(knownFluidNames()));
}

void tst_FluidProperties::textsFollowTheLocale()
{
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    const FluidResult r = fluidProperties(water(60), dutch);
    QVERIFY(r.validRange.contains(QStringLiteral("99,97 °C")));
    QVERIFY(r.validRange.contains(QStringLiteral("1,01325 bar")));
    QVERIFY(fluidProperties(water(20, 1000.0000001), dutch)
                .error.contains(QStringLiteral("1000,0000001 bar")));
    QCOMPARE(densityText(r.density, dutch), QStringLiteral("983,21"));
    QCOMPARE(viscosityText(r.viscosity, dutch), QStringLiteral("0,4660"));
    // Hot water keeps three significant digits of its viscosity.
    QCOMPARE(viscosityText(0.085937, QLocale::c()), QStringLiteral("0.08594"));
    QCOMPARE(viscosityText(12.34567, QLocale::c()), QStringLiteral("12.3457"));
}

QTEST_GUILESS_MAIN(tst_FluidProperties)
#include "tst_fluidproperties.moc"
