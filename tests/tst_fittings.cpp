// Fitting losses by the l/d of the main window and by Crane's, Hooper's and Darby's
// methods: the published values, the table that maps the count windows' types to
// published rows, and the l/d column against the main window.
#include "appendages/fittings.h"
#include "calc/calcengine.h"
#include "calc/fittingresistance.h"
#include "calc/physics.h"
#include "fittings/fittinglosses.h"
#include "support/analysiscase.h"
#include "support/calcfixture.h"

#include <QTest>

#include <cmath>

using namespace FittingResistance;
using AnalysisCase::sameBits;

namespace {

constexpr int GlobeValve = BendTypeCount + 8;
constexpr int NeedleValve = BendTypeCount + 6;

// The case of Crane TP-410 example 7-9: SAE 30 oil at 100 °F (130 cP, s = 0.87) at
// 400 US gal/min through 300 ft of 5" Schedule 40 pipe (128.2 mm), 50 ft up, with a
// gate valve (l/d 8), an angle valve (150) and an elbow (20); commercial steel,
// e = 0.0018 in.
CaseInput craneExample79()
{
    CaseInput c;
    c.inputs.FlowRate = 400 * 3.785411784 * 60;
    c.inputs.Density = 62.364 * 0.87 * 16.01846337;
    c.inputs.Viscosity = 130;
    c.inputs.InnerDiameter = 128.2;
    c.inputs.PipeLength = 300 * 0.3048;
    c.inputs.Elevation = 50 * 0.3048;
    c.inputs.WallRoughness = 0.0018 * 25.4;
    c.bendsLd = 20;
    c.valvesLd = 8 + 150;
    c.fittings = FittingMethod::Crane;
    return c;
}

double psi(double bar)
{
    return bar * Physics::PascalPerBar / 6894.757293168;
}

const TwoK &hooperRow(int type)
{
    return *fittingTypes()[size_t(type)].twoK.row;
}

} // namespace

class tst_Fittings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void publishedValues_data();
    void publishedValues();
    void everyTypeIsMappedOrMarked();
    void darbyTakesTheNearestSchedule40Size_data();
    void darbyTakesTheNearestSchedule40Size();
    void ldColumnIsTheMainWindowsAppendageDrop();
    void typesWithoutRowAreLeftOutAndHaveNoTotal();
    void methodsFollowEachFlowsReynoldsNumber();
    void lowReynoldsDisagreementIsNoted_data();
    void lowReynoldsDisagreementIsNoted();
};

void tst_Fittings::publishedValues_data()
{
    QTest::addColumn<double>("computed");
    QTest::addColumn<double>("published");
    QTest::addColumn<double>("tolerance");

    // fluids.fittings.Darby3K and Hooper2K, their documented examples.
    const ThreeK angleValve45{950, 0.25, 4};
    QTest::newRow("Darby, angle valve 45°, NPS 2, Re 1e4")
        << threeK(angleValve45, 1e4, 2) << 1.1572523963562356 << 4e-15;
    QTest::newRow("Darby, K1 950 Ki 0.25 Kd 4, NPS 12, Re 1e4")
        << threeK(angleValve45, 1e4, 12) << 0.819510280626355 << 4e-15;
    QTest::newRow("Hooper, standard globe valve (the mapped row), 2 in, Re 1e4")
        << twoK(hooperRow(GlobeValve), 1e4, 2) << 6.15 << 4e-15;
    QTest::newRow("Hooper, K1 900 Kinf 4, 2 in, Re 1e4") << twoK({900, 4}, 1e4, 2) << 6.09 << 4e-15;

    // Crane TP-410's f_T of clean commercial steel (e = 0.0018 in), to its three decimals.
    const double e = 0.0018 * 25.4;
    QTest::newRow("Crane f_T, 2 in") << fullyTurbulentFrictionFactor(e, 52.48) << 0.019 << 5e-4;
    QTest::newRow("Crane f_T, 5 in") << fullyTurbulentFrictionFactor(e, 128.2) << 0.016 << 5e-4;
    QTest::newRow("Crane f_T, 12 in") << fullyTurbulentFrictionFactor(e, 303.18) << 0.013 << 5e-4;

    // Crane TP-410 example 7-9, laminar: 26.06 psi. This program's g of 9.81 (the
    // example's 9.80665) adds 0.007 psi to the 50 ft of elevation, its f_T from the
    // roughness (0.0155 for Crane's 0.0154) 0.003 psi to the fittings.
    const CalcEngine::Outcome example = CalcEngine::evaluate(craneExample79());
    QTest::newRow("Crane example 7-9 [psi]")
        << psi(example.results.TotalPressureDrop) << 26.06 << 0.015;
}

