// The main window's frame: start-up, menus, toolbar, the "..." buttons, Clear and Exit.
#include "appendages/frmwgetal1.h"
#include "appendages/frmwgetal2.h"
#include "pickers/frmabsruwheid.h"
#include "pickers/frmdiameter.h"
#include "project/datetext.h"
#include "project/frmprojectgegevens.h"
#include "shell/frmabout.h"
#include "shell/frmhelpscreen.h"
#include "shell/frmstart_menus.h"
#include "support/testprogram.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include <optional>

namespace {

// The program's windows that are on screen, by class name.
QStringList visibleToolWindows(const frmStart &main)
{
    QStringList out;
    for (QWidget *w : main.findChildren<QWidget *>()) {
        if (w->isWindow() && w->isVisible())
            out << QString::fromLatin1(w->metaObject()->className());
    }
    out.sort();
    return out;
}

QAction *toolbarAction(const frmStart &main, const QString &key)
{
    for (QAction *a : main.toolbar()->actions()) {
        if (a->data().toString() == key)
            return a;
    }
    return nullptr;
}

void clickToolbar(const frmStart &main, const QString &key)
{
    QAction *action = toolbarAction(main, key);
    QVERIFY2(action, qPrintable(key));
    QTest::mouseClick(main.toolbar()->widgetForAction(action), Qt::LeftButton);
}

} // namespace

class tst_frmStartCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startProcedure();
    void designCaptionBeforeStart();
    void menusAndToolbarShowTheirTables();
    void toolbarDispatch_data();
    void toolbarDispatch();
    void oneWindowPerKind_data();
    void oneWindowPerKind();
    void toolbarKeepsPendingEdit_data();
    void toolbarKeepsPendingEdit();
    void toolbarSaveCommitsPendingEdit();
    void clear_data();
    void clear();
    void clearAfterLoad();
    void exit_data();
    void exit();
    void fieldsAndButtonsAreNamed();
    void layout();

private:
    std::optional<TestProgram> m_program;
    TestProgram &program() { return *m_program; }
    frmStart &main() { return m_program->main(); }
};

void tst_frmStartCommands::init()
{
    m_program.emplace();
    QVERIFY(program().active);
}

void tst_frmStartCommands::cleanup()
{
    m_program.reset();
}

void tst_frmStartCommands::startProcedure()
{
    // A record with stale values, which the start procedure replaces.
    program().stop();
    BasGeneral &record = program().general;
    record = BasGeneral{};
    record.AboutTimerFired = 1;
    record.RoughnessChoice = 9;
    record.ProjectFileName = QStringLiteral("old.dvl");
    program().start(TestProgram::ProcedureWithSplash);
    frmStart *window = &main();
    const ScriptedDialogs &dialogs = program().dialogs;

    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Zeptor - [new.dvl]"));
    QCOMPARE(record.ProjectFileName, QStringLiteral("new.dvl"));
    QCOMPARE(record.AboutTimerFired, qint16(0));
    QCOMPARE(record.RoughnessChoice, qint16(4));
    QCOMPARE(record.DiameterStandard, qint16(0));
    QVERIFY(!record.IsoDiameters.empty());
    QVERIFY(!record.DinDiameters.empty());
    QVERIFY(window->hasAbout());
    QVERIFY(window->About().isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&window->About()));

    // The project window is there, hidden, with today's date and the file name.
    QVERIFY(window->hasProjectgegevens());
    QVERIFY(!window->Projectgegevens().isVisible());
    QCOMPARE(window->Projectgegevens().Text3(4)->text(), QStringLiteral("new.dvl"));
    QCOMPARE(window->Projectgegevens().Text3(0)->text(), DateText::toText(CaseDate::today()));
    QCOMPARE(record.ProjectDate, CaseDate::today());

    const QStringList entries = num(QStringList{"100", "1000", "1", "100", "0.01", "0", "0", "0"});
    for (size_t i = 0; i < EntryOrder.size(); ++i)
        QCOMPARE(window->Text0(EntryOrder[i])->text(), entries[qsizetype(i)]);
    for (const FieldInfo &f : FieldTable) {
        if (f.role != FieldRole::Entry)
            QCOMPARE(window->Text0(f.index)->text(), QStringLiteral("0"));
    }
    QCOMPARE(window->statusText(), QString());
    QVERIFY(dialogs.prompts.isEmpty());
    QVERIFY(dialogs.messages.isEmpty());
}

