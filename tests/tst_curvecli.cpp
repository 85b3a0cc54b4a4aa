#include "support/analysiscase.h"
#include "support/inprocesscli.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <charconv>
#include <cmath>
#include <cstring>

// zeptor-cli curve as a user runs it: the points are 'json' cases, byte for byte.
using namespace CliRun;

using namespace AnalysisCase;

namespace {

// An example with its first line (the flow rate) replaced.
QString exampleWithFlow(const QTemporaryDir &dir, const char *name, const QByteArray &flow)
{
    QFile in(example(name));
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QByteArrayList rows = in.readAll().split('\n');
    rows[0] = flow + '\r';
    const QString path = dir.filePath(QLatin1String(name));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return {};
    out.write(rows.join('\n'));
    return path;
}

// The object without its "file" member, which names different files here.
QByteArray withoutFile(const QByteArray &line)
{
    return line.mid(line.indexOf("\"status\""));
}

} // namespace

class tst_CurveCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pointIsTheJsonCase_data();
    void pointIsTheJsonCase();
    void csvInEveryLocale();
    void dutyPoint();
    void exitCodes_data();
    void exitCodes();
    void pointsThatWouldPrompt();
    void noResultHasNoHead();
    void pumpsAtWork();
    void outputLost_data();
    void outputLost();
};

void tst_CurveCli::pointIsTheJsonCase_data()
{
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("k");
    QTest::addColumn<QByteArray>("flow"); // to * k / points as the file writes it
    QTest::newRow("turbulent") << QByteArray("20000") << 2 << 1 << QByteArray("10000");
    QTest::newRow("appendages, odd step") << QByteArray("1000.1") << 7 << 3 << QByteArray();
    QTest::newRow("last point") << QByteArray("500") << 5 << 5 << QByteArray("500");
}

void tst_CurveCli::pointIsTheJsonCase()
{
    QFETCH(QByteArray, to);
    QFETCH(int, points);
    QFETCH(int, k);
    QFETCH(QByteArray, flow);
    const char *name = QTest::currentDataTag()[0] == 'a' ? "appendages.dvl" : "turbulent.dvl";
    if (flow.isEmpty()) {
        char buffer[32];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, to.toDouble() * k / points);
        flow = QByteArray(buffer, r.ptr - buffer);
    }
    const Run curve = runCli({QStringLiteral("curve"), example(name), QStringLiteral("--to"),
        QString::fromLatin1(to), QStringLiteral("--points"), QString::number(points)});
    QCOMPARE(curve.exitCode, 0);
    const QByteArrayList rows = lines(curve.out);
    QCOMPARE(rows.size(), points);

    // The extra loss follows the square of the flow: the case at that flow has
    // e * (flow / own flow)^2.
    QTemporaryDir dir;
    QString file = exampleWithFlow(dir, name, flow);
    QFile own(example(name));
    QVERIFY(own.open(QIODevice::ReadOnly));
    const QByteArrayList entries = own.readAll().split('\n');
    const double ratio = flow.toDouble() / entries[0].trimmed().toDouble();
    char extra[32];
    const double scaled = entries[6].trimmed().toDouble() * (ratio * ratio);
    QFile atFlow(file);
    QVERIFY(atFlow.open(QIODevice::ReadOnly));
    QByteArrayList rowsAtFlow = atFlow.readAll().split('\n');
    rowsAtFlow[6]
        = QByteArray(extra, std::to_chars(extra, extra + sizeof extra, scaled).ptr - extra) + '\r';
    atFlow.close();
    file = writeFile(dir, QStringLiteral("scaled.dvl"), rowsAtFlow.join('\n'));
    const Run json = runCli({QStringLiteral("json"), file});
    QCOMPARE(json.exitCode, 0);
    const QByteArray line = rows[k - 1];
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    const double density
        = object[QStringLiteral("fields")][QStringLiteral("2")].toString().toDouble();
    const double drop
        = object[QStringLiteral("results")][QStringLiteral("TotalPressureDrop")].toDouble();
    QVERIFY(sameBits(object[QStringLiteral("flow")].toDouble(), to.toDouble() * k / points));
    QVERIFY(sameBits(object[QStringLiteral("head")].toDouble(), drop * 100000 / (density * 9.81)));
    // Everything before "flow" is what 'json' writes for that case, byte for byte.
    const QByteArray expected = withoutFile(lines(json.out).first());
    QCOMPARE(withoutFile(line).left(line.indexOf(",\"flow\":") - line.indexOf("\"status\"")),
        expected.chopped(1));
}

