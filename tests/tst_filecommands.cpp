// File > Load, Save and Save as, driven through the real main window.

#include "appendages/frmwgetal1.h"
#include "appendages/frmwgetal2.h"
#include "project/datetext.h"
#include "project/dvlfile.h"
#include "project/frmprojectgegevens.h"
#include "support/testprogram.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QTest>

using namespace WindowTest;

namespace {

// The result fields that Calc writes.
constexpr int ResultFields[]
    = {11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 22, 24, 25, 27, 28, 8, 9, 10};
constexpr int EntryFields[] = {1, 2, 3, 4, 23, 5, 6, 7};

QStringList fieldTexts(frmStart &main)
{
    QStringList out;
    for (int i : EntryFields)
        out << main.Text0(i)->text();
    for (int i : ResultFields)
        out << main.Text0(i)->text();
    return out;
}

QStringList projectWindowTexts(frmStart &main)
{
    QStringList out;
    for (int i = 0; i < 5; ++i)
        out << main.Projectgegevens().Text3(i)->text();
    return out;
}

QList<QByteArray> fileLines(const QString &path)
{
    QList<QByteArray> lines = readFile(path).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// A case that differs from the start values in every part.
ProjectCase sampleCase()
{
    ProjectCase c;
    c.entries = {2500, 998.2, 0.89, 50, 120, -3.5, 0.2, 0.05};
    c.fileName = QStringLiteral("C:\\old place\\written.dvl");
    c.projectName = QStringLiteral("Cooling loop, east");
    c.pipeName = QStringLiteral("DN50 supply");
    c.owner = QStringLiteral("Process engineering");
    c.date = {QDate(2026, 3, 4), QTime(10, 30, 15), true};
    c.bendCounts = {0, 1, 0, 0, 0, 2};
    c.valveCounts = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0};
    return c;
}

// The other locale of the two test runs.
QLocale otherLocale()
{
    return TestLocale::commaDecimal() ? QLocale::c()
                                      : QLocale(QLocale::Dutch, QLocale::Netherlands);
}

void writeCase(const QString &path, const ProjectCase &c)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(DvlFile::format(c));
}

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void saveRightAfterStartWritesNewDvlHere();
    void dialogsAreSetUpForProjectFiles();
    void saveAsThenLoadGivesBackTheCase_data();
    void saveAsThenLoadGivesBackTheCase();
    void cancelledDialogChangesNothing_data();
    void cancelledDialogChangesNothing();
    void loadKeepsTheChosenName();
    void loadFillsCountWindowsAndTotals();
    void loadRefreshesOpenProjectWindow();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
    void failedSaveChangesNothing();
    void saveTakesOverPendingEdits();
    void fileIsTheSameInEveryLocale();
    void menusAndToolbarReachTheCommands_data();
    void menusAndToolbarReachTheCommands();
};

void TestFileCommands::saveRightAfterStartWritesNewDvlHere()
{
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    QCOMPARE(main.windowTitle(), QStringLiteral("Zeptor - [new.dvl]"));

    main.FileSave_Click();

    QVERIFY(program.dialogs.fileDialogs.isEmpty());
    QVERIFY(program.dialogs.messages.isEmpty());
    QCOMPARE(main.windowTitle(), QStringLiteral("Zeptor - [new.dvl]"));
    const QList<QByteArray> lines = fileLines(program.path(QStringLiteral("new.dvl")));
    QCOMPARE(lines.size(), 32);
    const QByteArray today = QDate::currentDate().toString(Qt::ISODate).toLatin1();
    const QList<QByteArray> expected = {"100", "1000", "1", "100", "0", "0", "0", "0.01",
        "\"new.dvl\"", "\"\"", "\"\"", "\"\"", "#" + today + "#"};
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QVERIFY2(lines[i].endsWith('\r'), qPrintable(QStringLiteral("line %1").arg(i + 1)));
        QCOMPARE(lines[i].chopped(1), i < expected.size() ? expected[i] : QByteArray("0"));
    }
    // Saving takes the focus through the density field to the flow rate.
    QCOMPARE(QApplication::focusWidget(), main.Text0(1));
}