void tst_frmStartCommands::designCaptionBeforeStart()
{
    QCOMPARE(main().windowTitle(), QStringLiteral("Pressure Drop Zeptor"));
    program().general.ProjectFileName = QStringLiteral("/data/cases/pump 3.dvl");
    main().applyCaption();
    QCOMPARE(main().windowTitle(), QStringLiteral("Zeptor - [/data/cases/pump 3.dvl]"));
}

// The menus and the toolbar show the program's own tables: no shortcuts, no
// mnemonics (but in our own Analysis menu), every toolbar button with an image and out
// of the tab order.
void tst_frmStartCommands::menusAndToolbarShowTheirTables()
{
    using namespace frmStartMenus;
    const QList<QAction *> bar = main().menuBar()->actions();
    QCOMPARE(bar.size(), qsizetype(std::size(Menus)));
    QStringList titles;
    for (const QAction *a : bar)
        titles << a->text();
    QCOMPARE(titles, (QStringList{"File", "Data", "&Analysis", "Help"}));
    for (const Menu &menu : Menus) {
        QStringList items;
        for (const MenuItem &item : menu.items) {
            items << QString::fromLatin1(item.name) + '=' + QString::fromLatin1(item.caption);
            QVERIFY(item.caption == nullptr || item.handler != nullptr);
        }
        auto *popup = main().findChild<QMenu *>(menu.name);
        QVERIFY(popup);
        QCOMPARE(popup->title(), menu.caption);
        QVERIFY(bar.contains(popup->menuAction()));
        QStringList actual;
        const bool ours = qstrcmp(menu.name, "mnuAnalysis") == 0;
        for (qsizetype i = 0; i < popup->actions().size(); ++i) {
            const QAction *a = popup->actions()[i];
            actual << a->objectName() + '=' + (a->isSeparator() ? QString() : a->text());
            QCOMPARE(
                a->shortcut(), QKeySequence(QString::fromLatin1(menu.items[size_t(i)].shortcut)));
            QCOMPARE(a->text().contains(QLatin1Char('&')), ours);
            QCOMPARE(a->shortcut().isEmpty(), !ours);
        }
        QCOMPARE(actual, items);
    }

    QStringList buttons;
    for (const ToolbarButton &b : ToolbarButtons)
        buttons << QString::fromLatin1(b.key) + '=' + QString::fromLatin1(b.toolTip);
    QStringList actual;
    for (QAction *a : main().toolbar()->actions()) {
        actual << a->data().toString() + '=' + (a->isSeparator() ? QString() : a->toolTip());
        if (a->isSeparator())
            continue;
        QWidget *button = main().toolbar()->widgetForAction(a);
        QVERIFY(button);
        QCOMPARE(button->toolTip(), a->toolTip());
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QVERIFY(!button->accessibleName().isEmpty());
        QVERIFY2(!a->icon().pixmap(24, 24).isNull(), qPrintable(a->data().toString()));
        QVERIFY(a->shortcut().isEmpty());
    }
    QCOMPARE(actual, buttons);
    QCOMPARE(main().toolbar()->objectName(), QStringLiteral("Toolbar1"));
}

void tst_frmStartCommands::toolbarDispatch_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("windows");

    QTest::newRow("project") << "project" << QStringList{"frmProjectgegevens"};
    QTest::newRow("pipes") << "pipes" << QStringList{"frmWgetal1"};
    QTest::newRow("valves") << "valves" << QStringList{"frmWgetal2"};
    QTest::newRow("ruw") << "ruw" << QStringList{"frmAbsRuwheid"};
    QTest::newRow("Diameter") << "Diameter" << QStringList{"frmDiameter"};
    QTest::newRow("help") << "help" << QStringList{"frmHelpScreen"};
    QTest::newRow("info") << "info" << QStringList{"frmAbout"};
    QTest::newRow("diameter is no key") << "diameter" << QStringList{};
    QTest::newRow("separator key") << "sep" << QStringList{};
    QTest::newRow("unknown key") << "Open" << QStringList{};
    QTest::newRow("empty key") << "" << QStringList{};
}

void tst_frmStartCommands::toolbarDispatch()
{
    QFETCH(QString, key);
    QFETCH(QStringList, windows);

    if (toolbarAction(main(), key) && !toolbarAction(main(), key)->isSeparator())
        clickToolbar(main(), key);
    else
        main().Toolbar1_ButtonClick(key);
    QCOMPARE(visibleToolWindows(main()), windows);
    QVERIFY(main().isVisible());
    QVERIFY(program().dialogs.prompts.isEmpty());
}

