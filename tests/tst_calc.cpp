#include "calc/calcengine.h"
#include "calc/calcsheet.h"
#include "calc/calctexts.h"
#include "calc/fieldtable.h"
#include "support/calcfixture.h"
#include "support/literalscan.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <cstring>

namespace {

const QString Laminar = QStringLiteral("Flow is Laminar");
const QString Turbulent = QStringLiteral("Flow is Turbulent");
const QString Error = QStringLiteral("** Error **");
const QString FrictionError = QStringLiteral("** Error in Friction Factor **");

const QString FlowPrompt = promptText(QStringLiteral("Variabele [Flow] unknown"));
const QString DiameterPrompt
    = promptText(QStringLiteral("Variabele [Inner Pipe Diameter] unknown"));
const QString ViscosityPrompt = promptText(QStringLiteral("Variabele [Viscosity] unknown"));
const QString RoughnessPrompt
    = promptText(QStringLiteral("Variabele [Roughness Wall] unknown or incorrect "));

// Sets the viscosity so that Density * Velocity * InnerDiameter / Viscosity gives the
// target Reynolds number exactly, nudging the last bit where the division rounds off it.
void aimReynolds(CalcFixture &f, double target)
{
    f.general.Viscosity = 1;
    f.sheet.ReadInputs();
    const double numerator
        = f.general.Density * f.sheet.results().Velocity * f.general.InnerDiameter;
    double mu = numerator / target;
    for (int i = 0; i < 100 && numerator / mu != target; ++i)
        mu = std::nextafter(mu, numerator / mu > target ? INFINITY : 0.0);
    f.general.Viscosity = mu;
}

} // namespace

class tst_Calc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void formLoad();
    void restoreStartValues();
    void calcCases_data();
    void calcCases();
    void readInputsRegime_data();
    void readInputsRegime();
    void missingFlowAndDiameter();
    void answersThatAreRefused();
    void cancelAfterVelocity();
    void roughnessPrompt_data();
    void roughnessPrompt();
    void noFrictionFactor();
    void absurdInputs_data();
    void absurdInputs();
    void commaLocale();
    void engineAgreesWithSheet();
};

void tst_Calc::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void tst_Calc::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void tst_Calc::formLoad()
{
    CalcFixture f;
    QVERIFY(f.mismatches({"1=100", "2=1000", "3=1", "4=100", "23=0.01", "5=0", "6=0", "7=0"})
                .isEmpty());
    for (const FieldInfo &info : FieldTable) {
        if (info.role != FieldRole::Entry)
            QCOMPARE(f.sheet.Text0(info.index), QStringLiteral("0"));
    }
    QCOMPARE(f.general.FlowRate, 100.0);
    QCOMPARE(f.general.WallRoughness, 0.01);
    QCOMPARE(f.general.ProjectDate, CaseDate::today());
    QVERIFY(f.dialogs.prompts.isEmpty());
    QVERIFY(f.sheet.status().isEmpty());
}

void tst_Calc::restoreStartValues()
{
    CalcFixture f;
    f.apply({"1=10000", "4=50", "5=100", "6=5", "7=0.2", "23=0.05", "9=65"});
    const QString status = f.sheet.status();
    f.general.Density = 800;
    f.sheet.restoreStartValues();
    QVERIFY(
        f.mismatches({"1=100", "2=1000", "3=1", "4=100", "23=0.01", "5=0", "6=0", "7=0", "9=65"})
            .isEmpty());
    QCOMPARE(f.general.FlowRate, 100.0);
    QCOMPARE(f.general.Density, 1000.0);
    QCOMPARE(f.general.InnerDiameter, 100.0);
    QCOMPARE(f.general.Elevation, 0.0);
    QCOMPARE(f.general.WallRoughness, 0.01);
    // The window's Clear recalculates after this step; restoring does not.
    QCOMPARE(f.sheet.status(), status);
}

