// The main window's fields as a person uses them: typing, Tab, Enter, the arrow keys
// and clicks, with the prompts answered from a script.
#include "shell/qtdialogs.h"
#include "support/testprogram.h"

#include <QInputDialog>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <optional>

class tst_frmStart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startValues();
    void typicalEdit();
    void typedCases_data();
    void typedCases();
    void typingIsFreeUntilLeaving();
    void focusSelectsWholeText();
    void promptLoopWithCancel();
    void negativeValues_data();
    void negativeValues();
    void elevationRule_data();
    void elevationRule();
    void shorterLengthClipsElevation();
    void roughnessCap_data();
    void roughnessCap();
    void navigation_data();
    void navigation();
    void enterInDisplayField();
    void oneLeaveGivesOnePrompt_data();
    void oneLeaveGivesOnePrompt();
    void realInputDialogPromptsOnce();
    void deactivationDoesNotCommit();
    void menuPopupDoesNotCommit();
    void handOver_data();
    void handOver();
    void handOverLeavesPendingEditFirst();
    void commitForSave();
    void appendageLengthFollowsDiameter();
    void commaLocale();

private:
    std::optional<TestProgram> m_program;
    TestProgram &program() { return *m_program; }
    frmStart &main() { return m_program->main(); }
};

void tst_frmStart::init()
{
    m_program.emplace();
    QVERIFY(program().active);
}

void tst_frmStart::cleanup()
{
    m_program.reset();
}

void tst_frmStart::startValues()
{
    const QList<std::pair<int, QString>> entries = {
        {1, "100"}, {2, "1000"}, {3, "1"}, {4, "100"}, {23, "0.01"}, {5, "0"}, {6, "0"}, {7, "0"}};
    for (const auto &[index, text] : entries)
        QCOMPARE(program().text(index), num(text));
    for (const FieldInfo &f : FieldTable) {
        if (f.role == FieldRole::Result)
            QCOMPARE(program().text(f.index), QStringLiteral("0"));
    }
    QCOMPARE(main().statusText(), QString());
    QVERIFY(program().dialogs.prompts.isEmpty());
}

// The inner diameter typed and confirmed with Enter: stored, recomputed, and the focus
// goes on to the surface roughness.
void tst_frmStart::typicalEdit()
{
    program().typeInto(4, "50");
    QCOMPARE(program().text(4), QStringLiteral("50"));
    QCOMPARE(program().general.InnerDiameter, 100.0); // nothing stored while typing
    program().key(Qt::Key_Return);
    QCOMPARE(program().general.InnerDiameter, 50.0);
    QCOMPARE(program().focusedField(), 23);
    QCOMPARE(main().statusText(), QStringLiteral("Flow is Laminar"));
    QCOMPARE(program().text(15), num("1963.4954"));
    QVERIFY(program().dialogs.prompts.isEmpty());
}

void tst_frmStart::typedCases_data()
{
    QTest::addColumn<QStringList>("entries"); // in the order of the Enter key: 1 2 3 4 23 5 6 7
    QTest::addColumn<QString>("bendsLd");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("expected"); // "index=text"

    QTest::newRow("start values") << QStringList{"100", "1000", "1", "100", "0.01", "0", "0", "0"}
                                  << "0"
                                  << "Flow is Laminar"
                                  << QStringList{"13=0.1810", "14=0.0000", "15=7853.9816",
                                         "16=0.0000", "17=0.0000", "18=0.0000", "19=0.0000", "21=0",
                                         "22=0.0000", "27=0.0", "28=0.14", "24=n.a."};
    QTest::newRow("turbulent") << QStringList{"10000", "1000", "1", "50", "0.01", "100", "0", "0"}
                               << "0"
                               << "Flow is Turbulent"
                               << QStringList{"13=0.0201", "14=40.2000", "15=1963.4954",
                                      "16=196.35", "17=0.0000", "18=0.4023", "19=0.4023",
                                      "21=40228", "22=70.69", "27=111.7", "28=113.18", "24=0.0002"};
    // 50 l/d of bends at 50 mm are 2.5 m of equivalent length.
    QTest::newRow("turbulent, elevation, extra loss, appendages")
        << QStringList{"10000", "1000", "1", "50", "0.05", "100", "5", "0.2"} << "50"
        << "Flow is Turbulent"
        << QStringList{"25=2.5", "13=0.0229", "14=45.8000", "17=1.1450", "18=0.9603", "19=1.1603",
               "21=116028", "27=322.3", "24=0.0010"};
}