void TestFileCommands::dialogsAreSetUpForProjectFiles()
{
    TestProgram program{TestProgram::Procedure};
    program.main().FileLoad_Click();
    program.main().FileSaveAs_Click();
    QCOMPARE(program.dialogs.fileDialogs.size(), 2);
    const Dialogs::FileDialogSetup projectFiles;
    for (const Dialogs::FileDialogSetup &setup : program.dialogs.fileDialogs) {
        QCOMPARE(setup.filterDescription, projectFiles.filterDescription);
        QCOMPARE(setup.filterPattern, projectFiles.filterPattern);
        QCOMPARE(setup.title, projectFiles.title);
        QCOMPARE(setup.defaultSuffix, projectFiles.defaultSuffix);
    }
}

void TestFileCommands::saveAsThenLoadGivesBackTheCase_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("typed"); // entries in field order 1, 2, 3, 4, 23, 5, 6, 7
    QTest::newRow("point") << "C"
                           << QStringList{
                                  "2500", "998.2", "0.89", "52.5", "0.05", "120", "-3.5", "0.2"};
    QTest::newRow("comma") << "nl_NL"
                           << QStringList{
                                  "2500", "998,2", "0,89", "52,5", "0,05", "120", "-3,5", "0,2"};
    QTest::newRow("tiny and huge")
        << "C" << QStringList{"1E-05", "1000", "1", "100", "0", "1E+15", "0", "0"};
}

void TestFileCommands::saveAsThenLoadGivesBackTheCase()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, typed);
    TestProgram program{TestProgram::Procedure, QLocale(locale)};
    frmStart &main = program.main();

    for (qsizetype i = 0; i < typed.size(); ++i)
        typeAndLeave(main.Text0(EntryFields[i]), typed[i]);
    main.Wgetal1().Text1(1)->setText(QStringLiteral("3"));
    main.Wgetal1().Text1_LostFocus(1);
    main.Wgetal2().Text2(11)->setText(QStringLiteral("2"));
    main.Wgetal2().Text2_LostFocus(11);
    frmProjectgegevens &project = main.Projectgegevens();
    const QString projectTexts[]
        = {QString(), QStringLiteral("Loop, east"), QStringLiteral("DN50"), QString()};
    for (int i = 1; i <= 3; ++i) {
        project.Text3(i)->setText(projectTexts[i]);
        project.Text3_LostFocus(i);
    }
    QVERIFY(program.dialogs.messages.isEmpty());
    QVERIFY(program.dialogs.prompts.isEmpty());

    const BasGeneral before = program.general;
    const QStringList shown = fieldTexts(main);
    const QString path = program.path(QStringLiteral("case.dvl"));
    program.dialogs.saveAnswers << path;
    main.FileSaveAs_Click();
    QVERIFY2(
        program.dialogs.messages.isEmpty(), qPrintable(program.dialogs.messageTexts().join('\n')));
    QCOMPARE(main.windowTitle(), QStringLiteral("Zeptor - [%1]").arg(path));
    QCOMPARE(project.Text3(4)->text(), path);
    // An empty text is written as two double quotes.
    QCOMPARE(fileLines(path).at(11), QByteArray("\"\"\r"));

    main.Command3_Click(); // Clear: back to a new case
    QCOMPARE(main.windowTitle(), QStringLiteral("Zeptor - [new.dvl]"));

    program.dialogs.openAnswers << path;
    main.FileLoad_Click();
    QVERIFY2(
        program.dialogs.messages.isEmpty(), qPrintable(program.dialogs.messageTexts().join('\n')));

    const BasGeneral &after = program.general;
    QCOMPARE(after.inputs().FlowRate, before.inputs().FlowRate);
    QCOMPARE(after.inputs().Density, before.inputs().Density);
    QCOMPARE(after.inputs().Viscosity, before.inputs().Viscosity);
    QCOMPARE(after.inputs().InnerDiameter, before.inputs().InnerDiameter);
    QCOMPARE(after.inputs().PipeLength, before.inputs().PipeLength);
    QCOMPARE(after.inputs().Elevation, before.inputs().Elevation);
    QCOMPARE(after.inputs().ExtraLoss, before.inputs().ExtraLoss);
    QCOMPARE(after.inputs().WallRoughness, before.inputs().WallRoughness);
    QVERIFY(after.BendCounts == before.BendCounts);
    QVERIFY(after.ValveCounts == before.ValveCounts);
    QCOMPARE(after.ProjectName, before.ProjectName);
    QCOMPARE(after.PipeName, before.PipeName);
    QCOMPARE(after.ProjectOwner, before.ProjectOwner);
    QVERIFY(after.ProjectDate == before.ProjectDate);
    QCOMPARE(after.ProjectFileName, path);
    // Every entry reads as it was typed back in, and every result is the same.
    QCOMPARE(fieldTexts(main), shown);
    QCOMPARE(main.Wgetal1().Text1(1)->text(), QStringLiteral("3"));
    QCOMPARE(main.Wgetal2().Text2(11)->text(), QStringLiteral("2"));
    QCOMPARE(main.windowTitle(), QStringLiteral("Zeptor - [%1]").arg(path));
}