void tst_Calc::calcCases_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("start values") << QStringList{} << Laminar
                                  << QStringList{"11=0.0035", "12=353.7", "13=0.1810", "14=0.0000",
                                         "15=7853.9816", "16=0.0000", "17=0.0000", "18=0.0000",
                                         "19=0.0000", "21=0", "22=0.0000", "27=0.0", "28=0.14",
                                         "24=n.a.", "8=0", "25=0"};
    QTest::newRow("water, 50 mm, 100 m")
        << QStringList{"1=10000", "4=50", "5=100"} << Turbulent
        << QStringList{"11=1.41", "12=70735.5", "13=0.0201", "14=40.2000", "15=1963.4954",
               "16=196.35", "17=0.0000", "18=0.4023", "19=0.4023", "21=40228", "22=70.69",
               "27=111.7", "28=113.18", "24=0.0002"};
    QTest::newRow("with elevation, equipment, fittings")
        << QStringList{"1=10000", "4=50", "5=100", "6=5", "7=0.2", "23=0.05", "9=50"} << Turbulent
        << QStringList{"13=0.0229", "14=45.8000", "15=1963.4954", "16=196.35", "17=1.1450",
               "18=0.9603", "19=1.1603", "21=116028", "22=70.69", "27=322.3", "28=113.18",
               "24=0.0010", "8=50", "25=2.5"};
    QTest::newRow("falling pipe") << QStringList{"1=10000", "4=50", "5=100",
        "6=-20"} << Turbulent << QStringList{"18=-1.5597", "19=-1.5597", "21=-155972", "27=-433.3"};
    QTest::newRow("no length") << QStringList{"1=10000", "4=50"} << Turbulent
                               << QStringList{"14=0.0000", "16=0.0000", "22=0.0000", "18=0.0000"};
}

void tst_Calc::calcCases()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, status);
    QFETCH(QStringList, fields);

    CalcFixture f;
    f.apply(steps);
    f.sheet.Calc();
    QCOMPARE(f.sheet.status(), status);
    const QStringList wrong = f.mismatches(fields);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1String("; "))));
    QVERIFY(f.dialogs.prompts.isEmpty());
    QVERIFY(f.dialogs.messages.isEmpty());
}

void tst_Calc::readInputsRegime_data()
{
    QTest::addColumn<double>("flow");
    QTest::addColumn<double>("diameter");
    QTest::addColumn<double>("reynolds"); // 0: as the inputs give it
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("velocityText");
    QTest::addColumn<QString>("reynoldsText");

    const int laminar = int(ReadStatus::FlowLaminar);
    const int turbulent = int(ReadStatus::FlowTurbulent);
    QTest::newRow("start values") << 100.0 << 100.0 << 0.0 << laminar << "0.0035"
                                  << "353.7";
    QTest::newRow("10000 l/h in 50 mm") << 10000.0 << 50.0 << 0.0 << turbulent << "1.41"
                                        << "70735.5";
    QTest::newRow("Reynolds 2320") << 1000.0 << 100.0 << 2320.0 << turbulent << "0.0354"
                                   << "2320.0";
    QTest::newRow("Reynolds 2319.99") << 1000.0 << 100.0 << 2319.99 << laminar << "0.0354"
                                      << "2320.0";
    QTest::newRow("Reynolds 1000000") << 1000.0 << 100.0 << 1e6 << turbulent << "0.0354"
                                      << "1000000.0";
    QTest::newRow("Reynolds 1000001") << 1000.0 << 100.0 << 1000001.0 << turbulent << "0.0354"
                                      << "1.00E+06";
}

void tst_Calc::readInputsRegime()
{
    QFETCH(double, flow);
    QFETCH(double, diameter);
    QFETCH(double, reynolds);
    QFETCH(int, status);
    QFETCH(QString, velocityText);
    QFETCH(QString, reynoldsText);

    CalcFixture f;
    f.general.FlowRate = flow;
    f.general.InnerDiameter = diameter;
    if (reynolds > 0)
        aimReynolds(f, reynolds);
    QCOMPARE(int(f.sheet.ReadInputs()), status);
    if (reynolds > 0)
        QCOMPARE(f.sheet.results().Reynolds, reynolds);
    QCOMPARE(f.sheet.Text0(11), velocityText);
    QCOMPARE(f.sheet.Text0(12), reynoldsText);
    QVERIFY(f.dialogs.prompts.isEmpty());
}

