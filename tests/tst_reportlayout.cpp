#include "project/reportlayout.h"

#include "project/datetext.h"
#include "support/calcfixture.h"

#include <QTest>

#include <cmath>

using namespace ReportLayout;

namespace {

double characters(const QString &text)
{
    return double(text.size());
}

QStringList renderedLines(const Source &source)
{
    QString text = plainText(lines(source));
    Q_ASSERT(text.endsWith(QLatin1Char('\n')));
    text.chop(1);
    return text.split(QLatin1Char('\n'));
}

// Where the item with this text starts on a rendered line (1-based), or 0.
int columnOf(const QString &line, const QString &text)
{
    return int(line.indexOf(text)) + 1;
}

} // namespace

class tst_ReportLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale::c()); }
    void sixtyTwoLinesInOrder();
    void placement_data();
    void placement();
    void unitKeepsABlankInAnyFont_data();
    void unitKeepsABlankInAnyFont();
    void startCaseRendering();
    void unusualTexts();
};

void tst_ReportLayout::sixtyTwoLinesInOrder()
{
    CalcFixture f;
    f.sheet.Calc();
    const QList<Line> report = lines(sourceFromSheet(f.sheet, f.general));
    QCOMPARE(report.size(), LineCount);

    auto firstText = [&](int line) { return report[line - 1].value(0).text; };
    QCOMPARE(report[0].size(), 1);
    QCOMPARE(report[0][0].position, Position::Column1);
    QCOMPARE(firstText(1), QStringLiteral("Zeptor"));
    for (int empty : {7, 12, 19, 45, 59})
        QVERIFY2(report[empty - 1].isEmpty(), qPrintable(QString::number(empty)));
    const std::pair<int, const char *> headings[] = {{8, "LIQUID DATA"}, {13, "PIPE DATA"},
        {20, "APPENDAGES DATA"}, {21, "== Bends =="}, {28, "== Valves =="}, {46, "RESULTS"},
        {47, "msg .............."}, {60, "TOTAL PRESSURE DROP"}};
    for (const auto &[line, text] : headings) {
        QCOMPARE(report[line - 1].size(), 1);
        QCOMPARE(report[line - 1][0].position, Position::Column5);
        QCOMPARE(firstText(line), QString::fromLatin1(text));
    }
    const std::pair<int, const char *> captions[] = {{2, "Date"}, {3, "File"}, {4, "Owner"},
        {5, "Project Name"}, {6, "Pipe Name"}, {9, "flow rate"}, {11, "dynamic viscosity"},
        {14, "inner diameter"}, {15, "surface roughness"}, {18, "pressure loss extra equipment"},
        {22, "180 bend, R=5D"}, {27, "Tee (flow through side outlet)"}, {29, "Gate valve open"},
        {41, "Filter (Y-type and bucket type)"}, {42, "bends and elbows"}, {43, "valves"},
        {44, "fittings and appendages"}, {48, "Reynolds number"},
        {49, "average velocity of liquid"}, {51, "relative roughness surface"},
        {55, "friction of appendages "}, {58, "power loss"}, {61, "==>"}, {62, "==>"}};
    for (const auto &[line, text] : captions)
        QCOMPARE(firstText(line), QString::fromLatin1(text));

    // Counts have no unit; field lines have one in the next zone.
    QCOMPARE(report[21].size(), 2);
    QCOMPARE(report[40].size(), 2);
    const std::pair<int, const char *> units[] = {{9, "[liter/hr]"}, {14, "[mm]"}, {16, "[m]"},
        {42, "[l/d]"}, {44, "[m]"}, {48, "[-]"}, {53, "[mm]"}, {54, "[liter]"}, {56, "[sec]"},
        {58, "[Watt]"}, {61, "[bar]"}, {62, "[Pa]"}};
    for (const auto &[line, unit] : units) {
        QCOMPARE(report[line - 1].size(), 3);
        QCOMPARE(report[line - 1][2].position, Position::NextZone);
        QCOMPARE(report[line - 1][2].text, QString::fromLatin1(unit));
    }
    QCOMPARE(report[60][1].text, f.sheet.Text0(19));
    QCOMPARE(report[61][1].text, f.sheet.Text0(21));
    QCOMPARE(report[49][1].text, QStringLiteral("0.1810"));
}

void tst_ReportLayout::placement_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("valueColumn");
    QTest::addColumn<int>("unitColumn");

    QTest::newRow("short value") << "flow rate"
                                 << "100" << 50 << 57;
    QTest::newRow("six characters") << "velocity"
                                    << "0.0035" << 50 << 57;
    // A value that ends just before a zone start still gets a blank before its unit.
    QTest::newRow("seven characters") << "Reynolds number"
                                      << "70735.5" << 50 << 71;
    QTest::newRow("long value") << "pipe area"
                                << "1963.4954" << 50 << 71;
    QTest::newRow("empty value") << "surface roughness"
                                 << "" << 50 << 57;
    QTest::newRow("value past a zone") << "x"
                                       << "12345678901234567890" << 50 << 71;
    QTest::newRow("caption ends before 50") << QString(45, QLatin1Char('c')) << "1" << 50 << 57;
    // A caption that has passed column 50 keeps its line: the value follows one blank on.
    QTest::newRow("caption past 50") << QString(50, QLatin1Char('c')) << "1" << 56 << 71;
    QTest::newRow("caption ends at 50") << QString(46, QLatin1Char('c')) << "1" << 52 << 57;
    QTest::newRow("caption far past 50") << QString(60, QLatin1Char('c')) << "1" << 66 << 71;
}

