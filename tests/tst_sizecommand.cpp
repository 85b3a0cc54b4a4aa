#include "support/inprocesscli.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace CliRun;

namespace {

QJsonObject object(const QByteArray &line)
{
    return QJsonDocument::fromJson(line).object();
}

} // namespace

class tst_SizeCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void jsonRowsInThePickersOrder();
    void rowIsTheJsonOfTheCaseWithThatDiameter_data();
    void rowIsTheJsonOfTheCaseWithThatDiameter();
    void csvIsTheSameUnderEveryLocale();
    void exitCodes_data();
    void exitCodes();
    void promptingRowsAreLeftOut();

private:
    QTemporaryDir m_dir;
};

void tst_SizeCommand::jsonRowsInThePickersOrder()
{
    const Run all = runCli({"size", example("turbulent.dvl")});
    QCOMPARE(all.exitCode, 0);
    QCOMPARE(all.err, QString());
    const QList<QByteArray> rows = lines(all.out);
    QCOMPARE(rows.size(), 26);
    const QJsonObject first = object(rows.first());
    QCOMPARE(first.value("standard").toString(), QStringLiteral("ISO"));
    QCOMPARE(first.value("size").toString(), QStringLiteral("22.6 mm"));
    QCOMPARE(first.value("inner_diameter").toDouble(), 22.6);
    QCOMPARE(object(rows[9]).value("size").toString(), QStringLiteral("7.0 mm"));
    QCOMPARE(object(rows.last()).value("standard").toString(), QStringLiteral("DIN"));

    const Run din = runCli({"size", "--standard=DIN", example("turbulent.dvl")});
    QCOMPARE(lines(din.out), rows.mid(9));
    const Run iso = runCli({"size", example("turbulent.dvl"), "--standard", "iso"});
    QCOMPARE(lines(iso.out), rows.mid(0, 9));
}

void tst_SizeCommand::rowIsTheJsonOfTheCaseWithThatDiameter_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("row");
    QTest::addColumn<QByteArray>("diameter");
    // Fittings and elevation: the equivalent length follows the diameter.
    QTest::newRow("ISO 29.0") << QStringList{} << 2 << QByteArray("29");
    QTest::newRow("DIN 54.5") << QStringList{"--standard", "DIN"} << 8 << QByteArray("54.5");
    QTest::newRow("user table") << QStringList{"--table", "TABLE"} << 1 << QByteArray("80.9");
}

void tst_SizeCommand::rowIsTheJsonOfTheCaseWithThatDiameter()
{
    QFETCH(QStringList, options);
    QFETCH(int, row);
    QFETCH(QByteArray, diameter);
    const QString table
        = writeFile(m_dir, "pipes.csv", "size,inner diameter [mm]\nDN 65,70.3\n3\" sch 40,80.9\n");
    options.replaceInStrings(QStringLiteral("TABLE"), table);

    const Run sized = runCli(QStringList{"size", example("appendages.dvl")} + options);
    QCOMPARE(sized.exitCode, 0);
    const QByteArray line = lines(sized.out).at(row);

    // The same case saved with that diameter, calculated by json.
    const QString path
        = writeFile(m_dir, "appendages.dvl", exampleWith("appendages.dvl", 4, diameter));
    const Run json = runCli({"json", path});
    QCOMPARE(json.exitCode, 0);
    QByteArray expected = json.out;
    expected.replace(QDir::toNativeSeparators(path).toUtf8(), example("appendages.dvl").toUtf8());
    expected.chop(2); // "}\n": the size command's members come before the brace
    QVERIFY2(line.startsWith(expected), line.constData());
    QVERIFY(line.mid(expected.size()).startsWith(",\"standard\":"));
    QCOMPARE(object(line).value("inner_diameter").toDouble(), diameter.toDouble());
}

