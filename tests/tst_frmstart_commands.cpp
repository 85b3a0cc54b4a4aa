// The main window's frame: start-up, menus, toolbar, the "..." buttons, Clear and Exit.
#include "frmstartharness.h"

#include "appendages/frmwgetal1.h"
#include "appendages/frmwgetal2.h"
#include "pickers/frmabsruwheid.h"
#include "pickers/frmdiameter.h"
#include "project/datetext.h"
#include "project/frmprojectgegevens.h"
#include "shell/frmabout.h"
#include "shell/frmhelpscreen.h"
#include "shell/startup.h"
#include "support/testlocale.h"

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
    void menus_data();
    void menus();
    void toolbar();
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
    FrmStartHarness h;
};

void tst_frmStartCommands::init()
{
    QLocale::setDefault(testLocale());
    QVERIFY(h.open());
}

void tst_frmStartCommands::cleanup()
{
    h.window.reset();
    h.dialogs = ScriptedDialogs{};
}

void tst_frmStartCommands::startProcedure()
{
    h.window.reset();
    resetBasGeneral();
    BasGeneral &record = basGeneral();
    record.AboutTimerFired = 1;
    record.RoughnessChoice = 9;
    record.ProjectFileName = QStringLiteral("old.dvl");
    ScriptedDialogs dialogs;
    std::unique_ptr<frmStart> window = basGeneralMain(record, dialogs);

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
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Pressure Drop Zeptor"));
    h.record().ProjectFileName = QStringLiteral("/data/cases/pump 3.dvl");
    h.window->applyCaption();
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zeptor - [/data/cases/pump 3.dvl]"));
}

void tst_frmStartCommands::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("items"); // "name=caption", a separator "name="

    QTest::newRow("File") << "mnuFile"
                          << "File"
                          << QStringList{"FileLoad=Load", "FileSave=Save", "FileSaveAs=Save as ...",
                                 "mnuSeperator1=", "mnuPrint=Print",
                                 "mnuSeperator2=", "mnuExit=Exit"};
    QTest::newRow("Data") << "mnuTools"
                          << "Data"
                          << QStringList{"mnuProjectGegevens=Project information",
                                 "mnuCalcBends=Bends and tees", "mnuCalcCocks=Valves",
                                 "RuwheidWand=Pipe roughness", "DiameterLleiding=Pipe diameter"};
    QTest::newRow("Analysis") << "mnuAnalysis"
                              << "Analysis"
                              << QStringList{"mnuFluidProperties=Fluid properties ...",
                                     "mnuSystemCurve=System curve ...",
                                     "mnuLineSizing=Line sizing ..."};
    QTest::newRow("Help") << "mnuHelp"
                          << "Help"
                          << QStringList{"mnuHelpContents=What does this program do?",
                                 "mnuHelpAbout=About"};
}

void tst_frmStartCommands::menus()
{
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QStringList, items);

    const QList<QAction *> bar = h.window->menuBar()->actions();
    QStringList titles;
    for (const QAction *a : bar)
        titles << a->text();
    QCOMPARE(titles, (QStringList{"File", "Data", "Analysis", "Help"}));
    auto *popup = h.window->findChild<QMenu *>(menu);
    QVERIFY(popup);
    QCOMPARE(popup->title(), caption);
    QVERIFY(bar.contains(popup->menuAction()));

    QStringList actual;
    for (QAction *a : popup->actions()) {
        actual << a->objectName() + QLatin1Char('=') + (a->isSeparator() ? QString() : a->text());
        QVERIFY(a->shortcut().isEmpty());
        QVERIFY(!a->text().contains(QLatin1Char('&')));
    }
    QCOMPARE(actual, items);
}