void tst_Calc::missingFlowAndDiameter()
{
    CalcFixture f;
    f.general.FlowRate = 0;
    f.general.InnerDiameter = 0;
    f.dialogs.answers = QStringList{"250", ""};
    f.sheet.Calc();

    QCOMPARE(f.dialogs.promptMessages(), (QStringList{FlowPrompt, DiameterPrompt}));
    for (const auto &p : f.dialogs.prompts) {
        QCOMPARE(p.title, QStringLiteral("Input"));
        QCOMPARE(p.defaultAnswer, QStringLiteral("100"));
    }
    // The flow answered before the cancel stays taken; nothing was computed.
    QCOMPARE(f.general.FlowRate, 250.0);
    QCOMPARE(f.sheet.Text0(1), QStringLiteral("250"));
    QCOMPARE(f.general.InnerDiameter, 0.0);
    QCOMPARE(f.sheet.Text0(4), QStringLiteral("100"));
    QCOMPARE(f.sheet.Text0(11), QStringLiteral("0"));
    QCOMPARE(f.sheet.status(), Error);

    // Answered the next time, the diameter shows as its plain text.
    f.dialogs.answers = QStringList{"62.5"};
    f.sheet.Calc();
    QCOMPARE(f.sheet.Text0(4), QStringLiteral("62.5"));
    QCOMPARE(f.sheet.status(), Laminar);
}

void tst_Calc::answersThatAreRefused()
{
    CalcFixture f;
    f.general.FlowRate = 0;
    // Letters count as 0 and the same prompt comes again; so does a negative answer.
    f.dialogs.answers = QStringList{"abc", ""};
    QCOMPARE(f.sheet.ReadInputs(), ReadStatus::InputCancelled);
    QCOMPARE(f.dialogs.promptMessages(), (QStringList{FlowPrompt, FlowPrompt}));
    QCOMPARE(f.general.FlowRate, 0.0);

    f.dialogs.clearLog();
    f.dialogs.answers = QStringList{"-5", ""};
    QCOMPARE(f.sheet.ReadInputs(), ReadStatus::InputCancelled);
    QCOMPARE(f.general.FlowRate, -5.0);
    QCOMPARE(f.dialogs.prompts.size(), 2);

    f.dialogs.clearLog();
    f.dialogs.answers = QStringList{"abc", "-5", " 1e2 "};
    QCOMPARE(f.sheet.ReadInputs(), ReadStatus::FlowLaminar);
    QCOMPARE(f.dialogs.prompts.size(), 3);
    QCOMPARE(f.sheet.Text0(1), QStringLiteral("100"));
}

void tst_Calc::cancelAfterVelocity()
{
    CalcFixture f;
    f.sheet.Calc();
    f.general.FlowRate = 10000;
    f.general.Viscosity = 0;
    f.dialogs.answers = QStringList{""};
    f.sheet.Calc();
    QCOMPARE(f.dialogs.promptMessages(), QStringList{ViscosityPrompt});
    QCOMPARE(f.dialogs.prompts.first().defaultAnswer, QStringLiteral("1"));
    // The velocity was already shown; the Reynolds number and the results were not.
    QCOMPARE(f.sheet.Text0(11), QStringLiteral("0.3537"));
    QCOMPARE(f.sheet.Text0(12), QStringLiteral("353.7"));
    QCOMPARE(f.sheet.Text0(13), QStringLiteral("0.1810"));
    QCOMPARE(f.sheet.status(), Error);

    // A viscosity answered at the prompt shows with four decimals.
    f.dialogs.answers = QStringList{"1.5"};
    f.sheet.Calc();
    QCOMPARE(f.sheet.Text0(3), QStringLiteral("1.5000"));
    QCOMPARE(f.sheet.status(), Turbulent);
}