void tst_frmStart::typedCases()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, bendsLd);
    QFETCH(QString, status);
    QFETCH(QStringList, expected);

    main().setText0(9, bendsLd);
    program().typeInto(1, num(entries[0]));
    program().key(Qt::Key_Return);
    for (int i = 1; i < entries.size(); ++i) {
        QCOMPARE(program().focusedField(), EntryOrder[size_t(i)]);
        QTest::keyClicks(QApplication::focusWidget(), num(entries[i]));
        program().key(Qt::Key_Return);
    }
    QCOMPARE(program().focusedField(), 1);
    QCOMPARE(main().statusText(), status);
    for (const QString &pair : expected) {
        const int index = pair.section('=', 0, 0).toInt();
        QCOMPARE(program().text(index), num(pair.section('=', 1)));
    }
    QVERIFY(program().dialogs.prompts.isEmpty());
    QVERIFY(program().dialogs.messages.isEmpty());
}

void tst_frmStart::typingIsFreeUntilLeaving()
{
    program().typeInto(2, "abc");
    QCOMPARE(program().text(2), QStringLiteral("abc"));
    QVERIFY(program().dialogs.prompts.isEmpty());
    program().dialogs.answers = {"998"};
    program().key(Qt::Key_Tab);
    QCOMPARE(program().dialogs.prompts.size(), 1);
    QCOMPARE(program().general.Density, 998.0);
    QCOMPARE(program().text(2), QStringLiteral("998"));
    QCOMPARE(program().focusedField(), 3);
}

void tst_frmStart::focusSelectsWholeText()
{
    QTest::mouseClick(program().field(2), Qt::LeftButton);
    QCOMPARE(program().field(2)->selectedText(), QStringLiteral("1000"));
    program().key(Qt::Key_Tab);
    QCOMPARE(program().field(3)->selectedText(), QStringLiteral("1"));
    program().key(Qt::Key_Return);
    QCOMPARE(program().field(4)->selectedText(), QStringLiteral("100"));
}

// An empty flow rate: Cancel asks again, "0" is accepted.
void tst_frmStart::promptLoopWithCancel()
{
    program().typeInto(1, "");
    program().key(Qt::Key_Delete);
    QCOMPARE(program().text(1), QString());
    program().dialogs.answers = {"", "", "0"};
    program().key(Qt::Key_Tab);
    QVERIFY(program().dialogs.prompts.size() >= 3);
    for (int i = 0; i < 3; ++i) {
        const auto &prompt = program().dialogs.prompts[i];
        QCOMPARE(prompt.message, QStringLiteral("Sorry, only numbers\rPlease enter a value ..."));
        QCOMPARE(prompt.title, QStringLiteral("Input"));
        QCOMPARE(prompt.defaultAnswer, QStringLiteral("0"));
    }
    QCOMPARE(program().general.FlowRate, 0.0);
    QCOMPARE(program().text(1), QStringLiteral("0"));
    QCOMPARE(program().focusedField(), 2);
}

void tst_frmStart::negativeValues_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("prompts");
    QTest::addColumn<QString>("finalText");

    QTest::newRow("length asks until positive") << 5 << QStringList{"-3", "3"} << 2 << "3";
    QTest::newRow("extra loss, zero accepted") << 7 << QStringList{"0"} << 1 << "0";
    QTest::newRow("flow") << 1 << QStringList{"x", "-1", "250"} << 3 << "250";
    QTest::newRow("elevation may be negative") << 6 << QStringList{} << 0 << "-3";
}

void tst_frmStart::negativeValues()
{
    QFETCH(int, index);
    QFETCH(QStringList, answers);
    QFETCH(int, prompts);
    QFETCH(QString, finalText);

    program().dialogs.answers = answers;
    program().typeInto(index, "-3");
    program().key(Qt::Key_Tab);
    QCOMPARE(program().dialogs.prompts.size(), prompts);
    if (prompts > 0) {
        QCOMPARE(program().dialogs.prompts.first().message,
            QStringLiteral("Sorry, only positive numbers\rPlease enter a value ..."));
    }
    QCOMPARE(program().text(index), finalText);
    QVERIFY(program().dialogs.messages.isEmpty());
}

