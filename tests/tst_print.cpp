// File > Print: the report on a printer, here a PDF file read back with pdftotext.

#include "appendages/frmwgetal1.h"
#include "appendages/frmwgetal2.h"
#include "project/datetext.h"
#include "support/testprogram.h"

#include <QApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace WindowTest;

namespace {

// The report as pdftotext lays it out: one string per text line, pages joined.
QStringList pdfLines(const QString &pdf, int *pages = nullptr)
{
    QProcess process;
    process.start(
        QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    if (pages)
        *pages = int(text.count(QLatin1Char('\f')));
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line.remove(QLatin1Char('\f'));
    return lines;
}

QStringList nonEmpty(const QStringList &lines)
{
    QStringList out;
    for (const QString &line : lines) {
        if (!line.trimmed().isEmpty())
            out << line;
    }
    return out;
}

// A line of the layout with its ligatures resolved ("ﬂ" is "fl") and, unless the
// columns matter, its blanks collapsed.
QString plain(const QString &line, bool simplify = true)
{
    const QString text = line.normalized(QString::NormalizationForm_KC);
    return simplify ? text.simplified() : text;
}

// Where a text starts on a line of the layout, or -1.
qsizetype columnOf(const QString &line, const QString &text)
{
    return line.indexOf(text);
}

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgram> m_program;
    QString m_pdf;

    frmStart &main() { return m_program->main(); }
    ScriptedDialogs &dialogs() { return m_program->dialogs; }

    // Accepts the printer dialog with a PDF file as the printer.
    void acceptPrinterDialog(const std::function<void(QPrinter &)> &more = {})
    {
        dialogs().printerAnswers << true;
        const QString pdf = m_pdf;
        dialogs().preparePrinter = [pdf, more](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            if (more)
                more(printer);
        };
    }

private Q_SLOTS:
    void init()
    {
        m_program = std::make_unique<TestProgram>(TestProgram::Procedure);
        m_pdf = m_program->path(QStringLiteral("report.pdf"));
    }
    void cleanup() { m_program.reset(); }

    void reportRightAfterStart();
    void pdfTextIsSearchableAndTitled();
    void valuesAndUnitsStandInTheirColumns();
    void printsWhatTheWindowsShowAndChangesNothing();
    void longReportBreaksThePage();
    void cancelPrintsNothing();
    void noPrinterOrPrinterErrorPrintsNothing();
    void screenshots();
};

void TestPrint::reportRightAfterStart()
{
    acceptPrinterDialog();
    main().mnuPrint_Click();
    QVERIFY2(dialogs().messages.isEmpty(), qPrintable(dialogs().messageTexts().join('\n')));
    const QStringList lines = pdfLines(m_pdf);
    QVERIFY(lines.size() >= 62);

    const QString today = DateText::toText(CaseDate::today());
    const QStringList expected = {"Zeptor", "Date " + today, "File new.dvl", "Owner",
        "Project Name", "Pipe Name", "", "LIQUID DATA", "flow rate 100 [liter/hr]",
        "density 1000 [kg/m3]", "dynamic viscosity 1 [cP]", "", "PIPE DATA",
        "inner diameter 100 [mm]", "surface roughness " + num("0.01") + " [mm]",
        "total pipe length 0 [m]", "elevation 0 [m]", "pressure loss extra equipment 0 [bar]", "",
        "APPENDAGES DATA", "== Bends ==", "180 bend, R=5D 0", "90 bend, R=5D 0",
        "90 bend (square , R=1.5D) 0", "45 bend(square , R=1.5D) 0",
        "Tee (flow straight through) 0", "Tee (flow through side outlet) 0",
        "== Valves ==", "Gate valve open 0", "1/4-closed 0", "1/2-closed 0", "3/4-closed 0",
        "Membrane valve 0", "Ball valve (spherical plug valve) 0", "Needle valve 0",
        "Butterfly valve (larger then 6 inch) 0", "Globe valve 0",
        "Nozzle (suction nozzle on vessel) 0", "Check valve (in-line ball type) 0",
        "Check valve (swing type) 0", "Filter (Y-type and bucket type) 0",
        "bends and elbows 0 [l/d]", "valves 0 [l/d]", "fittings and appendages 0 [m]", "",
        "RESULTS", "msg ..............", "Reynolds number 0 [-]",
        "average velocity of liquid 0 [m/s]", "friction factor 0 [-]",
        "relative roughness surface 0 [-]", "friction of pipe 0 [-]", "pipe area 0 [mm]",
        "pipe volume 0 [liter]", "friction of appendages 0 [-]", "average residence time 0 [sec]",
        "pressure drop pipe 0 [bar]", "power loss 0 [Watt]", "", "TOTAL PRESSURE DROP",
        "==> 0 [bar]", "==> 0 [Pa]"};
    QCOMPARE(expected.size(), 62);
    for (qsizetype i = 0; i < 62; ++i)
        QCOMPARE(plain(lines[i]), expected[i]);
    QVERIFY(nonEmpty(lines.mid(62)).isEmpty());
}

// The words in the PDF are the words of the report: no ligature glyph stands for "fl",
// so searching for or copying "flow rate" finds it; the document carries the caption.
void TestPrint::pdfTextIsSearchableAndTitled()
{
    acceptPrinterDialog();
    main().mnuPrint_Click();
    const QString text = pdfLines(m_pdf).join(QLatin1Char('\n'));
    QVERIFY2(text.contains(QStringLiteral("flow rate")), qPrintable(text.left(400)));
    QVERIFY(text.contains(QStringLiteral("friction factor")));
    QVERIFY(!text.contains(QChar(0xFB01)) && !text.contains(QChar(0xFB02)));

    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {m_pdf});
    QVERIFY(info.waitForFinished(30000));
    const QString fields = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(
        fields.contains(QRegularExpression(QStringLiteral("^Title: +Zeptor - \\[new\\.dvl\\]$"),
            QRegularExpression::MultilineOption)),
        qPrintable(fields));
}