void tst_frmStartCommands::oneWindowPerKind_data()
{
    QTest::addColumn<QString>("how"); // menu item, toolbar key or "..." button
    QTest::addColumn<QString>("window");

    QTest::newRow("Data, Bends and tees") << "menu:mnuCalcBends"
                                          << "frmWgetal1";
    QTest::newRow("Data, Valves") << "menu:mnuCalcCocks"
                                  << "frmWgetal2";
    QTest::newRow("Data, Pipe roughness") << "menu:RuwheidWand"
                                          << "frmAbsRuwheid";
    QTest::newRow("Data, Pipe diameter") << "menu:DiameterLleiding"
                                         << "frmDiameter";
    QTest::newRow("Data, Project information") << "menu:mnuProjectGegevens"
                                               << "frmProjectgegevens";
    QTest::newRow("Help, What does") << "menu:mnuHelpContents"
                                     << "frmHelpScreen";
    QTest::newRow("Help, About") << "menu:mnuHelpAbout"
                                 << "frmAbout";
    QTest::newRow("SSCommand1") << "button:SSCommand1"
                                << "frmDiameter";
    QTest::newRow("SCommand2") << "button:SCommand2"
                               << "frmAbsRuwheid";
    QTest::newRow("SCommand4") << "button:SCommand4"
                               << "frmWgetal1";
    QTest::newRow("SCommand5") << "button:SCommand5"
                               << "frmWgetal2";
    QTest::newRow("toolbar pipes") << "toolbar:pipes"
                                   << "frmWgetal1";
}

// Opening twice gives one window, in front; a minimised one comes back.
void tst_frmStartCommands::oneWindowPerKind()
{
    QFETCH(QString, how);
    QFETCH(QString, window);

    const QString kind = how.section(':', 0, 0);
    const QString name = how.section(':', 1);
    const auto open = [&] {
        if (kind == "menu") {
            auto *action = main().findChild<QAction *>(name);
            QVERIFY(action);
            action->trigger();
        } else if (kind == "button") {
            auto *button = main().findChild<QPushButton *>(name);
            QVERIFY(button);
            QCOMPARE(button->text(), QStringLiteral("..."));
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            clickToolbar(main(), name);
        }
    };
    open();
    QCOMPARE(visibleToolWindows(main()), QStringList{window});
    QWidget *first = QApplication::activeWindow();
    QTRY_VERIFY(QApplication::activeWindow() && QApplication::activeWindow() != &main());
    first = QApplication::activeWindow();
    QCOMPARE(QString::fromLatin1(first->metaObject()->className()), window);

    first->showMinimized();
    QTRY_VERIFY(first->isMinimized());
    main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main()));
    open();
    QCOMPARE(visibleToolWindows(main()), QStringList{window});
    QTRY_COMPARE(QApplication::activeWindow(), first);
    QVERIFY(!first->isMinimized());
}

void tst_frmStartCommands::toolbarKeepsPendingEdit_data()
{
    QTest::addColumn<QString>("key");
    QTest::newRow("help") << "help";
    QTest::newRow("print, cancelled") << "print";
    QTest::newRow("open, cancelled") << "open";
}

// Toolbar buttons take no focus: the field keeps its text and nothing is checked.
void tst_frmStartCommands::toolbarKeepsPendingEdit()
{
    QFETCH(QString, key);
    program().typeInto(5, "abc");
    clickToolbar(main(), key);
    QVERIFY(program().dialogs.prompts.isEmpty());
    QCOMPARE(program().text(5), QStringLiteral("abc"));
    QCOMPARE(program().general.PipeLength, 0.0);
    QCOMPARE(main().focusWidget(), program().field(5));
}

void tst_frmStartCommands::toolbarSaveCommitsPendingEdit()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    program().general.ProjectFileName = dir.filePath(QStringLiteral("case.dvl"));
    program().typeInto(1, "250");
    clickToolbar(main(), QStringLiteral("save"));
    QCOMPARE(program().general.FlowRate, 250.0);
    QCOMPARE(program().focusedField(), 1);
    QFile file(program().general.ProjectFileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readLine().trimmed(), QByteArray("250"));
}

void tst_frmStartCommands::clear_data()
{
    QTest::addColumn<bool>("toolbar");
    QTest::newRow("button") << false;
    QTest::newRow("toolbar") << true;
}