void tst_Fittings::publishedValues()
{
    QFETCH(double, computed);
    QFETCH(double, published);
    QFETCH(double, tolerance);
    QVERIFY2(std::abs(computed - published) <= tolerance,
        qPrintable(QString::number(computed, 'g', 17)));
}

void tst_Fittings::everyTypeIsMappedOrMarked()
{
    int twoKRows = 0;
    int threeKRows = 0;
    for (int type = 0; type < FittingTypeCount; ++type) {
        const FittingType &t = fittingTypes()[size_t(type)];
        // The rows line up with the count windows'.
        QCOMPARE(QString::fromLatin1(t.label), FittingLosses::typeLabel(type));
        const QString twoKText = QString::fromUtf8(t.twoK.text);
        const QString threeKText = QString::fromUtf8(t.threeK.text);
        // A row has positive constants and its source's name; a type without one says why.
        QCOMPARE(twoKText.startsWith(QStringLiteral("no row: ")), !t.twoK.row.has_value());
        QCOMPARE(threeKText.startsWith(QStringLiteral("no row: ")), !t.threeK.row.has_value());
        if (t.twoK.row) {
            ++twoKRows;
            QVERIFY(t.twoK.row->k1 > 0 && t.twoK.row->kInf > 0);
        }
        if (t.threeK.row) {
            ++threeKRows;
            QVERIFY(t.threeK.row->k1 > 0 && t.threeK.row->ki > 0 && t.threeK.row->kd > 0);
        }
    }
    QCOMPARE(twoKRows, 10);
    QCOMPARE(threeKRows, 9);
}

void tst_Fittings::darbyTakesTheNearestSchedule40Size_data()
{
    QTest::addColumn<double>("innerDiameter");
    QTest::addColumn<double>("nps");
    QTest::newRow("2 in exactly") << 52.48 << 2.0;
    QTest::newRow("DIN 54.5 mm") << 54.5 << 2.0;
    QTest::newRow("100 mm") << 100.0 << 4.0;
    QTest::newRow("midway 1 1/2 and 2: the smaller") << (40.94 + 52.48) / 2 << 1.5;
    QTest::newRow("below the table") << 3.0 << 0.125;
    QTest::newRow("above the table") << 1200.0 << 36.0;
}

void tst_Fittings::darbyTakesTheNearestSchedule40Size()
{
    QFETCH(double, innerDiameter);
    QFETCH(double, nps);
    QCOMPARE(nominalSize(innerDiameter).nps, nps);
}

void tst_Fittings::ldColumnIsTheMainWindowsAppendageDrop()
{
    // Laminar and turbulent, fittings of both windows.
    for (const char *flow : {"300", "25000"}) {
        CalcFixture f;
        f.general.BendCounts = {1, 2, 3, 0, 1, 2};
        f.general.ValveCounts = {2, 0, 1, 0, 1, 1, 0, 0, 1, 0, 0, 1, 0};
        const FittingTotals totals = fittingTotals(f.general.BendCounts, f.general.ValveCounts);
        f.apply({QStringLiteral("1=") + QLatin1String(flow), QStringLiteral("4=50"),
            QStringLiteral("5=40"), QStringLiteral("9=%1").arg(totals.bendsLd),
            QStringLiteral("10=%1").arg(totals.valvesLd)});
        const Results &shown = f.sheet.results();
        const CaseInput c = CaseInput::of(
            f.general.inputs(), shown, {f.general.BendCounts, f.general.ValveCounts});
        const FittingLosses::Table table = FittingLosses::of(c);

        const double mainWindow = shown.Velocity * shown.Velocity * (f.general.Density * 0.5)
            * shown.AppendageFriction / Physics::PascalPerBar;
        const size_t ld = size_t(FittingMethod::Ld);
        QVERIFY(sameBits(table.fittingsDrop[ld], mainWindow));
        QVERIFY(sameBits(table.totalDrop[ld], shown.TotalPressureDrop));
        // The rows add up to it, to the rounding of the sum.
        double column = 0;
        for (const FittingLosses::Row &row : table.rows)
            column += row.pressureDrop[ld];
        QVERIFY(AnalysisCase::near(column, mainWindow, 1e-14));
    }
}