void TestPrint::valuesAndUnitsStandInTheirColumns()
{
    // A long value still being typed pushes its unit to the next zone.
    type(main().Text0(2), num("998.20000001"));
    acceptPrinterDialog();
    main().mnuPrint_Click();
    const QStringList lines = pdfLines(m_pdf);
    QVERIFY(lines.size() >= 62);
    auto line = [&](int number) { return plain(lines[number - 1], false); };

    // pdftotext places text on a grid of its own and may be a column off.
    const auto near = [](qsizetype actual, qsizetype expected) {
        return actual >= 0 && qAbs(actual - expected) <= 1;
    };

    // Captions at column 5, values at column 50, on every line that has them.
    const qsizetype title = columnOf(line(1), QStringLiteral("Zeptor"));
    const qsizetype caption = columnOf(line(9), QStringLiteral("flow rate"));
    const qsizetype value = columnOf(line(9), QStringLiteral("100"));
    QVERIFY(title >= 0 && caption > title && value > caption);
    const QList<QPair<int, QString>> captions = {{2, "Date"}, {8, "LIQUID DATA"}, {10, "density"},
        {14, "inner diameter"}, {22, "180 bend"}, {41, "Filter"}, {47, "msg"}, {61, "==>"}};
    for (const auto &[number, text] : captions)
        QVERIFY2(near(columnOf(line(number), text), caption), qPrintable(line(number)));
    const QList<QPair<int, QString>> values
        = {{3, "new.dvl"}, {10, num("998.20000001")}, {11, "1"}, {14, "100"}, {15, num("0.01")},
            {18, "0"}, {27, "0"}, {41, "0"}, {44, "0"}, {48, main().Text0(12)->text()},
            {58, main().Text0(27)->text()}, {62, main().Text0(21)->text()}};
    for (const auto &[number, text] : values)
        QVERIFY2(near(columnOf(line(number), text), value), qPrintable(line(number)));

    // Units at the first zone start after their value: 57 after a short value, 71 after
    // a longer one. Zones are 14 columns wide.
    const qsizetype zone57 = columnOf(line(9), QStringLiteral("[liter/hr]"));
    const qsizetype zone71 = columnOf(line(10), QStringLiteral("[kg/m3]"));
    for (const auto &[number, unit] : QList<QPair<int, QString>>{
             {11, "[cP]"}, {18, "[bar]"}, {44, "[m]"}, {58, "[Watt]"}, {62, "[Pa]"}})
        QVERIFY2(near(columnOf(line(number), unit), zone57), qPrintable(line(number)));
    // pdftotext counts columns in its own character widths; compare the proportions.
    const double columns = double(value - caption) / 45.0;
    QVERIFY2(qAbs((zone57 - value) / columns - 7) < 1.5, qPrintable(line(9)));
    QVERIFY2(qAbs((zone71 - value) / columns - 21) < 1.5, qPrintable(line(10)));
    QVERIFY2(qAbs((caption - title) / columns - 4) < 1.5, qPrintable(line(2)));
}

