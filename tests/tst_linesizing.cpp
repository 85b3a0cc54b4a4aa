#include "sizing/linesizing.h"
#include "sizing/pipetable.h"
#include "sizing/sizingtable.h"
#include "support/analysiscase.h"
#include "support/calcfixture.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstring>

using Status = CalcEngine::Status;
using Column = SizingTable::Column;

using namespace AnalysisCase;

namespace {

// Water at 10000 l/h through 100 m of pipe with 0.01 mm roughness.
} // namespace

class tst_LineSizing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void pressureDropFallsAsTheDiameterGrows_data();
    void pressureDropFallsAsTheDiameterGrows();
    void rowIsTheMainWindowsCaseWithThatDiameter();
    void regimes_data();
    void regimes();
    void limits_data();
    void limits();
    void userTable();
    void badTablesAreRefused_data();
    void badTablesAreRefused();
    void csvIsTheSameUnderEveryLocale();
    void limitsAndCopiedRows();
};

void tst_LineSizing::pressureDropFallsAsTheDiameterGrows_data()
{
    QTest::addColumn<int>("standard");
    QTest::newRow("ISO") << int(PipeTable::Standard::Iso);
    QTest::newRow("DIN") << int(PipeTable::Standard::Din);
}

void tst_LineSizing::pressureDropFallsAsTheDiameterGrows()
{
    QFETCH(int, standard);
    Inputs in = waterCase(100);
    in.Elevation = 3; // the static head stays, the friction falls
    const auto rows
        = LineSizing::rows(PipeTable::builtIn(PipeTable::Standard(standard)), {in, 120, 40});
    bool turbulentSeen = false;
    for (size_t i = 1; i < rows.size(); ++i) {
        const SizingRow &wider = rows[i];
        const SizingRow &narrower = rows[i - 1];
        QVERIFY(wider.calculated());
        turbulentSeen |= wider.status == Status::Turbulent;
        QVERIFY2(wider.results.PipePressureDrop < narrower.results.PipePressureDrop,
            qPrintable(wider.pipe.size));
        QVERIFY(wider.dropPer100m < narrower.dropPer100m);
        QVERIFY(wider.head < narrower.head);
        QVERIFY(wider.results.Velocity < narrower.results.Velocity);
    }
    QVERIFY(turbulentSeen);
}

// Typed into the main window, the same case with a diameter and fittings gives the
// same numbers, bit for bit: the equivalent length follows the diameter there too.
void tst_LineSizing::rowIsTheMainWindowsCaseWithThatDiameter()
{
    CalcFixture f;
    f.apply({"1=10000", "5=100", "6=2", "7=0.1", "23=0.05", "9=120", "10=40", "4=54.5"});
    QCOMPARE(f.sheet.status(), QStringLiteral("Flow is Turbulent"));

    const SizingRow row = LineSizing::row({"DIN", "54.5 mm", 54.5}, {f.general.inputs(), 120, 40});
    const Results &a = row.results;
    const Results &b = f.sheet.results();
    QCOMPARE(row.status, Status::Turbulent);
    for (auto member : {&Results::Velocity, &Results::Reynolds, &Results::FrictionFactor,
             &Results::AppendageLength, &Results::AppendageFriction, &Results::PipePressureDrop,
             &Results::TotalPressureDropPa, &Results::PowerLoss})
        QVERIFY(sameBits(a.*member, b.*member));
    QCOMPARE(a.AppendageLength, 160 * 54.5 / 1000);
    // 100 m of pipe, no fittings, no elevation: the pipe's friction alone.
    QCOMPARE(row.dropPer100m, a.PipeFriction * a.Velocity * a.Velocity * 1000 * 0.5 / 100000);
    QCOMPARE(row.head, a.TotalPressureDropPa / (1000 * 9.81));
}

void tst_LineSizing::regimes_data()
{
    QTest::addColumn<double>("flowRate");
    QTest::addColumn<double>("roughness");
    QTest::addColumn<double>("diameter");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("regime");
    QTest::addColumn<QString>("frictionFactor");
    QTest::addColumn<QString>("dropPer100m");

    QTest::newRow("laminar") << 100.0 << 0.01 << 22.6 << int(Status::Laminar) << "laminar"
                             << "0.0409"
                             << "0.0043";
    QTest::newRow("turbulent") << 10000.0 << 0.01 << 54.5 << int(Status::Turbulent) << "turbulent"
                               << "0.0204"
                               << "0.2654";
    // Re of about 3.4e10 and almost smooth walls: no trial value fits.
    QTest::newRow("no friction factor")
        << 2827433388.0 << 0.0001 << 29.0 << int(Status::FrictionFactorUndetermined)
        << "no friction factor"
        << "****"
        << "****";
    // The roughness prompt of turbulent flow: nothing but the size is known.
    QTest::newRow("needs input") << 10000.0 << 0.0 << 54.5 << int(Status::NeedsInput)
                                 << "entry missing"
                                 << ""
                                 << "";
}