void tst_CurveCli::csvInEveryLocale()
{
    const QStringList args = {QStringLiteral("curve"), example("appendages.dvl"),
        QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--points=20")};
    const Run c = runCli(args, QStringLiteral("C.UTF-8"));
    const Run nl = runCli(args, QStringLiteral("nl_NL.UTF-8"));
    QCOMPARE(c.exitCode, 0);
    QCOMPARE(nl.out, c.out);
    const QByteArrayList rows = lines(c.out);
    QCOMPARE(rows.size(), 21);
    QCOMPARE(rows[0],
        QByteArray("flow [l/h],status,velocity [m/s],reynolds [-],friction factor "
                   "[-],pressure drop [bar],pressure drop [Pa],head [m]"));
    QCOMPARE(rows[1].count(','), 7);
}

void tst_CurveCli::dutyPoint()
{
    const Run run
        = runCli({QStringLiteral("curve"), example("turbulent.dvl"), QStringLiteral("--pump"),
            example("pump-curve.csv"), QStringLiteral("--points"), QStringLiteral("3")});
    QCOMPARE(run.exitCode, 0);
    const QByteArrayList rows = lines(run.out);
    QCOMPARE(rows.size(), 4);
    const QJsonObject duty
        = QJsonDocument::fromJson(rows.last()).object()[QStringLiteral("duty")].toObject();
    QCOMPARE(duty.keys(),
        QStringList({"arrangement", "crossings", "efficiency", "flow", "flow_per_pump", "head",
            "head_per_pump", "npshr", "pump_head", "pumps", "shaft_power", "specific_energy",
            "speed"}));
    QVERIFY(qAbs(duty[QStringLiteral("flow")].toDouble() - 14530.75) < 0.01);
    QVERIFY(
        qAbs(duty[QStringLiteral("head")].toDouble() - duty[QStringLiteral("pump_head")].toDouble())
        < 1e-6);

    // A pump too weak for the system: no duty point, and why.
    QTemporaryDir dir;
    const QString weak = dir.filePath(QStringLiteral("weak.csv"));
    QFile f(weak);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("flow [l/h],head [m]\n5000,1\n8000,0.8\n12000,0.5\n");
    f.close();
    const Run none = runCli({QStringLiteral("curve"), example("turbulent.dvl"),
        QStringLiteral("--pump"), weak, QStringLiteral("--points"), QStringLiteral("1")});
    QCOMPARE(none.exitCode, 0);
    const QJsonObject last = QJsonDocument::fromJson(lines(none.out).last()).object();
    QVERIFY(last[QStringLiteral("duty")].isNull());
    QVERIFY(last[QStringLiteral("reason")].toString().contains(QStringLiteral("more head")));

    // As CSV: the pump's head beside each point, and the duty point in the output too.
    const Run csv = runInProcess({QStringLiteral("curve"), example("turbulent.dvl"),
        QStringLiteral("--pump"), example("pump-curve.csv"), QStringLiteral("--points=2"),
        QStringLiteral("--to=30000"), QStringLiteral("--format=csv")});
    QCOMPARE(csv.exitCode, 0);
    const QByteArrayList table = lines(csv.out);
    QCOMPARE(table.size(), 4);
    QVERIFY(table[0].endsWith(",head [m],pump head [m]"));
    QVERIFY(table[2].endsWith(",")); // 30000 l/h lies beyond the pump's points
    QVERIFY2(table[3].startsWith("# duty: flow 14530.7"), table[3].constData());
    QVERIFY(table[3].contains(", efficiency ") && table[3].contains(", npshr "));
    QVERIFY(csv.err.contains(QStringLiteral("duty point: flow 14530.7")));
}

void tst_CurveCli::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString file = example("turbulent.dvl");
    const QString curve = QStringLiteral("curve");
    QTest::newRow("bad pump") << QStringList{curve, file, "--pump", file} << 1
                              << "turbulent.dvl, line 1: unknown column";
    QTest::newRow("no pump file") << QStringList{curve, file, "--pump", "/no/such.csv"} << 1
                                  << "such.csv cannot be read";
    QTest::newRow("no project") << QStringList{curve, "/no/such.dvl"} << 1 << "such.dvl";
    QTest::newRow("no flow") << QStringList{curve, file, "--to", "0"} << 64 << "--to needs";
    QTest::newRow("points") << QStringList{curve, file, "--points", "x"} << 64 << "--points needs";
    QTest::newRow("format") << QStringList{curve, file, "--format", "xml"} << 64 << "json or csv";
    QTest::newRow("two files") << QStringList{curve, file, file} << 64 << "one project file";
    QTest::newRow("unknown locale")
        << QStringList{curve, file, "--locale", "bogus_XX"} << 64 << "unknown locale 'bogus_XX'";
    QTest::newRow("option twice") << QStringList{curve, file, "--points", "5", "--points", "6"}
                                  << 64 << "--points is given twice";
    QTest::newRow("vapour twice") << QStringList{curve, file, "--vapour-pressure", "0.02",
        "--temperature", "20"} << 64
                                  << "exclude each other";
    QTest::newRow("speed and flow") << QStringList{curve, file, "--speed", "90", "--duty-flow",
        "9000"} << 64 << "exclude each other";
    QTest::newRow("flows overflow")
        << QStringList{curve, file, "--to", "1e308", "--points", "2"} << 64 << "too large";
}

void tst_CurveCli::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const Run run = runInProcess(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    if (exitCode != 0)
        QCOMPARE(run.out, QByteArray());
}