void tst_Calc::roughnessPrompt_data()
{
    QTest::addColumn<double>("flow");
    QTest::addColumn<double>("roughness");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("prompts");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("status");

    // 100 l/h in 100 mm is laminar, 10000 l/h turbulent.
    QTest::newRow("laminar, 0") << 100.0 << 0.0 << QStringList{} << 0 << 0.0 << "0.01" << Laminar;
    QTest::newRow("laminar, 7") << 100.0 << 7.0 << QStringList{} << 0 << 7.0 << "0.01" << Laminar;
    QTest::newRow("turbulent, 0, then 5 refused")
        << 10000.0 << 0.0 << QStringList{"5", "0.05"} << 2 << 0.05 << "0.05000" << Turbulent;
    QTest::newRow("turbulent, 7") << 10000.0 << 7.0 << QStringList{"0.02"} << 1 << 0.02 << "0.02000"
                                  << Turbulent;
    QTest::newRow("turbulent, 5 stored")
        << 10000.0 << 5.0 << QStringList{} << 0 << 5.0 << "0.01" << Turbulent;
    QTest::newRow("turbulent, letters")
        << 10000.0 << -1.0 << QStringList{"x", "1"} << 2 << 1.0 << "1.00000" << Turbulent;
    QTest::newRow("turbulent, cancelled")
        << 10000.0 << 0.0 << QStringList{} << 1 << 0.0 << "0.01" << Error;
}

void tst_Calc::roughnessPrompt()
{
    QFETCH(double, flow);
    QFETCH(double, roughness);
    QFETCH(QStringList, answers);
    QFETCH(int, prompts);
    QFETCH(double, stored);
    QFETCH(QString, text);
    QFETCH(QString, status);

    CalcFixture f;
    f.general.FlowRate = flow;
    f.general.WallRoughness = roughness;
    f.dialogs.answers = answers;
    f.sheet.Calc();
    QCOMPARE(f.dialogs.prompts.size(), prompts);
    for (const auto &p : f.dialogs.prompts) {
        QCOMPARE(p.message, RoughnessPrompt);
        QCOMPARE(p.defaultAnswer, QStringLiteral("0.01"));
    }
    QCOMPARE(f.general.WallRoughness, stored);
    QCOMPARE(f.sheet.Text0(23), text);
    QCOMPARE(f.sheet.status(), status);
    // The Reynolds number was shown before the prompt, also when it was cancelled.
    QCOMPARE(f.sheet.Text0(12), flow > 1000 ? QStringLiteral("35367.8") : QStringLiteral("353.7"));
}

void tst_Calc::noFrictionFactor()
{
    CalcFixture f;
    f.apply({"4=1000", "23=0.0001", "5=100", "6=5", "1=3e9"});
    QCOMPARE(literalFrictionScan(0.0001, 1000, f.sheet.results().Reynolds), 0.0);
    QCOMPARE(f.sheet.status(), FrictionError);
    // The message once per calculation; the other results use a friction factor of 0.
    QCOMPARE(f.dialogs.messageTexts(), QStringList{QStringLiteral("Friction Factor undetermined")});
    const QStringList wrong
        = f.mismatches({"13=****", "14=0.0000", "17=0.0000", "18=0.4905", "19=0.4905", "21=49050"});
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1String("; "))));

    // A friction factor found again replaces the "****".
    f.enter(23, "0.1");
    QCOMPARE(f.sheet.status(), Turbulent);
    QVERIFY(f.sheet.Text0(13) != QStringLiteral("****"));
    QCOMPARE(f.dialogs.messages.size(), 1);
}

void tst_Calc::absurdInputs_data()
{
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("diameter 1e-200") << QStringList{"4=1e-200"};
    QTest::newRow("flow 1e300") << QStringList{"1=1e300"};
    QTest::newRow("flow 1e300 with length") << QStringList{"5=100", "1=1e300"};
    QTest::newRow("viscosity 1e-310") << QStringList{"3=1e-310"};
    QTest::newRow("flow 1e-320") << QStringList{"1=1e-320", "5=10"};
    QTest::newRow("diameter 1e200") << QStringList{"9=65", "4=1e200"};
    QTest::newRow("density 1e307, elevation") << QStringList{"5=10", "6=10", "2=1e307", "1=1e5"};
}

void tst_Calc::absurdInputs()
{
    QFETCH(QStringList, steps);

    CalcFixture f;
    f.apply(steps);
    QCOMPARE(f.sheet.status(), Error);
    for (const FieldInfo &info : FieldTable) {
        const QString text = f.sheet.Text0(info.index).toLower();
        QVERIFY2(!text.contains(QLatin1String("inf")) && !text.contains(QLatin1String("nan")),
            qPrintable(QStringLiteral("Text0(%1) = %2").arg(info.index).arg(text)));
    }
    // No friction factor message for a flow that is itself out of range.
    QVERIFY(f.dialogs.messages.isEmpty());

    // Sane entries bring sane results back.
    f.apply({"1=10000", "2=1000", "3=1", "4=50", "5=100", "6=0", "9=0"});
    QCOMPARE(f.sheet.status(), Turbulent);
    QCOMPARE(f.sheet.Text0(19), QStringLiteral("0.4023"));
}