void tst_ReportLayout::placement()
{
    QFETCH(QString, caption);
    QFETCH(QString, value);
    const Line line = {{Position::Column5, caption}, {Position::Column50, value},
        {Position::NextZone, QStringLiteral("[u]")}};
    const QList<PlacedItem> placed = place(line, characters);
    QCOMPARE(placed.size(), 3);
    QCOMPARE(placed[0].column, 5.0);
    QTEST(int(placed[1].column), "valueColumn");
    QTEST(int(placed[2].column), "unitColumn");

    // The plain rendering puts them at the same columns.
    QString text = plainText({line});
    QCOMPARE(columnOf(text, QStringLiteral("[u]")), int(placed[2].column));
}

// On paper a column is the font's average character width, so a value may end between
// two columns; its unit still stands a whole blank after it.
void tst_ReportLayout::unitKeepsABlankInAnyFont_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<double>("columnsPerCharacter");
    QTest::newRow("narrow digits, 7") << "70735.5" << 0.93;
    QTest::newRow("narrow digits, 6") << "0.0035" << 0.93;
    QTest::newRow("wide digits, 6") << "0.0035" << 1.1;
    QTest::newRow("wide digits, 14") << "12345678901234" << 1.05;
}

void tst_ReportLayout::unitKeepsABlankInAnyFont()
{
    QFETCH(QString, value);
    QFETCH(double, columnsPerCharacter);
    const auto width = [&](const QString &text) { return text.size() * columnsPerCharacter; };
    const Line line = {{Position::Column5, QStringLiteral("velocity")}, {Position::Column50, value},
        {Position::NextZone, QStringLiteral("[m/s]")}};
    const QList<PlacedItem> placed = place(line, width);
    const double valueEnd = placed[1].column + width(value);
    QVERIFY2(placed[2].column >= valueEnd + 1,
        qPrintable(
            QStringLiteral("value ends at %1, unit at %2").arg(valueEnd).arg(placed[2].column)));
    QCOMPARE(std::fmod(placed[2].column - 1, double(ZoneWidth)), 0.0);
}

void tst_ReportLayout::startCaseRendering()
{
    CalcFixture f;
    f.general.ProjectDate = {QDate(2026, 12, 7), {}, false};
    f.sheet.Calc();
    const QStringList rendered = renderedLines(sourceFromSheet(f.sheet, f.general));
    QCOMPARE(rendered.size(), LineCount);
    QCOMPARE(rendered[0], QStringLiteral("Zeptor"));
    QCOMPARE(rendered[1],
        QStringLiteral("    Date") + QString(41, QLatin1Char(' '))
            + DateText::toText(f.general.ProjectDate));
    QCOMPARE(
        rendered[2], QStringLiteral("    File                                         new.dvl"));
    // Empty project texts print nothing after their captions (no trailing blanks).
    QCOMPARE(rendered[3], QStringLiteral("    Owner"));
    QCOMPARE(rendered[4], QStringLiteral("    Project Name"));
    QCOMPARE(rendered[5], QStringLiteral("    Pipe Name"));
    QCOMPARE(rendered[6], QString());
    QCOMPARE(rendered[8],
        QStringLiteral("    flow rate                                    100    [liter/hr]"));
    QCOMPARE(rendered[14],
        QStringLiteral("    surface roughness                            0.01   [mm]"));
    QCOMPARE(rendered[21], QStringLiteral("    180 bend, R=5D                               0"));
    QCOMPARE(rendered[43],
        QStringLiteral("    fittings and appendages                      0      [m]"));
    QCOMPARE(rendered[46], QStringLiteral("    msg .............."));
    QCOMPARE(rendered[50],
        QStringLiteral("    relative roughness surface                   n.a.   [-]"));
    QCOMPARE(rendered[52],
        QStringLiteral(
            "    pipe area                                    7853.9816            [mm]"));
    QCOMPARE(rendered[54],
        QStringLiteral("    friction of appendages                       0.0000 [-]"));
    QCOMPARE(rendered[61],
        QStringLiteral("    ==>                                          0      [Pa]"));
}

void tst_ReportLayout::unusualTexts()
{
    CalcFixture f;
    f.sheet.Calc();
    Source source = sourceFromSheet(f.sheet, f.general);
    const QString longName = QStringLiteral("/projects/") + QString(200, QLatin1Char('x'))
        + QStringLiteral("/case.dvl");
    source.fileName = longName;
    source.owner = QStringLiteral("first line\nsecond line");
    source.projectName = QString::fromUtf8("Größe, Ø 50");
    source.fields[13].text = QStringLiteral("****");
    const QStringList rendered = renderedLines(source);
    QCOMPARE(rendered.size(), LineCount); // nothing wraps, nothing breaks a line
    QCOMPARE(rendered[2],
        QString(4, QLatin1Char(' ')) + QStringLiteral("File") + QString(41, QLatin1Char(' '))
            + longName);
    QCOMPARE(rendered[3].mid(49), QStringLiteral("first line second line"));
    QCOMPARE(rendered[4].mid(49), QString::fromUtf8("Größe, Ø 50"));
    QCOMPARE(rendered[49].mid(49), QStringLiteral("****   [-]"));
}

QTEST_GUILESS_MAIN(tst_ReportLayout)
#include "tst_reportlayout.moc"