void tst_CurveCli::pointsThatWouldPrompt()
{
    QTemporaryDir dir;
    // No flow rate in the file and no --to: the case prompts, as 'json' tells.
    const Run noFlow = runCli({QStringLiteral("curve"), exampleWithFlow(dir, "start.dvl", "0")});
    QCOMPARE(noFlow.exitCode, 2);
    QVERIFY(noFlow.out.isEmpty());
    QVERIFY2(
        noFlow.err.contains(QStringLiteral("Variabele [Flow] unknown")), qPrintable(noFlow.err));

    // No roughness: laminar points are written, turbulent ones would prompt for it.
    QFile in(example("start.dvl"));
    QVERIFY(in.open(QIODevice::ReadOnly));
    QByteArrayList rows = in.readAll().split('\n');
    rows[7] = "0\r";
    const QString path = dir.filePath(QStringLiteral("smooth.dvl"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(rows.join('\n'));
    out.close();
    const Run run = runCli({QStringLiteral("curve"), path, QStringLiteral("--to"),
        QStringLiteral("1000"), QStringLiteral("--points"), QStringLiteral("10")});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(lines(run.out).size(), 6); // up to 600 l/h, below Re 2320
    QVERIFY2(run.err.contains(QStringLiteral("(flow 700 l/h)")), qPrintable(run.err));

    // Nothing is written for a case that needs an answer, not even the duty point.
    const Run withPump = runInProcess({QStringLiteral("curve"), path, QStringLiteral("--to"),
        QStringLiteral("1000"), QStringLiteral("--points"), QStringLiteral("10"),
        QStringLiteral("--pump"), example("pump-curve.csv")});
    QCOMPARE(withPump.exitCode, 2);
    QCOMPARE(withPump.out, run.out);
}

// A point without a friction factor has no head: null, not 0.
void tst_CurveCli::noResultHasNoHead()
{
    const Run run = runInProcess(
        {QStringLiteral("curve"), example("no-root.dvl"), QStringLiteral("--points"), "1"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains("\"flow\":4241150.0819999995,\"head\":null}"));
}

// Two pumps in parallel with a suction line and water at 20 C; then the speed for a flow.
void tst_CurveCli::pumpsAtWork()
{
    QTemporaryDir dir;
    // 5 m of the same pipe, the liquid 2 m above the pump.
    QByteArrayList rows = exampleWith("turbulent.dvl", 6, "-2").split('\n');
    rows[4] = "5\r";
    const QString suction = writeFile(dir, "suction.dvl", rows.join('\n'));
    const QStringList common{"curve", example("turbulent.dvl"), "--pump", example("pump-curve.csv"),
        "--suction", suction, "--temperature", "20"};
    const Run run = runInProcess(common + QStringList{"--pumps", "2", "--points", "3"});
    QCOMPARE(run.exitCode, 0);
    const QByteArrayList out = lines(run.out);
    QCOMPARE(out.size(), 4);
    const QJsonObject point = QJsonDocument::fromJson(out[1]).object();
    QVERIFY(point.value("suction_head").toDouble() < 0);
    QVERIFY(point.value("npsha").toDouble() > 10);
    const QJsonObject duty = QJsonDocument::fromJson(out.last()).object().value("duty").toObject();
    QCOMPARE(duty.value("arrangement").toString(), QStringLiteral("parallel"));
    QCOMPARE(duty.value("flow_per_pump").toDouble(), duty.value("flow").toDouble() / 2);
    QVERIFY(near(duty.value("npsh_ratio").toDouble(),
        duty.value("npsha").toDouble() / duty.value("npshr").toDouble(), 1e-12));
    QVERIFY(duty.contains("max_flow_npsh") && duty.value("crossings").toArray().size() == 1);

    const Run speed = runInProcess(common + QStringList{"--duty-flow", "12000", "--points", "1"});
    const QJsonObject found
        = QJsonDocument::fromJson(lines(speed.out).last()).object().value("duty").toObject();
    QVERIFY(near(found.value("flow").toDouble(), 12000, 1e-6));
    QVERIFY(found.value("speed").toDouble() < 100);
}

// Every command that writes to a full disk says so and ends with status 3.
void tst_CurveCli::outputLost_data()
{
    QTest::addColumn<QStringList>("args");
    const QString file = example("turbulent.dvl");
    const QString pump = example("pump-curve.csv");
    QTest::newRow("curve") << QStringList{"curve", file};
    QTest::newRow("curve csv") << QStringList{"curve", file, "--format", "csv"};
    QTest::newRow("curve pump") << QStringList{"curve", file, "--pump", pump};
    QTest::newRow("size") << QStringList{"size", file};
    QTest::newRow("size csv") << QStringList{"size", file, "--format", "csv"};
    QTest::newRow("fluid") << QStringList{"fluid", "water", "--temperature", "20"};
}

void tst_CurveCli::outputLost()
{
    QFETCH(QStringList, args);
    const Run run = runCli(args, testLocaleName(), {}, QStringLiteral("/dev/full"));
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(
        run.err.contains(QStringLiteral("cannot write to standard output")), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(tst_CurveCli)
#include "tst_curvecli.moc"