void tst_frmStart::elevationRule_data()
{
    QTest::addColumn<QString>("length"); // empty: left at its start value
    QTest::addColumn<QString>("elevation");
    QTest::addColumn<bool>("message");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("stored");

    QTest::newRow("above the length") << "10"
                                      << "12" << true << "10" << 10.0;
    QTest::newRow("equal to the length") << "10"
                                         << "10" << false << "10" << 10.0;
    QTest::newRow("length still 0") << ""
                                    << "3" << true << "0" << 0.0;
    QTest::newRow("negative") << "10"
                              << "-5" << false << "-5" << -5.0;
    QTest::newRow("length text copied as typed") << "1e1"
                                                 << "12" << true << "1e1" << 10.0;
}

void tst_frmStart::elevationRule()
{
    QFETCH(QString, length);
    QFETCH(QString, elevation);
    QFETCH(bool, message);
    QFETCH(QString, shown);
    QFETCH(double, stored);

    if (!length.isEmpty()) {
        program().typeInto(5, length);
        program().key(Qt::Key_Return);
    } else {
        QTest::mouseClick(program().field(6), Qt::LeftButton);
    }
    QCOMPARE(program().focusedField(), 6);
    QTest::keyClicks(program().field(6), elevation);
    program().key(Qt::Key_Return);
    QCOMPARE(program().dialogs.messageTexts(),
        message ? QStringList{"Elevation <= Total pipe length"} : QStringList{});
    if (message) {
        QCOMPARE(program().dialogs.messages.first().title, QStringLiteral("Zeptor"));
        QCOMPARE(program().dialogs.messages.first().icon, Dialogs::Icon::None);
    }
    QCOMPARE(program().text(6), shown);
    QCOMPARE(program().general.Elevation, stored);
    QCOMPARE(program().focusedField(), 7);
}

void tst_frmStart::shorterLengthClipsElevation()
{
    program().typeInto(5, "10");
    program().key(Qt::Key_Return);
    QTest::keyClicks(program().field(6), "8");
    program().key(Qt::Key_Up);
    QCOMPARE(program().focusedField(), 5);
    QTest::keyClicks(program().field(5), "5");
    program().key(Qt::Key_Tab);
    QCOMPARE(program().dialogs.messageTexts(), QStringList{"Elevation <= Total pipe length"});
    QCOMPARE(program().text(6), QStringLiteral("5"));
    QCOMPARE(program().general.Elevation, 5.0);
}

void tst_frmStart::roughnessCap_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("message");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("stored");

    QTest::newRow("5 accepted") << "5" << false << "5" << 5.0;
    QTest::newRow("5.01 capped") << "5.01" << true << "5" << 5.0;
    QTest::newRow("0 accepted") << "0" << false << "0" << 0.0;
    QTest::newRow("far above") << "1e3" << true << "5" << 5.0;
}

void tst_frmStart::roughnessCap()
{
    QFETCH(QString, typed);
    QFETCH(bool, message);
    QFETCH(QString, shown);
    QFETCH(double, stored);

    program().typeInto(23, num(typed));
    program().key(Qt::Key_Return);
    QCOMPARE(program().dialogs.messageTexts(),
        message ? QStringList{"Maximum value is 5 ..."} : QStringList{});
    QCOMPARE(program().text(23), shown);
    QCOMPARE(program().general.WallRoughness, stored);
    QCOMPARE(program().focusedField(), 5);
}

void tst_frmStart::navigation_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<int>("to");

    QTest::newRow("Enter wraps 7 to 1") << 7 << int(Qt::Key_Return) << false << 1;
    QTest::newRow("Up wraps 1 to 7") << 1 << int(Qt::Key_Up) << false << 7;
    QTest::newRow("Enter 4 to 23") << 4 << int(Qt::Key_Return) << false << 23;
    QTest::newRow("Enter 23 to 5") << 23 << int(Qt::Key_Return) << false << 5;
    QTest::newRow("Down 3 to 4") << 3 << int(Qt::Key_Down) << false << 4;
    QTest::newRow("Up 5 to 23") << 5 << int(Qt::Key_Up) << false << 23;
    QTest::newRow("keypad Enter 2 to 3") << 2 << int(Qt::Key_Enter) << true << 3;
    QTest::newRow("Down wraps 7 to 1") << 7 << int(Qt::Key_Down) << false << 1;
}

void tst_frmStart::navigation()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(bool, keypad);
    QFETCH(int, to);

    // A text that is not a number shows that the key ran the field's check, once.
    program().typeInto(from, "x");
    program().dialogs.answers = {"1"};
    program().key(Qt::Key(key), keypad ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(program().dialogs.prompts.size(), 1);
    QCOMPARE(program().text(from), QStringLiteral("1"));
    QCOMPARE(program().focusedField(), to);
    QCOMPARE(program().field(to)->selectedText(), program().text(to));
}