// Clear puts back a new case without asking; the pickers' memory and the About flag
// stay as they are.
void tst_frmStartCommands::clear()
{
    QFETCH(bool, toolbar);
    BasGeneral &record = program().general;
    record.RoughnessChoice = 7;
    record.AboutTimerFired = 1;
    record.ProjectName = QStringLiteral("Pump");
    record.ProjectOwner = QStringLiteral("Ann");
    record.ProjectFileName = QStringLiteral("pump.dvl");
    main().applyCaption();

    frmWgetal1 &bends = main().Wgetal1();
    bends.Text1(0)->setText(QStringLiteral("2"));
    record.BendCounts[0] = 2;
    bends.BerekenTotaleWeerstand1();
    main().setText0(10, QStringLiteral("13"));
    record.ValveCounts[4] = 1;
    program().typeInto(1, "10000");
    program().key(Qt::Key_Return);
    program().typeInto(4, "50");
    program().key(Qt::Key_Return);
    program().typeInto(5, "100");
    program().key(Qt::Key_Return);
    QCOMPARE(main().statusText(), QStringLiteral("Flow is Turbulent"));
    QVERIFY(program().text(9) != QStringLiteral("0"));

    if (toolbar)
        clickToolbar(main(), QStringLiteral("clear"));
    else
        QTest::mouseClick(main().clearButton(), Qt::LeftButton);

    const QStringList entries = num(QStringList{"100", "1000", "1", "100", "0.01", "0", "0", "0"});
    for (size_t i = 0; i < EntryOrder.size(); ++i)
        QCOMPARE(program().text(EntryOrder[i]), entries[qsizetype(i)]);
    for (int index : {8, 9, 10, 25})
        QCOMPARE(program().text(index), QStringLiteral("0"));
    QCOMPARE(record.inputs().FlowRate, 100.0);
    QCOMPARE(record.InnerDiameter, 100.0);
    QCOMPARE(record.PipeLength, 0.0);
    QCOMPARE(record.BendCounts, (std::array<qint16, 6>{}));
    QCOMPARE(record.ValveCounts, (std::array<qint16, 13>{}));
    QCOMPARE(bends.Text1(0)->text(), QStringLiteral("0"));
    QCOMPARE(record.ProjectName, QStringLiteral("new"));
    QCOMPARE(record.ProjectOwner, QString());
    QCOMPARE(record.ProjectFileName, QStringLiteral("new.dvl"));
    QCOMPARE(record.ProjectDate, CaseDate::today());
    QCOMPARE(main().windowTitle(), QStringLiteral("Zeptor - [new.dvl]"));
    QCOMPARE(main().statusText(), QStringLiteral("Flow is Laminar"));
    QCOMPARE(program().text(13), num("0.1810"));
    QCOMPARE(program().text(24), QStringLiteral("n.a."));
    QCOMPARE(record.RoughnessChoice, qint16(7));
    QCOMPARE(record.AboutTimerFired, qint16(1));
    QVERIFY(program().dialogs.prompts.isEmpty());
    QVERIFY(program().dialogs.messages.isEmpty());
    QCOMPARE(visibleToolWindows(main()), QStringList{});
}

void tst_frmStartCommands::clearAfterLoad()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("loaded.dvl"));
    program().general.ProjectFileName = file;
    program().typeInto(4, "50");
    program().key(Qt::Key_Return);
    main().FileSave_Click();
    program().dialogs.openAnswers = {file};
    main().FileLoad_Click();
    QCOMPARE(main().windowTitle(), QStringLiteral("Zeptor - [%1]").arg(file));
    QCOMPARE(program().text(4), QStringLiteral("50"));

    QTest::mouseClick(main().clearButton(), Qt::LeftButton);
    QCOMPARE(main().windowTitle(), QStringLiteral("Zeptor - [new.dvl]"));
    QCOMPARE(program().text(4), QStringLiteral("100"));
    QCOMPARE(main().Projectgegevens().Text3(4)->text(), QStringLiteral("new.dvl"));
    QCOMPARE(main().Projectgegevens().Text3(1)->text(), QStringLiteral("new"));
}

void tst_frmStartCommands::exit_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("menu File, Exit") << "menu";
    QTest::newRow("toolbar stop") << "toolbar";
    QTest::newRow("button Exit") << "button";
    QTest::newRow("close box") << "close";
}

