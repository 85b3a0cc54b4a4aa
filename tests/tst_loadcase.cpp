#include "project/loadcase.h"

#include "project/dvlfile.h"
#include "support/calcfixture.h"
#include "support/testlocale.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

ProjectCase exampleCase(const QString &name)
{
    const QString path
        = qEnvironmentVariable("ZEPTOR_SOURCE_DIR") + QStringLiteral("/examples/") + name;
    const DvlFile::LoadResult r = DvlFile::load(path);
    if (!r.ok())
        qFatal("%s", qPrintable(r.errorMessage));
    return *r.projectCase;
}

} // namespace

class tst_LoadCase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(testLocale()); }
    void loadsAsFileLoadDoes();
    void loadReplacesEarlierCase();
    void countsAtTheLimits();
    void saveThenLoadGivesSameFields();
    void commaLocaleEntries();
};

void tst_LoadCase::loadsAsFileLoadDoes()
{
    CalcFixture f;
    const ProjectCase c = exampleCase(QStringLiteral("appendages.dvl"));
    LoadCase::loadCase(f.sheet, c, QStringLiteral("/opened/as/this.dvl"));

    QCOMPARE(f.general.ProjectFileName, QStringLiteral("/opened/as/this.dvl"));
    QCOMPARE(f.general.ProjectName, c.projectName);
    QCOMPARE(f.general.ProjectDate, c.date);
    QCOMPARE(f.general.BendsTotalLd, 32);
    QCOMPARE(f.general.ValvesTotalLd, 18);
    const std::pair<int, const char *> expected[]
        = {{1, "10000"}, {6, "5"}, {7, "0.2"}, {23, "0.05"}, {9, "32"}, {10, "18"}, {8, "50"},
            {25, "2.5"}, {13, "0.0229"}, {14, "45.8000"}, {17, "1.1450"}, {18, "0.9603"},
            {19, "1.1603"}, {21, "116028"}, {27, "322.3"}, {24, "0.0010"}};
    for (const auto &[index, text] : expected)
        QCOMPARE(f.sheet.Text0(index), num(text));
    QCOMPARE(f.sheet.status(), QStringLiteral("Flow is Turbulent"));
    QVERIFY(f.dialogs.prompts.isEmpty());
    QVERIFY(f.dialogs.messages.isEmpty());
}

void tst_LoadCase::loadReplacesEarlierCase()
{
    CalcFixture f;
    LoadCase::loadCase(
        f.sheet, exampleCase(QStringLiteral("cooling-water.dvl")), QStringLiteral("a.dvl"));
    QCOMPARE(f.sheet.Text0(8), QStringLiteral("650"));
    LoadCase::loadCase(
        f.sheet, exampleCase(QStringLiteral("turbulent.dvl")), QStringLiteral("b.dvl"));
    // The totals of the earlier case are gone, and the results follow the new case.
    QCOMPARE(f.sheet.Text0(9), QStringLiteral("0"));
    QCOMPARE(f.sheet.Text0(10), QStringLiteral("0"));
    QCOMPARE(f.sheet.Text0(8), QStringLiteral("0"));
    QCOMPARE(f.sheet.Text0(25), QStringLiteral("0"));
    QCOMPARE(f.sheet.Text0(19), num("0.4023"));
    QCOMPARE(f.sheet.Text0(21), QStringLiteral("40228"));
    QCOMPARE(f.general.ProjectOwner, QStringLiteral("Process engineering"));
}

void tst_LoadCase::countsAtTheLimits()
{
    CalcFixture f;
    ProjectCase c = exampleCase(QStringLiteral("turbulent.dvl"));
    c.bendCounts.fill(32767);
    c.valveCounts.fill(-32768);
    LoadCase::loadCase(f.sheet, c, QStringLiteral("limits.dvl"));
    QCOMPARE(f.general.BendCounts[5], qint16(32767));
    QCOMPARE(f.general.ValveCounts[0], qint16(-32768));
    QCOMPARE(f.sheet.Text0(9), QString::number(32767 * 165));
    QCOMPARE(f.sheet.Text0(10), QString::number(-32768 * 2652));
    QCOMPARE(f.sheet.Text0(8), QString::number(32767 * 165 - 32768 * 2652));
}

void tst_LoadCase::saveThenLoadGivesSameFields()
{
    CalcFixture typed;
    typed.apply(num(QStringList{"1=2500.5", "4=52.5", "5=120", "6=-12.75", "23=0.045", "9=146"}));
    typed.general.BendCounts = {0, 1, 0, 0, 0, 2};
    typed.general.ProjectName = QStringLiteral("Line 7, north");

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("case.dvl"));
    QVERIFY(DvlFile::save(path, ProjectCase::fromGeneral(typed.general)).ok);
    const DvlFile::LoadResult r = DvlFile::load(path);
    QVERIFY2(r.ok(), qPrintable(r.errorMessage));

    CalcFixture loaded;
    LoadCase::loadCase(loaded.sheet, *r.projectCase, path);
    for (const FieldInfo &field : FieldTable)
        QCOMPARE(loaded.sheet.Text0(field.index), typed.sheet.Text0(field.index));
    QCOMPARE(loaded.general.ProjectName, QStringLiteral("Line 7, north"));
    QCOMPARE(loaded.general.Elevation, -12.75);
}

void tst_LoadCase::commaLocaleEntries()
{
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    CalcFixture f;
    LoadCase::loadCase(
        f.sheet, exampleCase(QStringLiteral("cooling-water.dvl")), QStringLiteral("c.dvl"));
    QCOMPARE(f.sheet.Text0(2), QStringLiteral("998,2"));
    QCOMPARE(f.sheet.Text0(23), QStringLiteral("0,045"));
    QCOMPARE(f.sheet.Text0(25), QStringLiteral("52,585"));
    QCOMPARE(f.general.Density, 998.2);
}

QTEST_GUILESS_MAIN(tst_LoadCase)
#include "tst_loadcase.moc"