void TestFileCommands::cancelledDialogChangesNothing_data()
{
    QTest::addColumn<bool>("load");
    QTest::newRow("open dialog") << true;
    QTest::newRow("save dialog") << false;
}

void TestFileCommands::cancelledDialogChangesNothing()
{
    QFETCH(bool, load);
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    const QString saved = program.path(QStringLiteral("saved.dvl"));
    program.dialogs.saveAnswers << saved;
    main.FileSaveAs_Click();
    typeAndLeave(main.Text0(1), QStringLiteral("700"));
    const QByteArray file = readFile(saved);
    const QStringList shown = fieldTexts(main);
    const QString caption = main.windowTitle();
    const QStringList projectShown = projectWindowTexts(main);

    program.dialogs.openAnswers << QString();
    program.dialogs.saveAnswers << QString();
    if (load)
        main.FileLoad_Click();
    else
        main.FileSaveAs_Click();

    QCOMPARE(fieldTexts(main), shown);
    QCOMPARE(program.general.inputs().FlowRate, 700.0);
    QCOMPARE(program.general.ProjectFileName, saved);
    QCOMPARE(main.windowTitle(), caption);
    QCOMPARE(projectWindowTexts(main), projectShown);
    QCOMPARE(readFile(saved), file);
    QCOMPARE(QDir(program.dir()).entryList(QDir::Files), QStringList{QStringLiteral("saved.dvl")});
    QVERIFY(program.dialogs.messages.isEmpty());
}

void TestFileCommands::loadKeepsTheChosenName()
{
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    const QString path = program.path(QStringLiteral("moved here.dvl"));
    writeCase(path, sampleCase()); // line 9 names C:\old place\written.dvl
    program.dialogs.openAnswers << path;
    main.FileLoad_Click();
    QVERIFY(program.dialogs.messages.isEmpty());
    QCOMPARE(program.general.ProjectFileName, path);
    QCOMPARE(main.windowTitle(), QStringLiteral("Zeptor - [%1]").arg(path));
    QCOMPARE(main.Projectgegevens().Text3(4)->text(), path);
    QCOMPARE(program.general.ProjectName, QStringLiteral("Cooling loop, east"));

    // Save now writes to the name it was opened under.
    main.FileSave_Click();
    QCOMPARE(fileLines(path).at(8), QByteArray("\"" + path.toUtf8() + "\"\r"));
}

void TestFileCommands::loadFillsCountWindowsAndTotals()
{
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    const QString path = program.path(QStringLiteral("counts.dvl"));
    writeCase(path, sampleCase());
    program.dialogs.openAnswers << path;
    main.FileLoad_Click();

    // The windows were created hidden to take the counts.
    QVERIFY(!main.Wgetal1().isVisible());
    const QStringList bends = {"0", "1", "0", "0", "0", "2"};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(main.Wgetal1().Text1(i)->text(), bends[i]);
    QCOMPARE(main.Wgetal2().Text2(0)->text(), QStringLiteral("1"));
    QCOMPARE(main.Wgetal2().Text2(11)->text(), QStringLiteral("1"));
    // 90 bend 20 + 2 side tees 2 x 63; gate valve 8 + swing check 140; at 50 mm.
    QCOMPARE(main.Text0(9)->text(), QStringLiteral("146"));
    QCOMPARE(main.Text0(10)->text(), QStringLiteral("148"));
    QCOMPARE(main.Text0(8)->text(), QStringLiteral("294"));
    QCOMPARE(main.Text0(25)->text(), num("14.7"));
    QCOMPARE(main.Text0(6)->text(), num("-3.5"));
    QCOMPARE(main.Text0(23)->text(), num("0.05"));
    // Calc ran on the loaded case.
    QCOMPARE(main.statusText(), QStringLiteral("Flow is Turbulent"));
    QVERIFY(main.Text0(12)->text() != QStringLiteral("0"));
}