void tst_SizeCommand::csvIsTheSameUnderEveryLocale()
{
    const QStringList args = {"size", "--format", "csv", example("cooling-water.dvl")};
    const Run c = runCli(args, QStringLiteral("C.UTF-8"));
    const Run nl = runCli(args, QStringLiteral("nl_NL.UTF-8"));
    QCOMPARE(c.exitCode, 0);
    QCOMPARE(nl.out, c.out);
    const QList<QByteArray> rows = lines(c.out);
    QCOMPARE(rows.size(), 27);
    QVERIFY(rows[0].startsWith("standard,size,inner diameter [mm],velocity [m/s],"));

    // The numbers are those of the json rows, bit for bit.
    const Run json = runCli({"size", example("cooling-water.dvl")});
    for (int i : {0, 12, 25}) {
        const QList<QByteArray> fields = rows[i + 1].split(',');
        const QJsonObject results = object(lines(json.out).at(i)).value("results").toObject();
        QCOMPARE(fields[3].toDouble(), results.value("Velocity").toDouble());
        QCOMPARE(fields[7].toDouble(), results.value("PipePressureDrop").toDouble());
        QCOMPARE(fields[10].toDouble(), results.value("PowerLoss").toDouble());
    }
}

void tst_SizeCommand::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("bad table") << QStringList{"CASE", "--table", "BAD"} << 1
                               << "bad.csv, line 3: \"54,5\" is not a number";
    QTest::newRow("missing table") << QStringList{"CASE", "--table", "/nonexistent/pipes.csv"} << 1
                                   << "/nonexistent/pipes.csv cannot be read";
    QTest::newRow("missing case") << QStringList{"/nonexistent/case.dvl"} << 1
                                  << "/nonexistent/case.dvl";
    QTest::newRow("unknown standard") << QStringList{"CASE", "--standard", "ANSI"} << 64
                                      << "--standard takes ISO, DIN or all, not 'ANSI'";
    QTest::newRow("unknown format")
        << QStringList{"CASE", "--format=xml"} << 64 << "--format takes json or csv";
    QTest::newRow("two files") << QStringList{"CASE", "other.dvl"} << 64 << "one project file";
    QTest::newRow("standard and table")
        << QStringList{"CASE", "--standard", "DIN", "--table", "BAD"} << 64 << "exclude each other";
    QTest::newRow("unknown locale")
        << QStringList{"CASE", "--locale", "bogus_XX"} << 64 << "unknown locale";
    QTest::newRow("option twice") << QStringList{"CASE", "--format", "csv", "--format", "json"}
                                  << 64 << "--format is given twice";
}

void tst_SizeCommand::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString bad
        = writeFile(m_dir, "bad.csv", "size,inner diameter [mm]\nDN 40,43.1\n\"DN 50\",\"54,5\"\n");
    args.replaceInStrings(QStringLiteral("BAD"), bad);
    args.replaceInStrings(QStringLiteral("CASE"), example("turbulent.dvl"));
    const Run run = runInProcess(QStringList{"size"} + args);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, QByteArray());
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
}

// Without a roughness the turbulent rows would prompt for one; the laminar rows of the
// wide pipes are written.
void tst_SizeCommand::promptingRowsAreLeftOut()
{
    // 1000 l/h (line 1) without a roughness (line 8).
    QList<QByteArray> all = exampleWith("turbulent.dvl", 1, "1000").split('\n');
    all[7] = "0\r";
    const QString both = writeFile(m_dir, "slow-no-roughness.dvl", all.join('\n'));
    const QString path = writeFile(m_dir, "no-roughness.dvl", exampleWith("turbulent.dvl", 8, "0"));

    for (const QString &format : {QStringLiteral("json"), QStringLiteral("csv")}) {
        const Run run = runCli({"size", both, "--format", format, "--standard", "DIN"});
        QCOMPARE(run.exitCode, 2);
        const QList<QByteArray> rows = lines(run.out);
        // 1000 l/h of water is laminar from 159.3 mm up: four rows.
        QCOMPARE(rows.size(), format == QLatin1String("csv") ? 5 : 4);
        QVERIFY(rows.last().contains("309.7"));
        const QStringList notes = run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(notes.size(), 13);
        QVERIFY2(notes.first().contains(QStringLiteral("Roughness")), qPrintable(notes.first()));
        QVERIFY(notes.first().endsWith(QStringLiteral("(DIN 7.0 mm)")));
    }
    QCOMPARE(runCli({"size", path}).exitCode, 2);
    QCOMPARE(runCli({"size", path}).out, QByteArray());
}

QTEST_GUILESS_MAIN(tst_SizeCommand)
#include "tst_sizecommand.moc"