void tst_LineSizing::regimes()
{
    QFETCH(double, flowRate);
    QFETCH(double, roughness);
    QFETCH(double, diameter);
    QFETCH(int, status);
    QFETCH(QString, regime);
    QFETCH(QString, frictionFactor);
    QFETCH(QString, dropPer100m);

    Inputs in = waterCase(100);
    in.FlowRate = flowRate;
    in.WallRoughness = roughness;
    const SizingRow row = LineSizing::row({"T", "x", diameter}, {in, 0, 0});
    const QLocale c = QLocale::c();
    QCOMPARE(int(row.status), status);
    QCOMPARE(SizingTable::text(row, Column::Regime, c), regime);
    QCOMPARE(SizingTable::text(row, Column::FrictionFactor, c), frictionFactor);
    QCOMPARE(SizingTable::text(row, Column::DropPer100m, c), dropPer100m);
    if (row.status == Status::Laminar)
        QCOMPARE(row.results.FrictionFactor, 64 / row.results.Reynolds);
    // A row without a friction factor never meets the limits, however loose.
    QCOMPARE(row.withinLimits({0, 1e300, 1e300}), row.calculated());
    // Missing numbers sort after all others.
    if (!row.calculated())
        QVERIFY(std::isinf(SizingTable::sortKey(row, Column::PressureDrop)));
}

void tst_LineSizing::limits_data()
{
    QTest::addColumn<double>("minVelocity");
    QTest::addColumn<double>("maxVelocity");
    QTest::addColumn<double>("maxDrop");
    QTest::addColumn<QStringList>("marked");
    // 10000 l/h of water: DIN 43.1 mm runs at 1.90 m/s and 0.83 bar/100 m, 54.5 mm at
    // 1.19 m/s and 0.27 bar/100 m, 70.3 mm at 0.72 m/s, 82.5 mm at 0.52 m/s.
    QTest::newRow("defaults") << 0.5 << 3.0 << 0.5 << QStringList{"54.5 mm", "70.3 mm", "82.5 mm"};
    QTest::newRow("looser drop") << 0.5 << 3.0 << 1.0
                                 << QStringList{"43.1 mm", "54.5 mm", "70.3 mm", "82.5 mm"};
    QTest::newRow("narrow band") << 1.0 << 1.5 << 0.5 << QStringList{"54.5 mm"};
}

void tst_LineSizing::limits()
{
    QFETCH(double, minVelocity);
    QFETCH(double, maxVelocity);
    QFETCH(double, maxDrop);
    QFETCH(QStringList, marked);
    const auto rows
        = LineSizing::rows(PipeTable::builtIn(PipeTable::Standard::Din), {waterCase(100), 0, 0});
    QStringList within;
    for (const SizingRow &row : rows) {
        if (row.withinLimits({minVelocity, maxVelocity, maxDrop}))
            within << row.pipe.size;
    }
    QCOMPARE(within, marked);
    QCOMPARE(SizingLimits().minVelocity, 0.5);
}

void tst_LineSizing::userTable()
{
    const QByteArray bytes = "\xef\xbb\xbfSize,Inner Diameter [mm]\r\n"
                             "DN 50,54.5\r\n"
                             "\r\n"
                             "\"2\"\" sch 40, steel\",5.25e1\r\n"
                             "  DN 80 , 82.5 \r\n"
                             "\"DN 100\",\"107.1\"\r\n";
    const PipeTable::LoadResult table = PipeTable::parse(bytes, QStringLiteral("/x/my pipes.csv"));
    QVERIFY2(table.ok(), qPrintable(table.errorMessage));
    QCOMPARE(table.pipes->size(), size_t(4));
    const PipeSize &quoted = table.pipes->at(1);
    QCOMPARE(quoted.standard, QStringLiteral("my pipes.csv"));
    QCOMPARE(quoted.size, QStringLiteral("2\" sch 40, steel"));
    QCOMPARE(quoted.innerDiameter, 52.5);
    QCOMPARE(table.pipes->at(2).size, QStringLiteral("DN 80"));

    // The size goes back out quoted, so the CSV reads back.
    const SizingRow row = LineSizing::row(quoted, {waterCase(100), 0, 0});
    QVERIFY(
        SizingTable::csvLine(row).startsWith("my pipes.csv,\"2\"\" sch 40, steel\",52.5,1.28318"));

    // From a file on disk too.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pipes.csv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QCOMPARE(PipeTable::load(path).pipes->size(), size_t(4));
}