void TestFileCommands::loadRefreshesOpenProjectWindow()
{
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    main.mnuProjectGegevens_Click();
    frmProjectgegevens &project = main.Projectgegevens();
    QVERIFY(QTest::qWaitForWindowExposed(&project));
    const QString path = program.path(QStringLiteral("project.dvl"));
    writeCase(path, sampleCase());
    program.dialogs.openAnswers << path;
    main.FileLoad_Click();

    QVERIFY(project.isVisible());
    QCOMPARE(project.Text3(1)->text(), QStringLiteral("Cooling loop, east"));
    QCOMPARE(project.Text3(2)->text(), QStringLiteral("DN50 supply"));
    QCOMPARE(project.Text3(3)->text(), QStringLiteral("Process engineering"));
    QCOMPARE(project.Text3(0)->text(), TestLocale::date(sampleCase().date));
    if (!TestLocale::commaDecimal())
        QCOMPARE(project.Text3(0)->text(), QStringLiteral("4 Mar 2026 10:30:15"));
    QCOMPARE(project.Text3(4)->text(), path);

    // Save as refreshes the File field.
    const QString other = program.path(QStringLiteral("other.dvl"));
    program.dialogs.saveAnswers << other;
    main.FileSaveAs_Click();
    QCOMPARE(project.Text3(4)->text(), other);
    QVERIFY(program.dialogs.messages.isEmpty());
}

void TestFileCommands::failedLoadChangesNothing_data()
{
    QTest::addColumn<QByteArray>("contents"); // empty: no file at all
    QTest::addColumn<QString>("reason");
    QByteArray good = DvlFile::format(sampleCase());
    QList<QByteArray> lines = good.split('\n');
    lines.removeLast();
    auto replaced = [&](int line, const QByteArray &value) {
        QList<QByteArray> copy = lines;
        copy[line - 1] = value + '\r';
        return copy.join('\n') + '\n';
    };
    QTest::newRow("no such file") << QByteArray() << "";
    QTest::newRow("31 values") << (lines.mid(0, 31).join('\n') + '\n') << "";
    QTest::newRow("text for a number") << replaced(3, "\"thick\"") << "line 3";
    QTest::newRow("letters for a number") << replaced(5, "abc") << "line 5";
    QTest::newRow("count too large") << replaced(20, "40000") << "line 20";
    QTest::newRow("no date") << replaced(13, "#yesterday#") << "line 13";
    QTest::newRow("open quote") << replaced(10, "\"Cooling") << "line 10";
}