void tst_Calc::commaLocale()
{
    QLocale::setDefault(QLocale(QStringLiteral("nl_NL")));
    CalcFixture f;
    QCOMPARE(f.sheet.Text0(23), QStringLiteral("0,01"));
    f.apply({"1=10000", "4=50", "5=100", "6=5", "7=0,2", "23=0,05", "9=50"});
    const QStringList wrong = f.mismatches({"11=1,41", "12=70735,5", "13=0,0229", "16=196,35",
        "18=0,9603", "19=1,1603", "21=116028", "25=2,5"});
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1String("; "))));

    // Prompts offer their default answers in the same notation.
    f.general.WallRoughness = 0;
    f.dialogs.answers = QStringList{"0,02"};
    f.sheet.Calc();
    QCOMPARE(f.dialogs.prompts.first().defaultAnswer, QStringLiteral("0,01"));
    QCOMPARE(f.sheet.Text0(23), QStringLiteral("0,02000"));
    QCOMPARE(f.general.WallRoughness, 0.02);
}

// The pure calculation that the batch tool and the analysis windows call gives the
// main window's numbers bit for bit, and its status matches the status line.
void tst_Calc::engineAgreesWithSheet()
{
    QRandomGenerator rng(20261208);
    auto logUniform = [&rng](double lo, double hi) {
        return std::exp(std::log(lo) + rng.generateDouble() * (std::log(hi) - std::log(lo)));
    };
    for (int i = 0; i < 20000; ++i) {
        CalcFixture f;
        Inputs &in = f.general;
        in.FlowRate = logUniform(1, 1e7);
        in.Density = logUniform(500, 2000);
        in.Viscosity = logUniform(0.1, 1000);
        in.InnerDiameter = logUniform(1, 1000);
        in.WallRoughness = i % 50 == 0 ? 0.0001 : logUniform(0.001, 5);
        in.PipeLength = logUniform(1, 1000);
        in.Elevation = rng.bounded(20) - 5;
        in.ExtraLoss = rng.bounded(3);
        const int bends = int(rng.bounded(200));
        const int valves = int(rng.bounded(200));
        f.sheet.setText0(9, QString::number(bends));
        f.sheet.setText0(10, QString::number(valves));
        f.sheet.Calc();

        const CalcEngine::Outcome out = CalcEngine::evaluate(in, bends, valves);
        const Results &a = f.sheet.results();
        const Results &b = out.results;
        const double pairs[][2] = {{a.Velocity, b.Velocity}, {a.Reynolds, b.Reynolds},
            {a.FrictionFactor, b.FrictionFactor}, {a.PipeFriction, b.PipeFriction},
            {a.PipeArea, b.PipeArea}, {a.PipeVolume, b.PipeVolume},
            {a.AppendageFriction, b.AppendageFriction}, {a.PipePressureDrop, b.PipePressureDrop},
            {a.TotalPressureDrop, b.TotalPressureDrop},
            {a.TotalPressureDropPa, b.TotalPressureDropPa}, {a.ResidenceTime, b.ResidenceTime},
            {a.AppendageLength, b.AppendageLength}, {a.PowerLoss, b.PowerLoss},
            {a.ShearRate, b.ShearRate}};
        for (const auto &p : pairs)
            QVERIFY2(
                std::memcmp(&p[0], &p[1], sizeof(double)) == 0, qPrintable(QString::number(i)));
        QString expected = CalcTexts::StatusError;
        if (out.status == CalcEngine::Status::Laminar)
            expected = CalcTexts::StatusLaminar;
        else if (out.status == CalcEngine::Status::Turbulent)
            expected = CalcTexts::StatusTurbulent;
        else if (out.status == CalcEngine::Status::FrictionFactorUndetermined)
            expected = CalcTexts::StatusFrictionError;
        QCOMPARE(f.sheet.status(), expected);
    }
}

QTEST_GUILESS_MAIN(tst_Calc)
#include "tst_calc.moc"