void tst_frmStartCommands::toolbar()
{
    const QStringList expected = {"open=Open File", "save=Save File", "print=Print File",
        "project=Project Data", "sep=", "pipes=Bends and pipes", "valves=Valves", "ruw=Roughness",
        "Diameter=Inner pipe diameter ", "sep2=", "clear=Clear", "sep3=", "help=Help", "info=Who",
        "stop=Stop"};
    QStringList actual;
    for (QAction *a : h.window->toolbar()->actions()) {
        actual << a->data().toString() + QLatin1Char('=')
                + (a->isSeparator() ? QString() : a->toolTip());
        if (a->isSeparator())
            continue;
        QWidget *button = h.window->toolbar()->widgetForAction(a);
        QVERIFY(button);
        QCOMPARE(button->toolTip(), a->toolTip());
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QVERIFY(!button->accessibleName().isEmpty());
        QVERIFY2(!a->icon().pixmap(24, 24).isNull(), qPrintable(a->data().toString()));
        QVERIFY(a->shortcut().isEmpty());
    }
    QCOMPARE(actual, expected);
    QCOMPARE(h.window->toolbar()->objectName(), QStringLiteral("Toolbar1"));
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

    if (toolbarAction(*h.window, key) && !toolbarAction(*h.window, key)->isSeparator())
        clickToolbar(*h.window, key);
    else
        h.window->Toolbar1_ButtonClick(key);
    QCOMPARE(visibleToolWindows(*h.window), windows);
    QVERIFY(h.window->isVisible());
    QVERIFY(h.dialogs.prompts.isEmpty());
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
            auto *action = h.window->findChild<QAction *>(name);
            QVERIFY(action);
            action->trigger();
        } else if (kind == "button") {
            auto *button = h.window->findChild<QPushButton *>(name);
            QVERIFY(button);
            QCOMPARE(button->text(), QStringLiteral("..."));
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            clickToolbar(*h.window, name);
        }
    };
    open();
    QCOMPARE(visibleToolWindows(*h.window), QStringList{window});
    QWidget *first = QApplication::activeWindow();
    QTRY_VERIFY(QApplication::activeWindow() && QApplication::activeWindow() != h.window.get());
    first = QApplication::activeWindow();
    QCOMPARE(QString::fromLatin1(first->metaObject()->className()), window);

    first->showMinimized();
    QTRY_VERIFY(first->isMinimized());
    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    open();
    QCOMPARE(visibleToolWindows(*h.window), QStringList{window});
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
    h.typeInto(5, "abc");
    clickToolbar(*h.window, key);
    QVERIFY(h.dialogs.prompts.isEmpty());
    QCOMPARE(h.text(5), QStringLiteral("abc"));
    QCOMPARE(h.record().PipeLength, 0.0);
    QCOMPARE(h.window->focusWidget(), h.field(5));
}

void tst_frmStartCommands::toolbarSaveCommitsPendingEdit()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    h.record().ProjectFileName = dir.filePath(QStringLiteral("case.dvl"));
    h.typeInto(1, "250");
    clickToolbar(*h.window, QStringLiteral("save"));
    QCOMPARE(h.record().FlowRate, 250.0);
    QCOMPARE(h.focusedField(), 1);
    QFile file(h.record().ProjectFileName);
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
    BasGeneral &record = h.record();
    record.RoughnessChoice = 7;
    record.AboutTimerFired = 1;
    record.ProjectName = QStringLiteral("Pump");
    record.ProjectOwner = QStringLiteral("Ann");
    record.ProjectFileName = QStringLiteral("pump.dvl");
    h.window->applyCaption();

    frmWgetal1 &bends = h.window->Wgetal1();
    bends.Text1(0)->setText(QStringLiteral("2"));
    record.BendCounts[0] = 2;
    bends.BerekenTotaleWeerstand1();
    h.window->setText0(10, QStringLiteral("13"));
    record.ValveCounts[4] = 1;
    h.typeInto(1, "10000");
    h.key(Qt::Key_Return);
    h.typeInto(4, "50");
    h.key(Qt::Key_Return);
    h.typeInto(5, "100");
    h.key(Qt::Key_Return);
    QCOMPARE(h.window->statusText(), QStringLiteral("Flow is Turbulent"));
    QVERIFY(h.text(9) != QStringLiteral("0"));

    if (toolbar)
        clickToolbar(*h.window, QStringLiteral("clear"));
    else
        QTest::mouseClick(h.window->clearButton(), Qt::LeftButton);

    const QStringList entries = num(QStringList{"100", "1000", "1", "100", "0.01", "0", "0", "0"});
    for (size_t i = 0; i < EntryOrder.size(); ++i)
        QCOMPARE(h.text(EntryOrder[i]), entries[qsizetype(i)]);
    for (int index : {8, 9, 10, 25})
        QCOMPARE(h.text(index), QStringLiteral("0"));
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
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zeptor - [new.dvl]"));
    QCOMPARE(h.window->statusText(), QStringLiteral("Flow is Laminar"));
    QCOMPARE(h.text(13), num("0.1810"));
    QCOMPARE(h.text(24), QStringLiteral("n.a."));
    QCOMPARE(record.RoughnessChoice, qint16(7));
    QCOMPARE(record.AboutTimerFired, qint16(1));
    QVERIFY(h.dialogs.prompts.isEmpty());
    QVERIFY(h.dialogs.messages.isEmpty());
    QCOMPARE(visibleToolWindows(*h.window), QStringList{});
}