void TestFileCommands::failedLoadChangesNothing()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, reason);
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    const QString good = program.path(QStringLiteral("good.dvl"));
    writeCase(good, sampleCase());
    program.dialogs.openAnswers << good;
    main.FileLoad_Click();
    main.mnuProjectGegevens_Click();
    typeAndLeave(main.Text0(2), QStringLiteral("950"));

    const QString bad = program.path(QStringLiteral("bad.dvl"));
    if (!contents.isEmpty()) {
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    const BasGeneral before = program.general;
    const QStringList shown = fieldTexts(main);
    const QStringList projectShown = projectWindowTexts(main);
    const QString caption = main.windowTitle();
    program.dialogs.clearLog();

    program.dialogs.openAnswers << bad;
    main.FileLoad_Click();

    QCOMPARE(program.dialogs.messages.size(), 1);
    const QString message = program.dialogs.messages.first().text;
    QVERIFY2(message.contains(QDir::toNativeSeparators(bad)), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
    QCOMPARE(program.dialogs.messages.first().icon, Dialogs::Icon::Warning);
    QCOMPARE(program.general.ProjectFileName, before.ProjectFileName);
    QCOMPARE(program.general.ProjectName, before.ProjectName);
    QCOMPARE(program.general.inputs().Density, 950.0);
    QCOMPARE(program.general.inputs().InnerDiameter, before.inputs().InnerDiameter);
    QVERIFY(program.general.BendCounts == before.BendCounts);
    QVERIFY(program.general.ValveCounts == before.ValveCounts);
    QCOMPARE(fieldTexts(main), shown);
    QCOMPARE(projectWindowTexts(main), projectShown);
    QCOMPARE(main.windowTitle(), caption);
}

void TestFileCommands::failedSaveChangesNothing()
{
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    QDir(program.dir()).mkdir(QStringLiteral("gone"));
    const QString first = program.path(QStringLiteral("gone/first.dvl"));
    program.dialogs.saveAnswers << first;
    main.FileSaveAs_Click();
    QVERIFY(QFile::exists(first));

    // Save as into a folder that does not exist.
    const QString nowhere = program.path(QStringLiteral("no folder/case.dvl"));
    program.dialogs.saveAnswers << nowhere;
    main.FileSaveAs_Click();
    QCOMPARE(program.dialogs.messages.size(), 1);
    QVERIFY(program.dialogs.messages.at(0).text.contains(QDir::toNativeSeparators(nowhere)));
    QCOMPARE(program.general.ProjectFileName, first);
    QCOMPARE(main.windowTitle(), QStringLiteral("Zeptor - [%1]").arg(first));
    QCOMPARE(main.Projectgegevens().Text3(4)->text(), first);

    // Save to a name whose folder has gone meanwhile.
    QVERIFY(QDir(program.path(QStringLiteral("gone"))).removeRecursively());
    main.FileSave_Click();
    QCOMPARE(program.dialogs.messages.size(), 2);
    QVERIFY(program.dialogs.messages.at(1).text.contains(QDir::toNativeSeparators(first)));
    QCOMPARE(program.general.ProjectFileName, first);

    // Save over a name that is a folder: the folder stays as it was.
    const QString folder = program.path(QStringLiteral("folder.dvl"));
    QVERIFY(QDir(program.dir()).mkpath(QStringLiteral("folder.dvl/inside")));
    program.dialogs.saveAnswers << folder;
    main.FileSaveAs_Click();
    QCOMPARE(program.dialogs.messages.size(), 3);
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(QFileInfo::exists(folder + QStringLiteral("/inside")));
    QCOMPARE(program.general.ProjectFileName, first);
}

void TestFileCommands::saveTakesOverPendingEdits()
{
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    // An owner typed in the project window, not yet left, then a flow rate typed in the
    // main window, not yet left either.
    main.mnuProjectGegevens_Click();
    frmProjectgegevens &project = main.Projectgegevens();
    QVERIFY(activate(&project));
    type(project.Text3(3), QStringLiteral("Utilities"));
    QVERIFY(activate(&main));
    type(main.Text0(1), QStringLiteral("250"));
    QCOMPARE(program.general.inputs().FlowRate, 100.0);
    QVERIFY(program.general.ProjectOwner.isEmpty());

    main.FileSave_Click();

    const QList<QByteArray> lines = fileLines(program.path(QStringLiteral("new.dvl")));
    QCOMPARE(lines.size(), 32);
    QCOMPARE(lines.at(0), QByteArray("250\r"));
    QCOMPARE(lines.at(11), QByteArray("\"Utilities\"\r"));
    QCOMPARE(program.general.inputs().FlowRate, 250.0);
    QCOMPARE(QApplication::focusWidget(), main.Text0(1));
    QVERIFY(program.dialogs.messages.isEmpty());
}

// A case typed in the test run's locale is written with "." numbers, byte for byte as
// under the C locale; loaded under the other locale it gives back the same case, shows
// that locale's texts, and saving it again writes the same bytes.
void TestFileCommands::fileIsTheSameInEveryLocale()
{
    // In field order 1, 2, 3, 4, 23, 5, 6, 7.
    const QStringList typed = {"2500", "998.2", "0.89", "52.5", "0.05", "120", "-3.5", "0.2"};
    const CaseDate date{QDate(2026, 3, 4), QTime(10, 30, 15), true};
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("locale.dvl"));

    QByteArray written;
    BasGeneral before;
    {
        TestProgram program{TestProgram::Procedure};
        frmStart &main = program.main();
        for (qsizetype i = 0; i < typed.size(); ++i)
            typeAndLeave(main.Text0(EntryFields[i]), num(typed[i]));
        main.Wgetal1().Text1(2)->setText(QStringLiteral("4"));
        main.Wgetal1().Text1_LostFocus(2);
        frmProjectgegevens &project = main.Projectgegevens();
        project.Text3(0)->setText(TestLocale::date(date));
        project.Text3_LostFocus(0);
        project.Text3(1)->setText(QStringLiteral("Dosing, 2.5 bar"));
        project.Text3_LostFocus(1);
        program.dialogs.saveAnswers << path;
        main.FileSaveAs_Click();
        QVERIFY2(program.dialogs.messages.isEmpty(),
            qPrintable(program.dialogs.messageTexts().join('\n')));
        before = program.general;
        written = readFile(path);
    }
    QVERIFY(before.ProjectDate == date);
    QCOMPARE(before.inputs().Density, 998.2);

    ProjectCase expected;
    expected.entries = {2500, 998.2, 0.89, 52.5, 120, -3.5, 0.2, 0.05};
    expected.fileName = path;
    expected.projectName = QStringLiteral("Dosing, 2.5 bar");
    expected.date = date;
    expected.bendCounts = {0, 0, 4, 0, 0, 0};
    QLocale::setDefault(QLocale::c());
    const QByteArray cLocaleBytes = DvlFile::format(expected);
    QLocale::setDefault(testLocale());
    QCOMPARE(written, cLocaleBytes);
    const QList<QByteArray> lines = fileLines(path);
    QCOMPARE(lines.mid(0, 8),
        (QList<QByteArray>{
            "2500\r", "998.2\r", "0.89\r", "52.5\r", "120\r", "-3.5\r", "0.2\r", "0.05\r"}));
    QCOMPARE(lines.at(12), QByteArray("#2026-03-04 10:30:15#\r"));

    TestProgram program{TestProgram::Procedure, otherLocale()};
    frmStart &main = program.main();
    program.dialogs.openAnswers << path;
    main.FileLoad_Click();
    QVERIFY2(
        program.dialogs.messages.isEmpty(), qPrintable(program.dialogs.messageTexts().join('\n')));
    const BasGeneral &after = program.general;
    QVERIFY(ProjectCase::fromGeneral(after) == ProjectCase::fromGeneral(before));
    const QString point = otherLocale().decimalPoint();
    QCOMPARE(main.Text0(2)->text(), QStringLiteral("998") + point + QStringLiteral("2"));
    QCOMPARE(main.Text0(6)->text(), QStringLiteral("-3") + point + QStringLiteral("5"));
    QCOMPARE(main.Projectgegevens().Text3(0)->text(), DateText::toText(date, otherLocale()));

    main.FileSave_Click();
    QVERIFY(program.dialogs.messages.isEmpty());
    QCOMPARE(readFile(path), written);
}