// Enter in a result field recomputes and keeps the focus there.
void tst_frmStart::enterInDisplayField()
{
    QTest::mouseClick(program().field(13), Qt::LeftButton);
    QCOMPARE(program().focusedField(), 13);
    program().key(Qt::Key_Return);
    QCOMPARE(program().focusedField(), 13);
    QCOMPARE(main().statusText(), QStringLiteral("Flow is Laminar"));
    QCOMPARE(program().text(13), num("0.1810"));
    // The field is still the one being left by the next move.
    program().key(Qt::Key_Down);
    QCOMPARE(program().focusedField(), 13);
    QVERIFY(program().dialogs.prompts.isEmpty());
}

// A modal prompt takes the focus from the main window and gives it back when it closes:
// neither is a leave of its own.
void tst_frmStart::oneLeaveGivesOnePrompt_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("landsOn");
    QTest::newRow("Tab") << "tab" << 2;
    QTest::newRow("Enter") << "enter" << 2;
    QTest::newRow("click into another field") << "click" << 5;
    QTest::newRow("click on Clear") << "clear" << 0;
}

void tst_frmStart::oneLeaveGivesOnePrompt()
{
    QFETCH(QString, how);
    QFETCH(int, landsOn);

    frmStart *window = &main();
    program().dialogs.whileOpen = [window] {
        QWidget prompt;
        prompt.setWindowTitle(QStringLiteral("Input"));
        prompt.show();
        prompt.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&prompt));
        prompt.close();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    };
    program().typeInto(1, "abc");
    program().dialogs.answers = {"300"};
    if (how == "tab")
        program().key(Qt::Key_Tab);
    else if (how == "enter")
        program().key(Qt::Key_Return);
    else if (how == "click")
        QTest::mouseClick(program().field(5), Qt::LeftButton);
    else
        QTest::mouseClick(window->clearButton(), Qt::LeftButton);
    QTest::qWait(20);
    QCOMPARE(program().dialogs.prompts.size(), 1);
    QCOMPARE(program().dialogs.prompts.first().message,
        QStringLiteral("Sorry, only numbers\rPlease enter a value ..."));
    if (landsOn) {
        QCOMPARE(program().general.FlowRate, 300.0);
        QCOMPARE(program().focusedField(), landsOn);
    } else {
        QCOMPARE(QApplication::focusWidget(), window->clearButton());
        QCOMPARE(program().text(1), QStringLiteral("100")); // Clear ran after the check
    }
}

// The same with Qt's own input dialog: one Tab, one dialog, the answer taken over.
void tst_frmStart::realInputDialogPromptsOnce()
{
    program().stop();
    QtDialogs dialogs;
    frmStart window(program().general, dialogs);
    dialogs.setMainWindow(&window);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    int shown = 0;
    QString label;
    QTimer answer;
    answer.setInterval(10);
    connect(&answer, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        ++shown;
        label = dialog->labelText();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Input"));
        QCOMPARE(dialog->textValue(), QStringLiteral("0"));
        dialog->setTextValue(QStringLiteral("42"));
        dialog->accept();
    });
    answer.start();

    QTest::mouseClick(window.Text0(3), Qt::LeftButton);
    QCOMPARE(window.Text0(3)->selectedText(), QStringLiteral("1"));
    QTest::keyClicks(window.Text0(3), "abc");
    QTest::keyClick(window.Text0(3), Qt::Key_Tab);
    QTest::qWait(100);
    answer.stop();

    QCOMPARE(shown, 1);
    QCOMPARE(label, QStringLiteral("Sorry, only numbers\nPlease enter a value ..."));
    QCOMPARE(window.Text0(3)->text(), QStringLiteral("42"));
    QCOMPARE(program().general.Viscosity, 42.0);
    QCOMPARE(window.focusWidget(), window.Text0(4));
    // Coming back to the window is no leave either.
    answer.start();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::qWait(50);
    answer.stop();
    QCOMPARE(shown, 1);
    QCOMPARE(QApplication::focusWidget(), window.Text0(4));
}