void TestPrint::printsWhatTheWindowsShowAndChangesNothing()
{
    typeAndLeave(main().Text0(1), QStringLiteral("250"));
    BasGeneral &g = m_program->general;
    g.ProjectName = QStringLiteral("Roof tank");
    g.PipeName = QStringLiteral("DN50, riser");
    g.ProjectOwner = QStringLiteral("Utilities");
    g.ProjectDate = {QDate(2026, 3, 4), QTime(14, 5), true};
    const QString reynolds = main().Text0(12)->text();
    QVERIFY(reynolds != QStringLiteral("0"));
    // Pending edits: the flow rate in the main window and a count in the hidden bends
    // window, neither of them left yet.
    main().Wgetal1().Text1(0)->setText(QStringLiteral("7"));
    type(main().Text0(1), QStringLiteral("12345"));
    const QString caption = main().windowTitle();

    acceptPrinterDialog();
    main().mnuPrint_Click();
    QVERIFY(dialogs().messages.isEmpty());
    QVERIFY(dialogs().prompts.isEmpty());
    const QStringList lines = pdfLines(m_pdf);
    QVERIFY(lines.size() >= 62);
    QCOMPARE(plain(lines[1]), QStringLiteral("Date ") + TestLocale::date(g.ProjectDate));
    if (!TestLocale::commaDecimal())
        QCOMPARE(plain(lines[1]), QStringLiteral("Date 4 Mar 2026 14:05:00"));
    QCOMPARE(plain(lines[3]), QStringLiteral("Owner Utilities"));
    QCOMPARE(plain(lines[4]), QStringLiteral("Project Name Roof tank"));
    QCOMPARE(plain(lines[5]), QStringLiteral("Pipe Name DN50, riser"));
    QCOMPARE(plain(lines[8]), QStringLiteral("flow rate 12345 [liter/hr]"));
    QCOMPARE(plain(lines[21]), QStringLiteral("180 bend, R=5D 7"));
    QCOMPARE(plain(lines[47]), QStringLiteral("Reynolds number %1 [-]").arg(reynolds));

    // Nothing changed, and the field being edited still has the focus.
    QCOMPARE(QApplication::focusWidget(), main().Text0(1));
    QCOMPARE(main().Text0(1)->text(), QStringLiteral("12345"));
    QCOMPARE(g.inputs().FlowRate, 250.0);
    QCOMPARE(g.BendCounts[0], qint16(0));
    QCOMPARE(main().Text0(12)->text(), reynolds);
    QCOMPARE(main().windowTitle(), caption);
    QVERIFY(!main().Wgetal2().isVisible());
}

void TestPrint::longReportBreaksThePage()
{
    // A long file name stays on its line; a small page takes the report over pages.
    m_program->general.ProjectFileName = QStringLiteral("/very/long/path/")
        + QString(300, QLatin1Char('x')) + QStringLiteral(".dvl");
    acceptPrinterDialog([](QPrinter &printer) {
        printer.setPageSize(QPageSize(QSizeF(210, 70), QPageSize::Millimeter));
    });
    main().mnuPrint_Click();
    QVERIFY(dialogs().messages.isEmpty());
    int pages = 0;
    const QStringList printed = nonEmpty(pdfLines(m_pdf, &pages));
    QVERIFY2(pages > 1, qPrintable(QString::number(pages)));
    QCOMPARE(printed.size(), 57);
    QCOMPARE(plain(printed.first()), QStringLiteral("Zeptor"));
    QVERIFY(plain(printed.at(2)).startsWith(QStringLiteral("File /very/long/path/xxx")));
    QCOMPARE(plain(printed.at(3)), QStringLiteral("Owner"));
    QCOMPARE(plain(printed.last()), QStringLiteral("==> 0 [Pa]"));
}

void TestPrint::cancelPrintsNothing()
{
    dialogs().printerAnswers << false;
    main().mnuPrint_Click();
    QVERIFY(!QFile::exists(m_pdf));
    QVERIFY(dialogs().messages.isEmpty());
}

void TestPrint::noPrinterOrPrinterErrorPrintsNothing()
{
    // The printer cannot write where it was sent.
    const QString nowhere = m_program->path(QStringLiteral("no folder/report.pdf"));
    dialogs().printerAnswers << true;
    dialogs().preparePrinter = [nowhere](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(nowhere);
    };
    main().mnuPrint_Click();
    QCOMPARE(dialogs().messages.size(), 1);
    QVERIFY2(dialogs().messages.at(0).text.contains(QDir::toNativeSeparators(nowhere)),
        qPrintable(dialogs().messages.at(0).text));
    QVERIFY(!QFileInfo::exists(nowhere));

    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("This machine has a printer");
    // No printer at all: the dialog accepted the printer Qt offers by default.
    dialogs().preparePrinter = nullptr;
    dialogs().printerAnswers << true;
    main().mnuPrint_Click();
    QCOMPARE(dialogs().messages.size(), 2);
    QCOMPARE(
        dialogs().messages.at(1).text, QStringLiteral("Cannot print: no printer is installed."));
    QCOMPARE(QDir(m_program->dir()).entryList(QDir::Files), QStringList());
}

// The report of an example case, as a picture for the README.
void TestPrint::screenshots()
{
    const QString dir = qEnvironmentVariable("ZEPTOR_SCREENSHOT_DIR");
    const QString example
        = qEnvironmentVariable("ZEPTOR_SOURCE_DIR") + QStringLiteral("/examples/appendages.dvl");
    if (dir.isEmpty() || !QFile::exists(example))
        QSKIP("ZEPTOR_SCREENSHOT_DIR not set");
    dialogs().openAnswers << example;
    main().FileLoad_Click();
    acceptPrinterDialog([](QPrinter &printer) { printer.setPageSize(QPageSize(QPageSize::A4)); });
    main().mnuPrint_Click();
    QVERIFY(dialogs().messages.isEmpty());
    const QString picture = QDir(dir).filePath(QStringLiteral("report"));
    QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"),
                     QStringLiteral("-singlefile"), m_pdf, picture}),
        0);
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