void TestFileCommands::menusAndToolbarReachTheCommands_data()
{
    QTest::addColumn<QString>("menuItem"); // empty: the toolbar key instead
    QTest::addColumn<QString>("toolbarKey");
    QTest::addColumn<QString>("written"); // empty: a file was loaded
    QTest::addColumn<int>("fileDialogs");
    QTest::newRow("menu Save") << "Save"
                               << ""
                               << "new.dvl" << 0;
    QTest::newRow("toolbar save") << ""
                                  << "save"
                                  << "new.dvl" << 0;
    QTest::newRow("menu Save as") << "Save as ..."
                                  << ""
                                  << "chosen.dvl" << 1;
    QTest::newRow("menu Load") << "Load"
                               << ""
                               << "" << 1;
    QTest::newRow("toolbar open") << ""
                                  << "open"
                                  << "" << 1;
}

void TestFileCommands::menusAndToolbarReachTheCommands()
{
    QFETCH(QString, menuItem);
    QFETCH(QString, toolbarKey);
    QFETCH(QString, written);
    QFETCH(int, fileDialogs);
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    const QString source = program.path(QStringLiteral("source.dvl"));
    writeCase(source, sampleCase());
    program.dialogs.openAnswers << source;
    program.dialogs.saveAnswers << program.path(QStringLiteral("chosen.dvl"));
    if (menuItem.isEmpty()) {
        main.Toolbar1_ButtonClick(toolbarKey);
    } else {
        QAction *action = menuAction(main.menuBar(), menuItem);
        QVERIFY(action);
        action->trigger();
    }
    QCOMPARE(program.dialogs.fileDialogs.size(), fileDialogs);
    if (written.isEmpty())
        QCOMPARE(program.general.ProjectFileName, source);
    else
        QVERIFY(QFile::exists(program.path(written)));
}

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
