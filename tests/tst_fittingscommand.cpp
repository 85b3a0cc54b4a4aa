// zeptor-cli fittings and curve --fittings, run in process.
#include "support/analysiscase.h"
#include "support/inprocesscli.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace CliRun;

namespace {

QJsonObject object(const QByteArray &line)
{
    return QJsonDocument::fromJson(line).object();
}

} // namespace

class tst_FittingsCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsPerCountedTypeAndTheTotals();
    void curveByAMethod();
    void exitStatuses_data();
    void exitStatuses();
};

void tst_FittingsCommand::rowsPerCountedTypeAndTheTotals()
{
    const Run json = runInProcess({"fittings", example("cooling-water.dvl")});
    QCOMPARE(json.exitCode, 0);
    QCOMPARE(json.err, QString());
    const QList<QByteArray> rows = lines(json.out);
    QCOMPARE(rows.size(), 10); // nine counted types and the totals
    const QJsonObject bend = object(rows.first());
    QCOMPARE(bend.value("type").toString(), QStringLiteral("90 bend, R=5D"));
    QCOMPARE(bend.value("count").toInt(), 4);
    QCOMPARE(bend.value("ld").toDouble(), 16.0);
    QVERIFY(bend.value("K_crane").toDouble() > 0);
    QVERIFY(bend.value("K_2k").isNull() && bend.value("K_3k").isNull());

    // The l/d total is the json command's total pressure drop; the methods without a row
    // for a counted bend have none.
    const QJsonObject total = object(rows.last()).value("total").toObject();
    const Run calculated = runInProcess({"json", example("cooling-water.dvl")});
    const QJsonObject results = object(calculated.out).value("results").toObject();
    QVERIFY(AnalysisCase::sameBits(
        total.value("ld").toDouble(), results.value("TotalPressureDrop").toDouble()));
    QVERIFY(AnalysisCase::sameBits(
        total.value("reynolds").toDouble(), results.value("Reynolds").toDouble()));
    QVERIFY(total.value("crane").toDouble() > 0);
    QVERIFY(total.value("2k").isNull() && total.value("3k").isNull());

    // The CSV: the same rows, with the pressure drops, and the same numbers.
    const Run csv = runInProcess({"fittings", "--format", "csv", example("cooling-water.dvl")});
    QCOMPARE(csv.exitCode, 0);
    const QList<QByteArray> csvRows = lines(csv.out);
    QCOMPARE(csvRows.size(), 11);
    QVERIFY(csvRows[0].startsWith("type,count,l/d [-],K ld [-],K crane [-],K 2k [-],K 3k [-],"));
    QVERIFY(csvRows[1].startsWith("\"90 bend, R=5D\",4,16,"));
    QVERIFY(csvRows.last().startsWith("total,,,,,,,"));
    const QList<QByteArray> totals = csvRows.last().split(',');
    QVERIFY(AnalysisCase::sameBits(totals[7].toDouble(), total.value("ld").toDouble()));
    QCOMPARE(totals[9], QByteArray()); // 2k
}

void tst_FittingsCommand::curveByAMethod()
{
    const QStringList args = {"curve", example("appendages.dvl"), "--points", "3"};
    const Run ld = runInProcess(args);
    const Run crane = runInProcess(args + QStringList{"--fittings", "crane"});
    QCOMPARE(crane.exitCode, 0);
    const QList<QByteArray> ldPoints = lines(ld.out);
    const QList<QByteArray> cranePoints = lines(crane.out);
    QCOMPARE(cranePoints.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QJsonObject byLd = object(ldPoints[i]);
        const QJsonObject byCrane = object(cranePoints[i]);
        QVERIFY(!byLd.contains("fittings"));
        QCOMPARE(byCrane.value("fittings").toString(), QStringLiteral("crane"));
        // The rest of the point is the json object of the case at that flow.
        QCOMPARE(byCrane.value("results"), byLd.value("results"));
        QVERIFY(byCrane.value("head").toDouble() != byLd.value("head").toDouble());
    }
    // The CSV rows are the method's: the same heads.
    const Run csv = runInProcess(args + QStringList{"--fittings", "crane", "--format", "csv"});
    const QList<QByteArray> last = lines(csv.out).last().split(',');
    QVERIFY(AnalysisCase::sameBits(
        last.last().toDouble(), object(cranePoints.last()).value("head").toDouble()));
}

void tst_FittingsCommand::exitStatuses_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");
    const QString file = example("appendages.dvl");
    QTest::newRow("no file") << QStringList{"fittings"} << 64 << QString();
    QTest::newRow("unknown method") << QStringList{"curve", file, "--fittings", "4k"} << 64
                                    << QStringLiteral("--fittings takes ld, crane, 2k or 3k");
    QTest::newRow("file missing") << QStringList{"fittings", file + "-missing"} << 1 << QString();
    // Hooper has no row for the case's R = 5D bends: no curve rather than one without them.
    QTest::newRow("method without a row") << QStringList{"curve", file, "--fittings",
        "2k"} << 2 << QStringLiteral("Hooper 2-K gives no K for \"90 bend, R=5D\"");
}

void tst_FittingsCommand::exitStatuses()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, error);
    const Run run = runInProcess(args);
    QCOMPARE(run.exitCode, status);
    QVERIFY2(run.err.contains(error), qPrintable(run.err));
    if (status != 0)
        QCOMPARE(run.out, QByteArray());
}

QTEST_GUILESS_MAIN(tst_FittingsCommand)
#include "tst_fittingscommand.moc"