void tst_Fittings::typesWithoutRowAreLeftOutAndHaveNoTotal()
{
    CaseInput c;
    c.inputs.InnerDiameter = 52.48;
    c.counts.valves[size_t(GlobeValve - BendTypeCount)] = 2;
    c.counts.valves[size_t(NeedleValve - BendTypeCount)] = 1;
    c.valvesLd = 2 * 300 + 1000;
    const FittingLosses::Table table = FittingLosses::of(c);

    // Hooper has the globe valve, not the needle valve: the sum is the globe valves'.
    const size_t twoKMethod = size_t(FittingMethod::TwoK);
    QCOMPARE(table.leftOut[twoKMethod], std::vector<int>{NeedleValve});
    const double globe = twoK(hooperRow(GlobeValve), table.reynolds, 52.48 / 25.4);
    QVERIFY(sameBits(resistance(c.withFittings(FittingMethod::TwoK), table.reynolds), 2 * globe));
    QCOMPARE(table.rows.front().type, NeedleValve);
    QVERIFY(std::isnan(table.rows.front().k[twoKMethod]));
    QVERIFY(std::isnan(table.totalDrop[twoKMethod]));
    QVERIFY(table.fittingsDrop[twoKMethod] > 0);
    // l/d and Crane cover every type.
    QVERIFY(std::isfinite(table.totalDrop[size_t(FittingMethod::Crane)]));
    // A smooth wall has no fully turbulent friction factor: Crane covers nothing.
    c.inputs.WallRoughness = 0;
    QCOMPARE(uncovered(c.withFittings(FittingMethod::Crane)),
        (std::vector<int>{NeedleValve, GlobeValve}));
}

void tst_Fittings::methodsFollowEachFlowsReynoldsNumber()
{
    CaseInput c;
    c.inputs.InnerDiameter = 52.48;
    c.inputs.Viscosity = 50;
    c.counts.valves[size_t(GlobeValve - BendTypeCount)] = 1;
    c.valvesLd = 300;
    for (double flow : {500.0, 5000.0}) {
        const CaseInput at = c.atFlow(flow).withFittings(FittingMethod::ThreeK);
        const CalcEngine::Outcome outcome = CalcEngine::evaluate(at);
        const double re = outcome.results.Reynolds;
        QVERIFY(sameBits(
            outcome.results.AppendageFriction, 1500 / re + 1.7 * (1 + 3.6 / std::pow(2.0, 0.3))));
        // Every result after the fittings' resistance follows it, as in the main window.
        const CalcEngine::Outcome byLd = CalcEngine::evaluate(at.withFittings(FittingMethod::Ld));
        const Results &r = outcome.results;
        const double dynamic = r.Velocity * r.Velocity * (c.inputs.Density * 0.5);
        QVERIFY(sameBits(r.PipePressureDrop,
            (dynamic * (r.AppendageFriction + byLd.results.PipeFriction)) / Physics::PascalPerBar));
    }
    // By l/d the case is the main window's, bit for bit.
    const CalcEngine::Outcome ld = CalcEngine::evaluate(c);
    const CalcEngine::Outcome direct = CalcEngine::evaluate(c.inputs, c.bendsLd, c.valvesLd);
    QVERIFY(sameBits(ld.results.TotalPressureDrop, direct.results.TotalPressureDrop));
    QVERIFY(sameBits(ld.results.AppendageFriction, direct.results.AppendageFriction));
}

void tst_Fittings::lowReynoldsDisagreementIsNoted_data()
{
    QTest::addColumn<double>("viscosity");
    QTest::addColumn<bool>("noted");
    QTest::newRow("laminar, Re 70") << 1000.0 << true;
    QTest::newRow("turbulent, Re 70000") << 1.0 << false;
}

void tst_Fittings::lowReynoldsDisagreementIsNoted()
{
    QFETCH(double, viscosity);
    QFETCH(bool, noted);
    CaseInput c;
    c.inputs.FlowRate = 10000;
    c.inputs.InnerDiameter = 50;
    c.inputs.Viscosity = viscosity;
    c.counts.valves[size_t(GlobeValve - BendTypeCount)] = 1;
    c.valvesLd = 300;
    const FittingLosses::Table table = FittingLosses::of(c);
    QCOMPARE(FittingLosses::disagreesAtLowReynolds(table), noted);
    QVERIFY(FittingLosses::spread(table).has_value());
}

QTEST_GUILESS_MAIN(tst_Fittings)
#include "tst_fittings.moc"
