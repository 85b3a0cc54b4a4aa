#include "project/dvlfile.h"
#include "project/loadcase.h"
#include "support/calcfixture.h"
#include "support/clirun.h"
#include "support/testlocale.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <sys/stat.h>

using namespace CliRun;

namespace {

// The locale environment this test runs under, which the tool gets too.

QList<QJsonObject> jsonLines(const QByteArray &out)
{
    QList<QJsonObject> objects;
    for (const QByteArray &line : out.split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
        if (error.error != QJsonParseError::NoError)
            qWarning("not JSON: %s", line.constData());
        objects << doc.object();
    }
    return objects;
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

class tst_Cli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void jsonOfEveryExample();
    void reportsAreSeparatedByFormFeed();
    void exitCodes_data();
    void exitCodes();
    void localeOfTheUser();
    void localeNames_data();
    void localeNames();
    void sameCaseInEveryLocale();
    void unusualFileNames();
    void helpAndVersion();
    void sameBytesOnEveryNumberOfJobs_data();
    void sameBytesOnEveryNumberOfJobs();
    void namesFromStandardInput();
    void longListFromFile_data();
    void longListFromFile();
    void outputThatCannotBeWritten();
};

void tst_Cli::jsonOfEveryExample()
{
    const char *names[]
        = {"start.dvl", "turbulent.dvl", "appendages.dvl", "cooling-water.dvl", "no-root.dvl"};
    QStringList args = {QStringLiteral("json")};
    for (const char *name : names)
        args << example(name);
    const Run run = runCli(args);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    const QList<QJsonObject> objects = jsonLines(run.out);
    QCOMPARE(objects.size(), 5);

    const QStringList resultNames = {"Velocity", "Reynolds", "FrictionFactor", "PipeFriction",
        "PipeArea", "PipeVolume", "AppendageFriction", "PipePressureDrop", "TotalPressureDrop",
        "TotalPressureDropPa", "ResidenceTime", "RelativeRoughness", "BendsLd", "ValvesLd",
        "AppendageLength", "PowerLoss", "ShearRate"};
    QLocale::setDefault(testLocale());
    for (int i = 0; i < 5; ++i) {
        const QJsonObject o = objects[i];
        QCOMPARE(o.value("file").toString(), example(names[i]));

        // The same case loaded in this process: texts equal, numbers bit-identical.
        CalcFixture f;
        const DvlFile::LoadResult loaded = DvlFile::load(example(names[i]));
        QVERIFY(loaded.ok());
        LoadCase::loadCase(f.sheet, *loaded.projectCase, example(names[i]));
        QCOMPARE(o.value("status").toString(), f.sheet.status());

        const QJsonObject fields = o.value("fields").toObject();
        QCOMPARE(fields.size(), qsizetype(FieldTable.size()));
        for (const FieldInfo &field : FieldTable)
            QCOMPARE(
                fields.value(QString::number(field.index)).toString(), f.sheet.Text0(field.index));

        const QJsonObject results = o.value("results").toObject();
        QCOMPARE(results.keys().size(), resultNames.size());
        const Results &r = f.sheet.results();
        const double expected[] = {r.Velocity, r.Reynolds, r.FrictionFactor, r.PipeFriction,
            r.PipeArea, r.PipeVolume, r.AppendageFriction, r.PipePressureDrop, r.TotalPressureDrop,
            r.TotalPressureDropPa, r.ResidenceTime, r.RelativeRoughness, r.BendsLd, r.ValvesLd,
            r.AppendageLength, r.PowerLoss, r.ShearRate};
        for (int k = 0; k < resultNames.size(); ++k) {
            const QJsonValue v = results.value(resultNames[k]);
            QVERIFY2(v.isDouble(), qPrintable(resultNames[k]));
            QVERIFY2(sameBits(v.toDouble(), expected[k]), qPrintable(resultNames[k]));
        }
    }
    QCOMPARE(objects[0].value("fields").toObject().value("24").toString(), QStringLiteral("n.a."));
    QCOMPARE(
        objects[2].value("fields").toObject().value("21").toString(), QStringLiteral("116028"));
    QCOMPARE(
        objects[4].value("status").toString(), QStringLiteral("** Error in Friction Factor **"));
    QCOMPARE(objects[4].value("fields").toObject().value("13").toString(), QStringLiteral("****"));
    QCOMPARE(objects[4].value("messages").toArray(),
        QJsonArray({QStringLiteral("Friction Factor undetermined")}));
    QCOMPARE(objects[1].value("messages").toArray(), QJsonArray());
}

void tst_Cli::reportsAreSeparatedByFormFeed()
{
    const Run run = runCli(
        {QStringLiteral("report"), example("turbulent.dvl"), example("cooling-water.dvl")});
    QCOMPARE(run.exitCode, 0);
    const QString out = QString::fromUtf8(run.out);
    const QStringList reports = out.split(QStringLiteral("\f\n"));
    QCOMPARE(reports.size(), 2);
    for (const QString &report : reports) {
        QVERIFY(report.endsWith(QLatin1Char('\n')));
        QCOMPARE(report.count(QLatin1Char('\n')), 62);
        QVERIFY(report.startsWith(QStringLiteral("Zeptor\n")));
    }
    QVERIFY(reports[0].contains(
        num("    ==>                                          0.4023 [bar]\n")));
    QVERIFY(reports[1].contains(QStringLiteral(
        "    Project Name                                 Cooling water, line 3\n")));

    const Run one = runCli({QStringLiteral("report"), example("start.dvl")});
    QVERIFY(!one.out.contains('\f'));
}

void tst_Cli::exitCodes_data()
{
    QTest::addColumn<QStringList>("files"); // "good", "bad", "prompt", "missing", "pipe"
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("objects");

    QTest::newRow("all good") << QStringList{"good", "good"} << 0 << 2;
    QTest::newRow("unloadable file") << QStringList{"good", "bad", "good"} << 1 << 2;
    QTest::newRow("missing file") << QStringList{"missing", "good"} << 1 << 1;
    QTest::newRow("prompt") << QStringList{"prompt", "good"} << 2 << 1;
    QTest::newRow("named pipe") << QStringList{"pipe", "good"} << 1 << 1;
    QTest::newRow("both: load failure wins") << QStringList{"prompt", "bad", "good"} << 1 << 1;
}

void tst_Cli::exitCodes()
{
    QFETCH(QStringList, files);
    QFETCH(int, exitCode);
    QFETCH(int, objects);

    QTemporaryDir dir;
    const QString bad = writeFile(dir, "bad case.dvl", exampleWith("turbulent.dvl", 4, "fifty"));
    const QString prompt = writeFile(dir, "no flow.dvl", exampleWith("turbulent.dvl", 1, "0"));
    const QString missing = dir.filePath(QStringLiteral("gone.dvl"));
    // Nobody writes to the pipe: a tool that opened it for reading would wait forever.
    const QString pipe = dir.filePath(QStringLiteral("pipe.dvl"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    QStringList args = {QStringLiteral("json")};
    for (const QString &file : files) {
        args << (file == QLatin1String("good")    ? example("turbulent.dvl")
                : file == QLatin1String("bad")    ? bad
                : file == QLatin1String("prompt") ? prompt
                : file == QLatin1String("pipe")   ? pipe
                                                  : missing);
    }
    const Run run = runCli(args);
    QCOMPARE(run.exitCode, exitCode);
    const QList<QJsonObject> out = jsonLines(run.out);
    QCOMPARE(out.size(), objects);
    for (const QJsonObject &o : out)
        QCOMPARE(o.value("file").toString(), example("turbulent.dvl"));
    if (files.contains(QLatin1String("bad"))) {
        QVERIFY2(run.err.contains(bad), qPrintable(run.err));
        QVERIFY2(run.err.contains(QStringLiteral("line 4")), qPrintable(run.err));
    }
    if (files.contains(QLatin1String("missing")))
        QVERIFY2(run.err.contains(missing), qPrintable(run.err));
    if (files.contains(QLatin1String("pipe"))) {
        QVERIFY2(run.err.contains(pipe), qPrintable(run.err));
        QVERIFY2(run.err.contains(QStringLiteral("not a regular file")), qPrintable(run.err));
    }
    if (files.contains(QLatin1String("prompt"))) {
        QVERIFY2(run.err.contains(prompt), qPrintable(run.err));
        QVERIFY2(run.err.contains(QStringLiteral("Variabele [Flow] unknown")), qPrintable(run.err));
    }
    if (exitCode == 0)
        QCOMPARE(run.err, QString());
}

void tst_Cli::localeOfTheUser()
{
    const QStringList args = {QStringLiteral("json"), example("cooling-water.dvl")};
    const QJsonObject german = jsonLines(runCli(args, QStringLiteral("de_DE.UTF-8")).out).value(0);
    QCOMPARE(german.value("fields").toObject().value("2").toString(), QStringLiteral("998,2"));
    QCOMPARE(german.value("results").toObject().value("PipeVolume").toDouble(),
        jsonLines(runCli(args).out)
            .value(0)
            .value("results")
            .toObject()
            .value("PipeVolume")
            .toDouble());

    const QJsonObject forced
        = jsonLines(runCli({QStringLiteral("json"), QStringLiteral("--locale"),
                               QStringLiteral("nl_NL"), example("appendages.dvl")})
                        .out)
              .value(0);
    QCOMPARE(forced.value("fields").toObject().value("7").toString(), QStringLiteral("0,2"));

    const Run report = runCli(
        {QStringLiteral("report"), example("appendages.dvl")}, QStringLiteral("de_DE.UTF-8"));
    QVERIFY(report.out.contains(
        "    Date                                         07.12.2026 09:30:00\n"));
}

// A name the locale data does not know is refused rather than replaced by another locale.
void tst_Cli::localeNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("diameterText");

    QTest::newRow("language and territory") << "nl_NL" << 0 << "1,5";
    QTest::newRow("with codeset") << "nl_NL.UTF-8" << 0 << "1,5";
    QTest::newRow("language only") << "de" << 0 << "1,5";
    QTest::newRow("C") << "C" << 0 << "1.5";
    QTest::newRow("unknown language") << "xx_YY" << 64 << "";
    QTest::newRow("unknown territory") << "nl_XX" << 64 << "";
    QTest::newRow("not a locale name") << "klingon" << 64 << "";
}

void tst_Cli::localeNames()
{
    QFETCH(QString, name);
    QFETCH(int, exitCode);
    QFETCH(QString, diameterText);
    QTemporaryDir dir;
    const QString file = writeFile(dir, "case.dvl", exampleWith("turbulent.dvl", 4, "1.5"));
    const Run run = runCli({QStringLiteral("json"), QStringLiteral("--locale=") + name, file});
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode == 64) {
        QVERIFY(run.out.isEmpty());
        QVERIFY2(
            run.err.contains(QStringLiteral("unknown locale '%1'").arg(name)), qPrintable(run.err));
        return;
    }
    const QJsonObject o = jsonLines(run.out).value(0);
    QCOMPARE(o.value("fields").toObject().value("4").toString(), diameterText);
}

// The same files under the C and a comma-decimal locale: the numbers of the results are
// the same bits, the field texts differ only in the decimal separator.
void tst_Cli::sameCaseInEveryLocale()
{
    QStringList args = {QStringLiteral("json")};
    for (const char *name :
        {"start.dvl", "turbulent.dvl", "appendages.dvl", "cooling-water.dvl", "no-root.dvl"})
        args << example(name);
    const QList<QJsonObject> point = jsonLines(runCli(args, QStringLiteral("C.UTF-8")).out);
    const QList<QJsonObject> comma = jsonLines(runCli(args, QStringLiteral("nl_NL.UTF-8")).out);
    QCOMPARE(point.size(), 5);
    QCOMPARE(comma.size(), point.size());
    bool anyDecimal = false;
    for (qsizetype i = 0; i < point.size(); ++i) {
        QCOMPARE(comma[i].value("results"), point[i].value("results"));
        QCOMPARE(comma[i].value("status"), point[i].value("status"));
        const QJsonObject pointFields = point[i].value("fields").toObject();
        const QJsonObject commaFields = comma[i].value("fields").toObject();
        QCOMPARE(commaFields.keys(), pointFields.keys());
        for (const QString &key : pointFields.keys()) {
            QString expected = pointFields.value(key).toString();
            // A point followed by a digit is a decimal point; "n.a." stays as it is.
            for (qsizetype k = 0; k + 1 < expected.size(); ++k) {
                if (expected[k] == QLatin1Char('.') && expected[k + 1].isDigit()) {
                    expected[k] = QLatin1Char(',');
                    anyDecimal = true;
                }
            }
            QCOMPARE(commaFields.value(key).toString(), expected);
        }
    }
    QVERIFY(anyDecimal);
}

void tst_Cli::unusualFileNames()
{
    QTemporaryDir dir;
    QFile source(example("turbulent.dvl"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    const QString odd = writeFile(dir,
        "Gr\xc3\xb6\xc3\x9f"
        "e \"A\\B\" \xe2\x82\xac.dvl",
        bytes);
    const QString dashed = writeFile(dir, "-case.dvl", bytes);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const Run run
        = runCli({QStringLiteral("json"), odd, QStringLiteral("--"), QStringLiteral("-case.dvl")});
    QDir::setCurrent(previous);
    QCOMPARE(run.exitCode, 0);
    const QList<QJsonObject> objects = jsonLines(run.out);
    QCOMPARE(objects.size(), 2);
    QCOMPARE(objects[0].value("file").toString(), odd);
    QCOMPARE(objects[1].value("file").toString(), QStringLiteral("-case.dvl"));
    QCOMPARE(objects[1].value("fields").toObject().value("21").toString(), QStringLiteral("40228"));
}

void tst_Cli::helpAndVersion()
{
    const Run version = runCli({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QByteArray("1.5.0\n"));

    const Run help = runCli({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    for (const char *part : {"report", "json", "form feed", "standard error", "Exit status",
             "--locale", "--jobs", "--files-from", "  3   the output could not be written"})
        QVERIFY2(help.out.contains(part), part);

    for (const QStringList &wrong :
        {QStringList{}, QStringList{"print", "x.dvl"}, QStringList{"json"},
            QStringList{"json", "--colour", "x.dvl"}, QStringList{"json", "-j", "0", "x.dvl"},
            QStringList{"json", "x.dvl", "--jobs"}, QStringList{"json", "--files-from"}}) {
        const Run run = runCli(wrong);
        QCOMPARE(run.exitCode, 64);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.contains(QStringLiteral("--help")));
    }
}

// A few hundred files, among them some that cannot be loaded and some that would
// prompt: the output, the lines on standard error and the exit status are the same
// whatever the number of workers.
void tst_Cli::sameBytesOnEveryNumberOfJobs_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("json") << QStringLiteral("json");
    QTest::newRow("report") << QStringLiteral("report");
}

void tst_Cli::sameBytesOnEveryNumberOfJobs()
{
    QFETCH(QString, command);
    QTemporaryDir dir;
    const char *names[]
        = {"start.dvl", "turbulent.dvl", "appendages.dvl", "cooling-water.dvl", "no-root.dvl"};
    QStringList args = {command};
    int unloadable = 0;
    int prompting = 0;
    for (int i = 0; i < 300; ++i) {
        const QByteArray name = QByteArray::number(i) + ".dvl";
        if (i % 37 == 5 || i % 97 == 50) {
            args << (i % 37 == 5 ? writeFile(dir, name, exampleWith("turbulent.dvl", 4, "fifty"))
                                 : dir.filePath(QStringLiteral("gone.dvl")));
            ++unloadable;
        } else if (i % 41 == 7) {
            args << writeFile(dir, name, exampleWith("turbulent.dvl", 1, "0"));
            ++prompting;
        } else {
            args << writeFile(
                dir, name, exampleWith(names[i % 5], 1, QByteArray::number(100 + i * 37.5)));
        }
    }
    const Run one = runCli(args + QStringList{QStringLiteral("-j"), QStringLiteral("1")});
    QCOMPARE(one.exitCode, 1);
    QCOMPARE(one.err.count(QStringLiteral("Cannot load")), unloadable);
    QCOMPARE(one.err.count(QStringLiteral("Variabele [Flow] unknown")), prompting);
    const int done = 300 - unloadable - prompting;
    if (command == QLatin1String("json"))
        QCOMPARE(jsonLines(one.out).size(), done);
    else
        QCOMPARE(one.out.count('\f'), done - 1);
    for (const char *jobs : {"2", "3"}) {
        const Run many = runCli(args + QStringList{QStringLiteral("--jobs"), jobs});
        QCOMPARE(many.exitCode, one.exitCode);
        QCOMPARE(many.err, one.err);
        QVERIFY(many.out == one.out);
    }
}

// Names from a list on standard input, with blanks, characters beyond ASCII, an empty
// line and a Windows line end, after one name from the command line.
void tst_Cli::namesFromStandardInput()
{
    QTemporaryDir dir;
    QFile source(example("appendages.dvl"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    const QStringList names = {writeFile(dir, "two  blanks .dvl", bytes),
        writeFile(dir,
            "Gr\xc3\xb6\xc3\x9f"
            "e \xe2\x82\xac \xe6\xb0\xb4.dvl",
            bytes),
        writeFile(dir, "-dash.dvl", bytes)};
    const QByteArray list = names[0].toUtf8() + "\n\n" + names[1].toUtf8() + "\r\n"
        + names[2].toUtf8(); // the last line without its line end
    const Run run = runCli({QStringLiteral("json"), QStringLiteral("--files-from"),
                               QStringLiteral("-"), example("start.dvl")},
        testLocaleName(), list);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    const QList<QJsonObject> objects = jsonLines(run.out);
    QCOMPARE(objects.size(), 4);
    QCOMPARE(objects[0].value("file").toString(), example("start.dvl"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(objects[i + 1].value("file").toString(), names[i]);

    const Run direct = runCli({QStringLiteral("json"), example("start.dvl"), QStringLiteral("--"),
        names[0], names[1], names[2]});
    QVERIFY(direct.out == run.out);

    const Run missing = runCli({QStringLiteral("json"), QStringLiteral("--files-from"),
        dir.filePath(QStringLiteral("no list"))});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY2(missing.err.contains(QStringLiteral("no list")), qPrintable(missing.err));
    QVERIFY(missing.out.isEmpty());
}

// A list far longer than the reader's buffer, read as the run goes: every name is
// taken once, in order, by report as by json.
void tst_Cli::longListFromFile_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("json") << QStringLiteral("json");
    QTest::newRow("report") << QStringLiteral("report");
}

void tst_Cli::longListFromFile()
{
    QFETCH(QString, command);
    QTemporaryDir dir;
    const QStringList names = {example("turbulent.dvl"), example("cooling-water.dvl")};
    QByteArray list;
    const int count = 3000;
    for (int i = 0; i < count; ++i)
        list += names[i % 2].toUtf8() + (i % 3 ? "\n" : "\r\n");
    const QString listPath = writeFile(dir, "list.txt", list);
    QVERIFY(list.size() > 64 * 1024); // more than one read of the list
    const Run run = runCli({command, QStringLiteral("--files-from"), listPath});
    QCOMPARE(run.exitCode, 0);
    if (command == QLatin1String("report")) {
        QCOMPARE(run.out.count('\f'), count - 1);
        return;
    }
    const QList<QJsonObject> objects = jsonLines(run.out);
    QCOMPARE(objects.size(), count);
    for (int i = 0; i < count; ++i)
        QCOMPARE(objects[i].value("file").toString(), names[i % 2]);
}

// A full disk or a closed output is an error of its own, named on standard error.
void tst_Cli::outputThatCannotBeWritten()
{
    QStringList args = {QStringLiteral("json")};
    for (int i = 0; i < 50; ++i)
        args << example("turbulent.dvl");
    for (const char *jobs : {"1", "2"}) {
        const Run full = runCli(args + QStringList{QStringLiteral("-j"), jobs}, testLocaleName(),
            {}, QStringLiteral("/dev/full"));
        QCOMPARE(full.exitCode, 3);
        QVERIFY2(full.err.contains(QStringLiteral("cannot write to standard output")),
            qPrintable(full.err));
    }

    QProcess closed;
    closed.start(QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"), QStringLiteral("exec \"$0\" json \"$1\" >&-"),
            QStringLiteral(ZEPTOR_CLI_PATH), example("turbulent.dvl")});
    QVERIFY(closed.waitForFinished(60000));
    QCOMPARE(closed.exitCode(), 3);
}

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_cli.moc"
