#include "fluid/fluidproperties.h"
#include "support/inprocesscli.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

namespace {

using CliRun::Run;

Run runCommand(const QStringList &args)
{
    return CliRun::runInProcess(QStringList{QStringLiteral("fluid")} + args);
}

QJsonObject onlyLine(const QByteArray &out)
{
    if (!out.endsWith('\n') || out.count('\n') != 1)
        return {};
    return QJsonDocument::fromJson(out).object();
}

} // namespace

class tst_FluidCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void water();
    void glycol();
    void exitCodes_data();
    void exitCodes();
    void theProgramDispatches();
};

void tst_FluidCommand::water()
{
    const Run run = runCommand({"water", "--temperature", "60.5", "--pressure=3"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    const QJsonObject o = onlyLine(run.out);
    QCOMPARE(o.keys().size(), 7);
    QCOMPARE(o.value("fluid").toString(), QStringLiteral("water"));
    QCOMPARE(o.value("temperature").toDouble(), 60.5);
    QCOMPARE(o.value("pressure").toDouble(), 3.0);
    FluidRequest request;
    request.temperature = 60.5;
    request.pressure = 3;
    const FluidResult expected = fluidProperties(request, QLocale::c());
    // The numbers read back exactly.
    QCOMPARE(o.value("density").toDouble(), expected.density);
    QCOMPARE(o.value("viscosity").toDouble(), expected.viscosity);
    QCOMPARE(o.value("source").toString(), expected.source);
    QCOMPARE(o.value("valid_range").toString(), expected.validRange);
    QVERIFY(!o.contains("freezing_point"));

    // Without --pressure: atmospheric.
    const QJsonObject standard = onlyLine(runCommand({"water", "--temperature", "20"}).out);
    QCOMPARE(standard.value("pressure").toDouble(), StandardPressure);
}

void tst_FluidCommand::glycol()
{
    const Run run
        = runCommand({"--concentration", "30", "propylene-glycol", "--temperature", "-5"});
    QCOMPARE(run.exitCode, 0);
    const QJsonObject o = onlyLine(run.out);
    QCOMPARE(o.keys().size(), 8);
    QCOMPARE(o.value("fluid").toString(), QStringLiteral("propylene-glycol"));
    QCOMPARE(o.value("concentration").toDouble(), 30.0);
    QCOMPARE(o.value("temperature").toDouble(), -5.0);
    QVERIFY(!o.contains("pressure"));
    QVERIFY(qAbs(o.value("freezing_point").toDouble() + 12.789) < 0.001);
    QVERIFY(o.value("density").toDouble() > 1000);
    QVERIFY(o.value("source").toString().contains(QStringLiteral("Melinder")));
}

void tst_FluidCommand::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("steam") << QStringList{"water", "--temperature", "120"} << 2 << "99.97 °C";
    QTest::newRow("ice") << QStringList{"water", "--temperature", "-1"} << 2 << "0.01 °C";
    QTest::newRow("pressure") << QStringList{"water", "--temperature", "20", "--pressure", "1001"}
                              << 2 << "1000 bar";
    QTest::newRow("below freezing") << QStringList{"ethylene-glycol", "--concentration", "30",
        "--temperature", "-20"} << 2 << "-14.58 °C";
    QTest::newRow("concentration") << QStringList{"ethylene-glycol", "--concentration", "61",
        "--temperature", "20"} << 2 << "0 to 60 %";
    QTest::newRow("unknown fluid") << QStringList{"oil", "--temperature", "20"} << 64
                                   << "water, ethylene-glycol and propylene-glycol";
    QTest::newRow("name in capitals")
        << QStringList{"Water", "--temperature", "20"} << 64 << "unknown fluid 'Water'";
    QTest::newRow("no fluid") << QStringList{"--temperature", "20"} << 64 << "fluid";
    QTest::newRow("no temperature") << QStringList{"water"} << 64 << "--temperature";
    QTest::newRow("value missing")
        << QStringList{"water", "--temperature"} << 64 << "--temperature";
    QTest::newRow("not a number") << QStringList{"water", "--temperature", "60,5"} << 64 << "60,5";
    QTest::newRow("twice") << QStringList{"water", "--temperature", "1", "--temperature=2"} << 64
                           << "twice";
    QTest::newRow("unknown option")
        << QStringList{"water", "--temperature", "1", "--fast"} << 64 << "--fast";
    QTest::newRow("two fluids") << QStringList{"water", "water", "--temperature", "1"} << 64
                                << "one fluid";
    QTest::newRow("pressure of a glycol") << QStringList{"propylene-glycol", "--concentration",
        "30", "--temperature", "5", "--pressure", "2"}
                                          << 64 << "--pressure";
    QTest::newRow("glycol without concentration")
        << QStringList{"propylene-glycol", "--temperature", "5"} << 64 << "--concentration";
    QTest::newRow("concentration of water") << QStringList{"water", "--temperature", "5",
        "--concentration", "30"} << 64 << "--concentration";
}

void tst_FluidCommand::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const Run run = runCommand(args);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, QByteArray());
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(run.err.startsWith(QStringLiteral("zeptor-cli: ")));
}

// The program hands the word "fluid" to the command before its own options; numbers
// are read with a decimal point whatever the user's locale (this test also runs under
// nl_NL).
void tst_FluidCommand::theProgramDispatches()
{
    QProcess p;
    p.start(QStringLiteral(ZEPTOR_CLI_PATH),
        {"fluid", "ethylene-glycol", "--concentration", "20.5", "--temperature", "10.5"});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    const QJsonObject o = onlyLine(p.readAllStandardOutput());
    QCOMPARE(o.value("concentration").toDouble(), 20.5);
    QCOMPARE(o.value("temperature").toDouble(), 10.5);

    p.start(QStringLiteral(ZEPTOR_CLI_PATH), {"fluid", "water", "--temperature", "101"});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 2);
    QCOMPARE(p.readAllStandardOutput(), QByteArray());
    QVERIFY(p.readAllStandardError().contains("steam"));
}

QTEST_GUILESS_MAIN(tst_FluidCommand)
#include "tst_fluidcommand.moc"