void tst_LineSizing::badTablesAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason"); // after "/x/pipes.csv"
    const QByteArray header = "size,inner diameter [mm]\n";
    QTest::newRow("no header") << QByteArray("DN 50,54.5\n")
                               << ", line 1: the header \"size,inner diameter [mm]\" is missing";
    QTest::newRow("decimal comma") << header + "DN 50,54,5\n"
                                   << ", line 2: more than two values";
    QTest::newRow("not a number") << header + "DN 25,28.5\nDN 50,abc\n"
                                  << ", line 3: \"abc\" is not a number";
    QTest::newRow("no diameter") << header + "DN 50\n"
                                 << ", line 2: the inner diameter is missing";
    QTest::newRow("empty diameter") << header + "DN 50,\n"
                                    << ", line 2: the inner diameter is missing";
    QTest::newRow("no size") << header + ",54.5\n"
                             << ", line 2: the size is missing";
    QTest::newRow("zero") << header + "DN 50,0\n"
                          << ", line 2: the inner diameter 0 is not above 0";
    QTest::newRow("negative") << header + "DN 50,-54.5\n"
                              << ", line 2: the inner diameter -54.5 is not above 0";
    QTest::newRow("infinite") << header + "DN 50,1e999\n"
                              << ", line 2: \"1e999\" is not a number";
    QTest::newRow("open quote") << header + "\"DN 50,54.5\n"
                                << ", line 2: a double quote is not closed";
    QTest::newRow("no pipes") << header + "\n"
                              << ": the table holds no pipes";
    QTest::newRow("empty file") << QByteArray() << ", line 1: the header";
}

void tst_LineSizing::badTablesAreRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const PipeTable::LoadResult table = PipeTable::parse(bytes, QStringLiteral("/x/pipes.csv"));
    QVERIFY(!table.ok());
    QVERIFY2(table.errorMessage.startsWith(QStringLiteral("/x/pipes.csv") + reason),
        qPrintable(table.errorMessage));
}

void tst_LineSizing::csvIsTheSameUnderEveryLocale()
{
    Inputs in = waterCase(100);
    in.FlowRate = 2827433.388; // a row without a friction factor among them
    in.Viscosity = 0.001;
    in.WallRoughness = 0.0001;
    const auto rows = LineSizing::rows(PipeTable::builtIn(PipeTable::Standard::Iso), {in, 0, 0});
    QLocale::setDefault(QLocale::c());
    const QByteArray c = SizingTable::csv(rows);
    QLocale::setDefault(QLocale(QStringLiteral("nl_NL")));
    const QByteArray nl = SizingTable::csv(rows);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(nl, c);

    const QList<QByteArray> lines = c.split('\n');
    QCOMPARE(lines.size(), 11); // header, 9 rows, the empty text after the last "\n"
    QCOMPARE(lines[0],
        "standard,size,inner diameter [mm],velocity [m/s],Reynolds number [-],regime,"
        "friction factor [-],pressure drop [bar],pressure drop [bar/100 m],head [m],"
        "power loss [W]");
    QCOMPARE(lines[3].left(lines[3].indexOf(",1189")), "ISO,29.0 mm,29");
    QVERIFY(lines[3].endsWith(",no friction factor,,,,,"));
    // Every number reads back to the same double.
    const QList<QByteArray> fields = lines[1].split(',');
    QVERIFY(sameBits(fields[3].toDouble(), rows[0].results.Velocity));
    QVERIFY(sameBits(fields[7].toDouble(), rows[0].results.PipePressureDrop));
}

// The window's own texts: the picker's sizes in the user's decimal separator, the
// export with the limits and the marks, the copied rows with their headings.
void tst_LineSizing::limitsAndCopiedRows()
{
    const auto rows
        = LineSizing::rows(PipeTable::builtIn(PipeTable::Standard::All), {waterCase(), 0, 0});
    const SizingRow &din82 = rows[9 + 10];
    QCOMPARE(din82.pipe.size, QStringLiteral("82.5 mm"));
    QCOMPARE(din82.pipe.pickerStandard, 1);
    QCOMPARE(din82.pipe.pickerPosition, 10);
    const QLocale dutch(QStringLiteral("nl_NL"));
    QCOMPARE(SizingTable::text(din82, Column::Size, dutch), QStringLiteral("82,5 mm"));
    QCOMPARE(SizingTable::text(rows[7], Column::Size, dutch), QStringLiteral("84,9 mm (wall 2mm)"));

    const SizingLimits limits{0.5, 3, 0.5};
    const QList<QByteArray> lines = SizingTable::csv(rows, limits).split('\n');
    QVERIFY(lines[0].endsWith(",power loss [W],within limits"));
    QVERIFY(lines[1].endsWith(",no")); // ISO 22.6 mm: far too fast
    QVERIFY(lines[20].startsWith("DIN,82.5 mm,") && lines[20].endsWith(",yes"));
    QCOMPARE(lines[27], "# limits: velocity 0.5 to 3 m/s, pressure drop at most 0.5 bar/100 m");

    const QStringList copied
        = SizingTable::tabSeparated({&rows[0], &din82}, limits, dutch).split(QLatin1Char('\n'));
    QCOMPARE(copied.size(), 4);
    QVERIFY(copied[0].startsWith(QStringLiteral("table\tsize\tinner diameter [mm]\t")));
    QVERIFY(copied[0].endsWith(QStringLiteral("\twithin limits")));
    QVERIFY2(
        copied[2].startsWith(QStringLiteral("DIN\t82,5 mm\t82,5\t0,52\t")), qPrintable(copied[2]));
    QVERIFY(copied[2].endsWith(QStringLiteral("\tyes")));
    QVERIFY(copied[1].endsWith(QLatin1Char('\t')));
}

QTEST_GUILESS_MAIN(tst_LineSizing)
#include "tst_linesizing.moc"
