// The project information window: its fields, the date check, Clear and OK.

#include "project/datetext.h"
#include "project/frmprojectgegevens.h"
#include "support/testprogram.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace WindowTest;

namespace {

const QString DateError
    = QStringLiteral("Sorry, error in date. Please use current date as an example ...");

frmProjectgegevens *openProjectWindow(frmStart &main)
{
    main.mnuProjectGegevens_Click();
    frmProjectgegevens *window = main.findChild<frmProjectgegevens *>();
    if (!window || !activate(window))
        return nullptr;
    return window;
}

} // namespace

class TestProjectWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsHiddenWithTodayAndNewDvl();
    void layoutAndTabOrder();
    void fieldsTakeTheTextOnLeaving();
    void dateCheck_data();
    void dateCheck();
    void oneLeaveGivesOneDateMessage();
    void switchingWindowsDoesNotCheckTheDate();
    void fileFieldChangesNeitherCaptionNorSaveTarget();
    void clearWhileHidden();
    void okAndReopenShowTheRecord();
    void mainWindowGoingAwayWhileEditing();
    void screenshots();
};

void TestProjectWindow::startsHiddenWithTodayAndNewDvl()
{
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    // Start-up wrote into the window, which exists without being shown.
    QVERIFY(main.hasProjectgegevens());
    frmProjectgegevens &window = main.Projectgegevens();
    QVERIFY(!window.isVisible());
    QCOMPARE(window.Text3(4)->text(), QStringLiteral("new.dvl"));
    const std::optional<CaseDate> shown = DateText::parse(window.Text3(0)->text());
    QVERIFY(shown.has_value());
    QCOMPARE(shown->date, QDate::currentDate());
    for (int i = 1; i <= 3; ++i)
        QVERIFY(window.Text3(i)->text().isEmpty());
}

void TestProjectWindow::layoutAndTabOrder()
{
    TestProgram program{TestProgram::Procedure};
    frmProjectgegevens *window = openProjectWindow(program.main());
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Project Data"));
    QCOMPARE(window->Frame1()->title(), QStringLiteral("Project Data"));
    QVERIFY(window->Frame1()->font().bold());
    const QList<QPair<int, QString>> labels
        = {{14, "Project"}, {13, "Pipe name"}, {12, "Owner"}, {0, "Date"}, {1, "File"}};
    const int fieldOrder[] = {1, 2, 3, 0, 4};
    int previousTop = -1;
    for (qsizetype row = 0; row < labels.size(); ++row) {
        QLabel *label = window->Label1(labels[row].first);
        QVERIFY(label);
        QCOMPARE(label->text(), labels[row].second);
        QVERIFY(!label->font().bold());
        QLineEdit *field = window->Text3(fieldOrder[row]);
        QVERIFY(!field->font().bold());
        // Rows top to bottom, each label left of its field at the same height.
        const QPoint at = field->mapTo(window, QPoint());
        QVERIFY(at.y() > previousTop);
        previousTop = at.y();
        QCOMPARE(label->mapTo(window, QPoint()).y(), at.y());
        QVERIFY(label->mapTo(window, QPoint()).x() < at.x());
    }
    QCOMPARE(window->ClearForm()->text(), QStringLiteral("Clear"));
    QCOMPARE(window->Command1()->text(), QStringLiteral("OK"));
    QVERIFY(window->ClearForm()->x() < window->Command1()->x());

    // The focus starts on Project; Tab runs Project, Pipe name, Owner, Date, File,
    // Clear, OK.
    QCOMPARE(QApplication::focusWidget(), window->Text3(1));
    const QList<QWidget *> order = {window->Text3(2), window->Text3(3), window->Text3(0),
        window->Text3(4), window->ClearForm(), window->Command1()};
    for (QWidget *next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    QVERIFY(program.dialogs.messages.isEmpty());
}

void TestProjectWindow::fieldsTakeTheTextOnLeaving()
{
    TestProgram program{TestProgram::Procedure};
    frmProjectgegevens *window = openProjectWindow(program.main());
    QVERIFY(window);
    type(window->Text3(1), QStringLiteral("Roof tank"));
    QVERIFY(program.general.ProjectName.isEmpty()); // nothing while the field has the focus
    QTest::keyClick(window->Text3(1), Qt::Key_Tab);
    QCOMPARE(program.general.ProjectName, QStringLiteral("Roof tank"));
    typeAndLeave(window->Text3(2), QStringLiteral("  DN80, riser "));
    QCOMPARE(program.general.PipeName, QStringLiteral("  DN80, riser "));
    typeAndLeave(window->Text3(3), QStringLiteral("Utilities"));
    QCOMPARE(program.general.ProjectOwner, QStringLiteral("Utilities"));
    typeAndLeave(window->Text3(1), QString());
    QVERIFY(program.general.ProjectName.isEmpty());
    QVERIFY(program.dialogs.messages.isEmpty());
}

void TestProjectWindow::dateCheck_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QDate>("date"); // when accepted
    QTest::addColumn<QTime>("time"); // invalid: no time of day
    QTest::addColumn<QString>("reopened"); // the Date field after OK and reopening

    QTest::newRow("empty") << "C"
                           << "" << true << QDate() << QTime() << "";
    QTest::newRow("blanks") << "C"
                            << "   " << true << QDate() << QTime() << "";
    QTest::newRow("words") << "C"
                           << "next tuesday" << true << QDate() << QTime() << "";
    QTest::newRow("no such day") << "en_US"
                                 << "2/30/2026" << true << QDate() << QTime() << "";
    QTest::newRow("short form") << "en_US"
                                << "3/4/2026" << false << QDate(2026, 3, 4) << QTime()
                                << "3/4/2026";
    QTest::newRow("two-digit year")
        << "en_US"
        << "3/4/26" << false << QDate(2026, 3, 4) << QTime() << "3/4/2026";
    QTest::newRow("with a time") << "en_US"
                                 << "3/4/2026 14:05" << false << QDate(2026, 3, 4) << QTime(14, 5)
                                 << "3/4/2026 14:05:00";
    QTest::newRow("ISO with a time") << "nl_NL"
                                     << "2026-03-04 07:30:15" << false << QDate(2026, 3, 4)
                                     << QTime(7, 30, 15) << "04-03-2026 07:30:15";
    // The form the window itself shows, in the locale of the test run.
    const QString shortForm = TestLocale::date({QDate(2026, 3, 4), QTime(), false});
    QTest::newRow("short form of the run")
        << testLocale().name() << shortForm << false << QDate(2026, 3, 4) << QTime() << shortForm;
}