// Exit and closing the main window end the program at once, with every window, without
// a question; the button checks the field it takes the focus from, as any button does.
void tst_frmStartCommands::exit()
{
    QFETCH(QString, how);
    QSignalSpy closed(&main(), &frmStart::closed);
    main().mnuCalcBends_Click();
    main().mnuHelpAbout_Click();
    main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main()));
    program().typeInto(5, "12");

    if (how == "menu")
        main().findChild<QAction *>(QStringLiteral("mnuExit"))->trigger();
    else if (how == "toolbar")
        clickToolbar(main(), QStringLiteral("stop"));
    else if (how == "button")
        QTest::mouseClick(main().exitButton(), Qt::LeftButton);
    else
        main().close();

    QVERIFY(!main().isVisible());
    QCOMPARE(visibleToolWindows(main()), QStringList{});
    QCOMPARE(closed.size(), 1);
    QVERIFY(program().dialogs.prompts.isEmpty());
    QVERIFY(program().dialogs.messages.isEmpty());
    QCOMPARE(program().general.PipeLength, how == "button" ? 12.0 : 0.0);
}

void tst_frmStartCommands::fieldsAndButtonsAreNamed()
{
    const QList<std::pair<int, QString>> names = {{1, "flow rate [liter/hr]"},
        {23, "surface roughness [mm]"}, {8, "total [l/d]"}, {15, "pipe area [mm2]"},
        {17, "friction of appendages [-]"}, {21, "pipe+equipment+appendages [Pa]"},
        {28, "estimated shear"}, {19, "pipe+equipment+appendages [bar]"}};
    for (const auto &[index, name] : names)
        QCOMPARE(program().field(index)->accessibleName(), name);

    for (const FieldInfo &f : FieldTable) {
        auto *field = main().findChild<QLineEdit *>(QStringLiteral("Text0_%1").arg(f.index));
        QCOMPARE(field, main().Text0(f.index));
        QVERIFY(!field->accessibleName().isEmpty());
        QCOMPARE(main().Label1(f.index)->text(), QString::fromLatin1(f.caption));
        QCOMPARE(main().Label2(f.index)->text(), QString::fromLatin1(f.unit));
        auto *frame = qobject_cast<QGroupBox *>(field->parentWidget());
        QVERIFY(frame);
        QCOMPARE(frame->title(), QString::fromLatin1(f.frame));
        QCOMPARE(field->isReadOnly(), f.role != FieldRole::Entry);
    }
    QCOMPARE(main().Label1(26)->text(), QStringLiteral("msg .............."));
    auto *square = main().findChild<QLabel *>(QStringLiteral("Label2_15_square"));
    QVERIFY(square);
    QCOMPARE(square->text(), QStringLiteral("2"));

    for (QPushButton *button : main().findChildren<QPushButton *>()) {
        if (button->window() != &main())
            continue;
        QVERIFY2(!button->toolTip().isEmpty(), qPrintable(button->objectName()));
        QVERIFY2(!button->accessibleName().isEmpty(), qPrintable(button->objectName()));
        QCOMPARE(button->focusPolicy(), Qt::StrongFocus);
    }
    QCOMPARE(main().clearButton()->text(), QStringLiteral("Clear"));
    QCOMPARE(main().exitButton()->text(), QStringLiteral("Exit"));
}

// Two columns of frames, Clear left of Exit at the bottom right, all on a 1366x768 screen.
void tst_frmStartCommands::layout()
{
    const QSize hint = main().sizeHint();
    QVERIFY2(hint.width() <= 1366 && hint.height() <= 728,
        qPrintable(QStringLiteral("%1x%2").arg(hint.width()).arg(hint.height())));
    main().resize(hint);
    QTest::qWait(10);

    const auto frameOf
        = [&](int index) { return program().field(index)->parentWidget()->geometry(); };
    QVERIFY(frameOf(1).top() < frameOf(4).top());
    QVERIFY(frameOf(4).top() < frameOf(9).top());
    QVERIFY(frameOf(1).right() < frameOf(11).left());
    QVERIFY(frameOf(11).top() < frameOf(19).top());
    QCOMPARE(frameOf(1).left(), frameOf(9).left());

    // Captions, fields and units line up in columns within a frame.
    for (int index : {2, 3})
        QCOMPARE(program().field(index)->x(), program().field(1)->x());
    for (int index : {12, 18, 28})
        QCOMPARE(program().field(index)->x(), program().field(11)->x());
    QCOMPARE(main().Label2(5)->x(), main().Label2(4)->x());

    const QPoint clear = main().clearButton()->mapTo(&main(), QPoint());
    const QPoint exit = main().exitButton()->mapTo(&main(), QPoint());
    QVERIFY(clear.x() < exit.x());
    QCOMPARE(clear.y(), exit.y());
    QVERIFY(exit.x() > main().width() / 2);
    QVERIFY(clear.y() > program().field(21)->mapTo(&main(), QPoint()).y());
    QVERIFY(main().statusBar()->isVisible());
}

QTEST_MAIN(tst_frmStartCommands)
#include "tst_frmstart_commands.moc"