// Switching to another application is no leave: nothing is checked or stored, the
// typed text stays, and leaving the field later takes it over.
void tst_frmStart::deactivationDoesNotCommit()
{
    program().typeInto(1, "abc");
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(program().dialogs.prompts.isEmpty());
    QCOMPARE(program().general.FlowRate, 100.0);

    main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main()));
    QCOMPARE(program().focusedField(), 1);
    QCOMPARE(program().text(1), QStringLiteral("abc"));
    QVERIFY(program().dialogs.prompts.isEmpty());

    program().dialogs.answers = {"20"};
    program().key(Qt::Key_Tab);
    QCOMPARE(program().dialogs.prompts.size(), 1);
    QCOMPARE(program().general.FlowRate, 20.0);
}

void tst_frmStart::menuPopupDoesNotCommit()
{
    program().typeInto(2, "abc");
    auto *menu = main().findChild<QMenu *>(QStringLiteral("mnuFile"));
    QVERIFY(menu);
    menu->popup(main().mapToGlobal(QPoint(10, 10)));
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_Escape);
    QTRY_VERIFY(!menu->isVisible());
    QVERIFY(program().dialogs.prompts.isEmpty());
    QCOMPARE(program().text(2), QStringLiteral("abc"));
    QCOMPARE(program().general.Density, 1000.0);

    program().dialogs.answers = {"900"};
    QTest::mouseClick(program().field(7), Qt::LeftButton);
    QCOMPARE(program().dialogs.prompts.size(), 1);
    QCOMPARE(program().general.Density, 900.0);
}

void tst_frmStart::handOver_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("button");
    QTest::newRow("diameter") << 4 << "SSCommand1";
    QTest::newRow("roughness") << 23 << "SCommand2";
    QTest::newRow("bends") << 9 << "SCommand4";
    QTest::newRow("valves") << 10 << "SCommand5";
}

// A tool window writes the field and hands the value over: the field's check runs once
// on the text as written, and the focus rests on the field's "..." button.
void tst_frmStart::handOver()
{
    QFETCH(int, index);
    QFETCH(QString, button);

    main().setText0(index, "x");
    program().dialogs.clearLog();
    program().dialogs.answers = {"2"};
    main().handOver(index);
    QCOMPARE(program().dialogs.prompts.size(), 1);
    QCOMPARE(program().text(index), QStringLiteral("2"));
    QCOMPARE(QApplication::focusWidget()->objectName(), button);
    QCOMPARE(main().dotsButton(index)->objectName(), button);
    QVERIFY(!main().statusText().isEmpty());
    // Moving on from the button checks nothing again.
    program().key(Qt::Key_Tab);
    QCOMPARE(program().dialogs.prompts.size(), 1);
}

void tst_frmStart::handOverLeavesPendingEditFirst()
{
    program().typeInto(5, "abc");
    program().dialogs.answers = {"12"};
    main().setText0(4, "50");
    main().handOver(4);
    QCOMPARE(program().dialogs.prompts.size(), 1);
    QCOMPARE(program().general.PipeLength, 12.0);
    QCOMPARE(program().general.InnerDiameter, 50.0);
    QCOMPARE(QApplication::focusWidget(), main().dotsButton(4));
}

// Saving takes over the field being edited and leaves the focus on the flow rate.
void tst_frmStart::commitForSave()
{
    program().typeInto(5, "-3");
    program().dialogs.answers = {"4"};
    main().commitForSave();
    QCOMPARE(program().dialogs.prompts.size(), 1);
    QCOMPARE(program().general.PipeLength, 4.0);
    QCOMPARE(program().focusedField(), 1);
    // The flow rate is now the field being edited: leaving it is a leave.
    QTest::keyClicks(program().field(1), "abc");
    program().dialogs.answers = {"5"};
    program().key(Qt::Key_Tab);
    QCOMPARE(program().dialogs.prompts.size(), 2);
    QCOMPARE(program().general.FlowRate, 5.0);
}

void tst_frmStart::appendageLengthFollowsDiameter()
{
    main().setText0(9, "65");
    main().setText0(10, "13");
    QCOMPARE(program().text(8), QStringLiteral("78"));
    QCOMPARE(program().text(25), num("7.8"));
    program().typeInto(4, "50");
    QCOMPARE(program().text(25), num("7.8"));
    program().key(Qt::Key_Tab);
    QCOMPARE(program().text(25), num("3.9"));
}

void tst_frmStart::commaLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    program().typeInto(5, "12,5");
    program().key(Qt::Key_Return);
    QCOMPARE(program().general.PipeLength, 12.5);
    QVERIFY(program().dialogs.prompts.isEmpty());
    QCOMPARE(program().text(15), QStringLiteral("7853,9816"));
}

QTEST_MAIN(tst_frmStart)
#include "tst_frmstart.moc"