void tst_frmStartCommands::clearAfterLoad()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("loaded.dvl"));
    h.record().ProjectFileName = file;
    h.typeInto(4, "50");
    h.key(Qt::Key_Return);
    h.window->FileSave_Click();
    h.dialogs.openAnswers = {file};
    h.window->FileLoad_Click();
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zeptor - [%1]").arg(file));
    QCOMPARE(h.text(4), QStringLiteral("50"));

    QTest::mouseClick(h.window->clearButton(), Qt::LeftButton);
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zeptor - [new.dvl]"));
    QCOMPARE(h.text(4), QStringLiteral("100"));
    QCOMPARE(h.window->Projectgegevens().Text3(4)->text(), QStringLiteral("new.dvl"));
    QCOMPARE(h.window->Projectgegevens().Text3(1)->text(), QStringLiteral("new"));
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
    QSignalSpy closed(h.window.get(), &frmStart::closed);
    h.window->mnuCalcBends_Click();
    h.window->mnuHelpAbout_Click();
    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    h.typeInto(5, "12");

    if (how == "menu")
        h.window->findChild<QAction *>(QStringLiteral("mnuExit"))->trigger();
    else if (how == "toolbar")
        clickToolbar(*h.window, QStringLiteral("stop"));
    else if (how == "button")
        QTest::mouseClick(h.window->exitButton(), Qt::LeftButton);
    else
        h.window->close();

    QVERIFY(!h.window->isVisible());
    QCOMPARE(visibleToolWindows(*h.window), QStringList{});
    QCOMPARE(closed.size(), 1);
    QVERIFY(h.dialogs.prompts.isEmpty());
    QVERIFY(h.dialogs.messages.isEmpty());
    QCOMPARE(h.record().PipeLength, how == "button" ? 12.0 : 0.0);
}

void tst_frmStartCommands::fieldsAndButtonsAreNamed()
{
    const QList<std::pair<int, QString>> names = {{1, "flow rate [liter/hr]"},
        {23, "surface roughness [mm]"}, {8, "total [l/d]"}, {15, "pipe area [mm2]"},
        {17, "friction of appendages [-]"}, {21, "pipe+equipment+appendages [Pa]"},
        {28, "estimated shear"}, {19, "pipe+equipment+appendages [bar]"}};
    for (const auto &[index, name] : names)
        QCOMPARE(h.field(index)->accessibleName(), name);

    for (const FieldInfo &f : FieldTable) {
        auto *field = h.window->findChild<QLineEdit *>(QStringLiteral("Text0_%1").arg(f.index));
        QCOMPARE(field, h.window->Text0(f.index));
        QVERIFY(!field->accessibleName().isEmpty());
        QCOMPARE(h.window->Label1(f.index)->text(), QString::fromLatin1(f.caption));
        QCOMPARE(h.window->Label2(f.index)->text(), QString::fromLatin1(f.unit));
        auto *frame = qobject_cast<QGroupBox *>(field->parentWidget());
        QVERIFY(frame);
        QCOMPARE(frame->title(), QString::fromLatin1(f.frame));
        QCOMPARE(field->isReadOnly(), f.role != FieldRole::Entry);
    }
    QCOMPARE(h.window->Label1(26)->text(), QStringLiteral("msg .............."));
    auto *square = h.window->findChild<QLabel *>(QStringLiteral("Label2_15_square"));
    QVERIFY(square);
    QCOMPARE(square->text(), QStringLiteral("2"));

    for (QPushButton *button : h.window->findChildren<QPushButton *>()) {
        if (button->window() != h.window.get())
            continue;
        QVERIFY2(!button->toolTip().isEmpty(), qPrintable(button->objectName()));
        QVERIFY2(!button->accessibleName().isEmpty(), qPrintable(button->objectName()));
        QCOMPARE(button->focusPolicy(), Qt::StrongFocus);
    }
    QCOMPARE(h.window->clearButton()->text(), QStringLiteral("Clear"));
    QCOMPARE(h.window->exitButton()->text(), QStringLiteral("Exit"));
}

// Two columns of frames, Clear left of Exit at the bottom right, all on a 1366x768 screen.
void tst_frmStartCommands::layout()
{
    const QSize hint = h.window->sizeHint();
    QVERIFY2(hint.width() <= 1366 && hint.height() <= 728,
        qPrintable(QStringLiteral("%1x%2").arg(hint.width()).arg(hint.height())));
    h.window->resize(hint);
    QTest::qWait(10);

    const auto frameOf = [&](int index) { return h.field(index)->parentWidget()->geometry(); };
    QVERIFY(frameOf(1).top() < frameOf(4).top());
    QVERIFY(frameOf(4).top() < frameOf(9).top());
    QVERIFY(frameOf(1).right() < frameOf(11).left());
    QVERIFY(frameOf(11).top() < frameOf(19).top());
    QCOMPARE(frameOf(1).left(), frameOf(9).left());

    // Captions, fields and units line up in columns within a frame.
    for (int index : {2, 3})
        QCOMPARE(h.field(index)->x(), h.field(1)->x());
    for (int index : {12, 18, 28})
        QCOMPARE(h.field(index)->x(), h.field(11)->x());
    QCOMPARE(h.window->Label2(5)->x(), h.window->Label2(4)->x());

    const QPoint clear = h.window->clearButton()->mapTo(h.window.get(), QPoint());
    const QPoint exit = h.window->exitButton()->mapTo(h.window.get(), QPoint());
    QVERIFY(clear.x() < exit.x());
    QCOMPARE(clear.y(), exit.y());
    QVERIFY(exit.x() > h.window->width() / 2);
    QVERIFY(clear.y() > h.field(21)->mapTo(h.window.get(), QPoint()).y());
    QVERIFY(h.window->statusBar()->isVisible());
}

QTEST_MAIN(tst_frmStartCommands)
#include "tst_frmstart_commands.moc"