void TestProjectWindow::dateCheck()
{
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    QFETCH(QDate, date);
    QFETCH(QTime, time);
    QFETCH(QString, reopened);
    TestProgram program{TestProgram::Procedure, QLocale(locale)};
    frmProjectgegevens *window = openProjectWindow(program.main());
    QVERIFY(window);

    typeAndLeave(window->Text3(0), typed);

    // The user goes on to the field Tab leads to, whatever the check said.
    QCOMPARE(window->focusWidget(), window->Text3(4));
    const CaseDate stored = program.general.ProjectDate;
    if (refused) {
        QCOMPARE(program.dialogs.messageTexts(), QStringList{DateError});
        QCOMPARE(program.dialogs.messages.first().title, QStringLiteral("Zeptor"));
        QVERIFY(stored == CaseDate::today());
        QCOMPARE(window->Text3(0)->text(), DateText::toText(CaseDate::today()));
        return;
    }
    QVERIFY(program.dialogs.messages.isEmpty());
    QCOMPARE(stored.date, date);
    QCOMPARE(stored.hasTime, time.isValid());
    if (time.isValid())
        QCOMPARE(stored.time, time);
    QCOMPARE(window->Text3(0)->text(), typed); // as the user typed it

    // A new window shows the short form, with the time where there is one; that text
    // is accepted back as the same date.
    window->Command1_Click();
    flushDeletes();
    window = openProjectWindow(program.main());
    QVERIFY(window);
    QCOMPARE(window->Text3(0)->text(), reopened);
    window->Text3(0)->setFocus();
    QTest::keyClick(window->Text3(0), Qt::Key_Tab);
    QVERIFY(program.general.ProjectDate == stored);
    QVERIFY(program.dialogs.messages.isEmpty());
}

void TestProjectWindow::oneLeaveGivesOneDateMessage()
{
    TestProgram program{TestProgram::Procedure};
    frmProjectgegevens *window = openProjectWindow(program.main());
    QVERIFY(window);
    // While the message is open the field loses the focus again, to the box and by
    // code; neither may start a second check.
    program.dialogs.whileOpen = [window] {
        window->Text3(0)->setFocus();
        window->Text3(2)->setFocus(Qt::TabFocusReason);
        window->Text3_LostFocus(0);
    };
    typeAndLeave(window->Text3(0), QStringLiteral("soon"));
    QCOMPARE(program.dialogs.messages.size(), 1);
    QCOMPARE(window->Text3(0)->text(), DateText::toText(CaseDate::today()));
}

void TestProjectWindow::switchingWindowsDoesNotCheckTheDate()
{
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    frmProjectgegevens *window = openProjectWindow(main);
    QVERIFY(window);
    type(window->Text3(0), QStringLiteral("half"));
    QVERIFY(activate(&main));
    QVERIFY(program.dialogs.messages.isEmpty());
    QVERIFY(activate(window));
    QCOMPARE(window->focusWidget(), window->Text3(0));
    QTest::keyClick(window->Text3(0), Qt::Key_Tab);
    QCOMPARE(program.dialogs.messageTexts(), QStringList{DateError});
}

void TestProjectWindow::fileFieldChangesNeitherCaptionNorSaveTarget()
{
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    frmProjectgegevens *window = openProjectWindow(main);
    QVERIFY(window);
    typeAndLeave(window->Text3(4), QStringLiteral("elsewhere.dvl"));
    QCOMPARE(main.windowTitle(), QStringLiteral("Zeptor - [new.dvl]"));
    QCOMPARE(program.general.ProjectFileName, QStringLiteral("new.dvl"));

    main.FileSave_Click();
    QVERIFY(QFile::exists(program.path(QStringLiteral("new.dvl"))));
    QVERIFY(!QFile::exists(program.path(QStringLiteral("elsewhere.dvl"))));
}

void TestProjectWindow::clearWhileHidden()
{
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    const QString path = program.path(QStringLiteral("loaded.dvl"));
    program.general.ProjectName = QStringLiteral("Old");
    program.general.PipeName = QStringLiteral("P1");
    program.general.ProjectOwner = QStringLiteral("Me");
    program.general.ProjectDate = {QDate(2020, 1, 2), QTime(3, 4, 5), true};
    program.dialogs.saveAnswers << path;
    main.FileSaveAs_Click();
    typeAndLeave(main.Text0(1), QStringLiteral("321"));
    QVERIFY(!main.Projectgegevens().isVisible());

    main.Projectgegevens().ClearForm_Click();

    const BasGeneral &g = program.general;
    QVERIFY(g.ProjectDate == CaseDate::today());
    QCOMPARE(g.ProjectName, QStringLiteral("new"));
    QVERIFY(g.PipeName.isEmpty());
    QVERIFY(g.ProjectOwner.isEmpty());
    QCOMPARE(g.ProjectFileName, QStringLiteral("new.dvl"));
    QCOMPARE(main.windowTitle(), QStringLiteral("Zeptor - [new.dvl]"));
    frmProjectgegevens &window = main.Projectgegevens();
    QCOMPARE(window.Text3(1)->text(), QStringLiteral("new"));
    QCOMPARE(window.Text3(4)->text(), QStringLiteral("new.dvl"));
    QCOMPARE(window.Text3(0)->text(), DateText::toText(CaseDate::today()));
    // The case itself stays.
    QCOMPARE(g.inputs().FlowRate, 321.0);
    QCOMPARE(main.Text0(1)->text(), QStringLiteral("321"));
}

void TestProjectWindow::okAndReopenShowTheRecord()
{
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    frmProjectgegevens *window = openProjectWindow(main);
    QVERIFY(window);
    typeAndLeave(window->Text3(1), QStringLiteral("Line 7"));
    // Typed and not left: OK takes it over all the same.
    type(window->Text3(3), QStringLiteral("Ops"));
    QTest::keyClick(window->Command1(), Qt::Key_Space);
    flushDeletes();
    QVERIFY(!main.findChild<frmProjectgegevens *>());
    QCOMPARE(program.general.ProjectOwner, QStringLiteral("Ops"));

    window = openProjectWindow(main);
    QVERIFY(window);
    QCOMPARE(window->Text3(1)->text(), QStringLiteral("Line 7"));
    QCOMPARE(window->Text3(3)->text(), QStringLiteral("Ops"));
    QCOMPARE(window->Text3(4)->text(), QStringLiteral("new.dvl"));
    QCOMPARE(window->Text3(0)->text(), DateText::toText(program.general.ProjectDate));
}

void TestProjectWindow::mainWindowGoingAwayWhileEditing()
{
    auto program = std::make_unique<TestProgram>(TestProgram::Procedure);
    frmProjectgegevens *window = openProjectWindow(program->main());
    QVERIFY(window);
    type(window->Text3(0), QStringLiteral("not a date"));
    QPointer<frmProjectgegevens> watch(window);
    program->main().close();
    QVERIFY(program->dialogs.messages.isEmpty());
    program.reset();
    QVERIFY(!watch);
}

void TestProjectWindow::screenshots()
{
    const QString dir = qEnvironmentVariable("ZEPTOR_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("ZEPTOR_SCREENSHOT_DIR not set");
    TestProgram program{TestProgram::Procedure};
    frmProjectgegevens *window = openProjectWindow(program.main());
    QVERIFY(window);
    typeAndLeave(window->Text3(1), QStringLiteral("Water transfer to roof tank"));
    typeAndLeave(window->Text3(2), QStringLiteral("DN50 riser"));
    typeAndLeave(window->Text3(3), QStringLiteral("Process engineering"));
    window->Text3(1)->setFocus();
    window->Text3(1)->setCursorPosition(0);
    QVERIFY(window->grab().save(QDir(dir).filePath(QStringLiteral("project-data.png"))));
}

QTEST_MAIN(TestProjectWindow)
#include "tst_projectwindow.moc"
