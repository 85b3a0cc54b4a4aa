// The bends and valves windows, driven through the real main window.

#include "appendages/fittings.h"
#include "appendages/frmwgetal1.h"
#include "appendages/frmwgetal2.h"
#include "support/testprogram.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QtTest/qtestspontaneevent.h>

#include <optional>

using namespace WindowTest;

namespace {

using CountList = QList<QPair<int, QString>>;

QStringList labels(std::span<const FittingRow> table)
{
    QStringList out;
    for (const FittingRow &row : table)
        out << QString::fromLatin1(row.label);
    return out;
}

} // namespace

class TestAppendageWindows : public QObject
{
    Q_OBJECT

private:
    std::optional<TestProgram> m_program;

    frmStart &main() { return m_program->main(); }
    BasGeneral &general() { return m_program->general; }
    ScriptedDialogs &dialogs() { return m_program->dialogs; }

    // Opens a count window the way the user does; `bends` picks the window.
    QWidget *openWindow(bool bends)
    {
        QAction *action = menuAction(
            main().menuBar(), bends ? QStringLiteral("Bends and tees") : QStringLiteral("Valves"));
        if (!action)
            return nullptr;
        action->trigger();
        QWidget *window = bends ? static_cast<QWidget *>(main().findChild<frmWgetal1 *>())
                                : static_cast<QWidget *>(main().findChild<frmWgetal2 *>());
        if (window && !activate(window))
            return nullptr;
        return window;
    }
    frmWgetal1 *openBends() { return qobject_cast<frmWgetal1 *>(openWindow(true)); }
    frmWgetal2 *openValves() { return qobject_cast<frmWgetal2 *>(openWindow(false)); }

private Q_SLOTS:
    void initTestCase() { silenceOffscreenNoise(); }
    void init()
    {
        m_program.emplace();
        QVERIFY(m_program->active);
    }
    void cleanup() { m_program.reset(); }

    void windowsShowTheirRowsInTabOrder_data()
    {
        QTest::addColumn<bool>("bends");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("frameCaption");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("bends") << true << "Fittings"
                               << "Bends / Tees" << labels(BendTable);
        QTest::newRow("valves") << false << "Appendages"
                                << "Valves" << labels(ValveTable);
    }
    void windowsShowTheirRowsInTabOrder()
    {
        QFETCH(bool, bends);
        QFETCH(QString, caption);
        QFETCH(QString, frameCaption);
        QFETCH(QStringList, labels);
        auto *window = static_cast<CountWindow *>(openWindow(bends));
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(window->frame()->title(), frameCaption);
        QCOMPARE(window->rowCount(), labels.size());
        QCOMPARE(window->clearButton()->text(), QStringLiteral("Clear"));
        QCOMPARE(window->okButton()->text(), QStringLiteral("OK"));
        const int firstLabelX = window->rowLabel(0)->mapTo(window, QPoint()).x();
        for (int i = 0; i < labels.size(); ++i) {
            QCOMPARE(window->countField(i)->text(), QStringLiteral("0"));
            QVERIFY(window->countField(i)->isVisible());
            // The gate valve partly closed stands indented under the open one.
            const bool indented = !bends && i >= 1 && i <= 3;
            QCOMPARE(window->rowLabel(i)->indent() > 0, indented);
            QCOMPARE(window->rowLabel(i)->mapTo(window, QPoint()).x(), firstLabelX);
        }
        // Clear stands left of OK.
        QVERIFY(window->clearButton()->mapTo(window, QPoint()).x()
            < window->okButton()->mapTo(window, QPoint()).x());

        // Tab runs through the count fields, then OK, then Clear.
        QWidget *expected = window->countField(0);
        QCOMPARE(QApplication::focusWidget(), expected);
        QList<QWidget *> order;
        for (int i = 1; i < labels.size(); ++i)
            order << window->countField(i);
        order << window->okButton() << window->clearButton();
        for (QWidget *next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QVERIFY(dialogs().messages.isEmpty());
    }

    void bendTotals_data()
    {
        QTest::addColumn<CountList>("entries");
        QTest::addColumn<QStringList>("fieldsAfter");
        QTest::addColumn<QString>("total");
        const QString z = QStringLiteral("0");
        QTest::newRow("nothing") << CountList{{0, "0"}} << QStringList{z, z, z, z, z, z} << "0";
        QTest::newRow("one 90 bend, two side tees")
            << CountList{{1, "1"}, {5, "2"}} << QStringList{z, "1", z, z, z, "2"} << "146";
        QTest::newRow("2.5 is 2") << CountList{{0, "2.5"}} << QStringList{"2", z, z, z, z, z}
                                  << "56";
        QTest::newRow("3.5 is 4") << CountList{{0, "3.5"}} << QStringList{"4", z, z, z, z, z}
                                  << "112";
        QTest::newRow("2.4 is 2") << CountList{{2, "2.4"}} << QStringList{z, z, "2", z, z, z}
                                  << "40";
        QTest::newRow("blanks and exponent")
            << CountList{{3, " 12 "}, {4, "1e2"}} << QStringList{z, z, z, "12", "100", z} << "2192";
        CountList all;
        for (int i = 0; i < 6; ++i)
            all << qMakePair(i, QStringLiteral("999"));
        QTest::newRow("999 everywhere") << all << QStringList(6, "999") << "164835";
    }
    void bendTotals()
    {
        QFETCH(CountList, entries);
        QFETCH(QStringList, fieldsAfter);
        QFETCH(QString, total);
        frmWgetal1 *window = openBends();
        QVERIFY(window);
        for (const auto &[index, text] : entries)
            typeAndLeave(window->Text1(index), num(text));
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(window->Text1(i)->text(), fieldsAfter.at(i));
            QCOMPARE(QString::number(general().BendCounts[size_t(i)]), fieldsAfter.at(i));
        }
        QCOMPARE(QString::number(general().BendsTotalLd), total);
        QCOMPARE(main().Text0(9)->text(), total);
        // The main window's change handling follows: the l/d sum and the length in m.
        QCOMPARE(main().Text0(8)->text(), total);
        QVERIFY(dialogs().messages.isEmpty());
        QVERIFY(dialogs().prompts.isEmpty());
    }

    void valveTotals_data()
    {
        QTest::addColumn<CountList>("entries");
        QTest::addColumn<QString>("total");
        QTest::newRow("gate open, swing check") << CountList{{0, "1"}, {11, "1"}} << "148";
        QTest::newRow("two half closed, needle") << CountList{{2, "2"}, {6, "1"}} << "1390";
        QTest::newRow("3/4 closed, globe") << CountList{{3, "1"}, {8, "1"}} << "600";
        CountList all;
        for (int i = 0; i < 13; ++i)
            all << qMakePair(i, QStringLiteral("999"));
        QTest::newRow("999 everywhere") << all << "2649348";
    }
    void valveTotals()
    {
        QFETCH(CountList, entries);
        QFETCH(QString, total);
        frmWgetal2 *window = openValves();
        QVERIFY(window);
        for (const auto &[index, text] : entries) {
            typeAndLeave(window->Text2(index), text);
            QCOMPARE(general().ValveCounts[size_t(index)], qint16(text.toInt()));
        }
        QCOMPARE(QString::number(general().ValvesTotalLd), total);
        QCOMPARE(main().Text0(10)->text(), total);
        QCOMPARE(main().Text0(8)->text(), total);
        QCOMPARE(main().Text0(9)->text(), QStringLiteral("0"));
        QVERIFY(dialogs().messages.isEmpty());
    }

    // One Tab gives one message, even though the message box takes the focus from the
    // window and gives it back; the focus then stays where Tab sent it.
    void refusedCounts_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("message");
        const QString range = QStringLiteral("Sorry, only numbers between 0 and 999 please ...");
        const QString numbers = QStringLiteral("Sorry, only numbers please ...");
        QTest::newRow("1000") << "1000" << range;
        QTest::newRow("999.5") << "999.5" << range;
        QTest::newRow("-1") << "-1" << range;
        QTest::newRow("letters") << "abc" << numbers;
        QTest::newRow("units") << "3 pcs" << numbers;
        QTest::newRow("empty") << "" << numbers;
    }
    void refusedCounts()
    {
        QFETCH(QString, entry);
        QFETCH(QString, message);
        frmWgetal1 *window = openBends();
        QVERIFY(window);
        typeAndLeave(window->Text1(1), QStringLiteral("3"));
        QCOMPARE(main().Text0(9)->text(), QStringLiteral("48"));

        dialogs().whileOpen = [this, window] {
            QApplication::setActiveWindow(&main());
            QApplication::setActiveWindow(window);
        };
        typeAndLeave(window->Text1(1), num(entry));
        dialogs().whileOpen = nullptr;

        QCOMPARE(dialogs().messages.size(), 1);
        QCOMPARE(dialogs().messages.at(0).text, message);
        QCOMPARE(dialogs().messages.at(0).icon, Dialogs::Icon::Warning);
        QCOMPARE(dialogs().messages.at(0).title, QStringLiteral("Zeptor"));
        QCOMPARE(window->Text1(1)->text(), QStringLiteral("0"));
        QCOMPARE(general().BendCounts[1], qint16(0));
        QCOMPARE(main().Text0(9)->text(), QStringLiteral("0"));
        QCOMPARE(QApplication::focusWidget(), window->Text1(2));
    }

    // The box may give the activation back only after the check has ended; that return
    // is not the user coming back to the window.
    void returnFromMessageKeepsFocus()
    {
        frmWgetal2 *window = openValves();
        QVERIFY(window);
        dialogs().whileOpen = [this] { QApplication::setActiveWindow(&main()); };
        typeAndLeave(window->Text2(4), QStringLiteral("x"));
        dialogs().whileOpen = nullptr;
        QCOMPARE(dialogs().messages.size(), 1);
        QApplication::setActiveWindow(window);
        QCOMPARE(QApplication::focusWidget(), window->Text2(5));
        // The next return from the main window goes to the first field again.
        QApplication::setActiveWindow(&main());
        QApplication::setActiveWindow(window);
        QCOMPARE(QApplication::focusWidget(), window->Text2(0));
        QCOMPARE(dialogs().messages.size(), 1);
    }

    void activationPutsFocusOnFirstField()
    {
        frmWgetal1 *window = openBends();
        QVERIFY(window);
        QCOMPARE(QApplication::focusWidget(), window->Text1(0));
        window->Text1(4)->setFocus();
        QCOMPARE(QApplication::focusWidget(), window->Text1(4));
        QVERIFY(activate(&main()));
        QVERIFY(activate(window));
        QCOMPARE(QApplication::focusWidget(), window->Text1(0));
    }

    // Leaving the window for the main window commits the count being typed: what the
    // window shows, the record and the total always agree (a save or print made then
    // includes it).
    void switchingWindowsCommits()
    {
        frmWgetal1 *window = openBends();
        QVERIFY(window);
        type(window->Text1(4), QStringLiteral("2"));
        QVERIFY(activate(&main()));
        QCOMPARE(general().BendCounts[4], qint16(2));
        QCOMPARE(main().Text0(9)->text(), QStringLiteral("40"));
        QVERIFY(activate(window));
        QCOMPARE(window->Text1(4)->text(), QStringLiteral("2"));
        QVERIFY(dialogs().messages.isEmpty());
    }

    void enterMovesOnAndCommits()
    {
        frmWgetal1 *window = openBends();
        QVERIFY(window);
        type(window->Text1(0), QStringLiteral("1"));
        QTest::keyClick(window->Text1(0), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), window->Text1(1));
        QCOMPARE(main().Text0(9)->text(), QStringLiteral("28"));
    }

    // OK commits a count still in its field, by a click or by a key or the program
    // pressing the button while the field keeps the focus.
    void okCommitsPendingCount_data()
    {
        QTest::addColumn<bool>("mouse");
        QTest::newRow("click") << true;
        QTest::newRow("pressed by program") << false;
    }
    void okCommitsPendingCount()
    {
        QFETCH(bool, mouse);
        frmWgetal1 *window = openBends();
        QVERIFY(window);
        QPointer<frmWgetal1> guard(window);
        typeAndLeave(window->Text1(5), QStringLiteral("1"));
        type(window->Text1(1), QStringLiteral("3"));
        if (mouse)
            QTest::mouseClick(window->Command1(), Qt::LeftButton);
        else
            window->Command1()->click();
        QCOMPARE(general().BendCounts[1], qint16(3));
        QCOMPARE(main().Text0(9)->text(), QStringLiteral("113"));
        QCOMPARE(main().Text0(8)->text(), QStringLiteral("113"));
        QCOMPARE(main().focusWidget(), main().dotsButton(9));
        flushDeletes();
        QVERIFY(guard.isNull());

        // Reopening builds the window afresh from the counts.
        frmWgetal1 *again = openBends();
        QVERIFY(again);
        QCOMPARE(again->Text1(1)->text(), QStringLiteral("3"));
        QCOMPARE(again->Text1(5)->text(), QStringLiteral("1"));
        QCOMPARE(again->Text1(0)->text(), QStringLiteral("0"));
        QVERIFY(dialogs().messages.isEmpty());
    }

    // OK pressed with a bad count in the focused field: the message box takes the focus
    // from that very field, which must not check it a second time.
    void okWithBadPendingCountWarnsOnce()
    {
        frmWgetal1 *window = openBends();
        QVERIFY(window);
        QPointer<frmWgetal1> guard(window);
        typeAndLeave(window->Text1(0), QStringLiteral("2"));
        type(window->Text1(3), QStringLiteral("many"));
        dialogs().whileOpen = [this] { QApplication::setActiveWindow(&main()); };
        window->Command1()->click();
        dialogs().whileOpen = nullptr;
        QCOMPARE(dialogs().messageTexts(), QStringList{"Sorry, only numbers please ..."});
        QCOMPARE(general().BendCounts[3], qint16(0));
        QCOMPARE(main().Text0(9)->text(), QStringLiteral("56"));
        flushDeletes();
        QVERIFY(guard.isNull());
    }

    void okOfValvesHandsOverToItsField()
    {
        frmWgetal2 *window = openValves();
        QVERIFY(window);
        type(window->Text2(0), QStringLiteral("1"));
        window->Command1_Click();
        QCOMPARE(main().Text0(10)->text(), QStringLiteral("13"));
        QCOMPARE(main().focusWidget(), main().dotsButton(10));
    }

    // The close box keeps a count that was typed and is shown; the window goes and is
    // rebuilt from the counts next time.
    void closeBoxKeepsTypedCount()
    {
        frmWgetal1 *window = openBends();
        QVERIFY(window);
        QPointer<frmWgetal1> guard(window);
        type(window->Text1(0), QStringLiteral("5"));
        pressCloseBox(window);
        flushDeletes();
        QVERIFY(guard.isNull());
        QCOMPARE(general().BendCounts[0], qint16(5));
        QCOMPARE(main().Text0(9)->text(), QStringLiteral("140"));
        frmWgetal1 *again = openBends();
        QVERIFY(again);
        QCOMPARE(again->Text1(0)->text(), QStringLiteral("5"));
    }

    // Closing the main window takes the tool windows with it and asks nothing, even
    // with a bad count still in its field.
    void closingMainWindowAsksNothing()
    {
        frmWgetal1 *window = openBends();
        QVERIFY(window);
        QPointer<frmWgetal1> guard(window);
        type(window->Text1(2), QStringLiteral("abc"));
        QVERIFY(main().close());
        flushDeletes();
        QVERIFY(guard.isNull());
        QVERIFY(dialogs().messages.isEmpty());
        QVERIFY(dialogs().prompts.isEmpty());
    }

    void clearZeroesItsWindowOnly()
    {
        frmWgetal1 *bends = openBends();
        QVERIFY(bends);
        typeAndLeave(bends->Text1(1), QStringLiteral("1"));
        frmWgetal2 *valves = openValves();
        QVERIFY(valves);
        typeAndLeave(valves->Text2(0), QStringLiteral("2"));
        typeAndLeave(valves->Text2(12), QStringLiteral("1"));
        QCOMPARE(main().Text0(8)->text(), QStringLiteral("292"));

        QTest::mouseClick(valves->ClearWgetal2(), Qt::LeftButton);
        for (int i = 0; i < 13; ++i) {
            QCOMPARE(valves->Text2(i)->text(), QStringLiteral("0"));
            QCOMPARE(general().ValveCounts[size_t(i)], qint16(0));
        }
        QCOMPARE(main().Text0(10)->text(), QStringLiteral("0"));
        QCOMPARE(main().Text0(9)->text(), QStringLiteral("16"));
        QCOMPARE(main().Text0(8)->text(), QStringLiteral("16"));

        bends->ClearWgetal1_Click();
        QCOMPARE(bends->Text1(1)->text(), QStringLiteral("0"));
        QCOMPARE(general().BendCounts[1], qint16(0));
        QCOMPARE(main().Text0(9)->text(), QStringLiteral("0"));
        QVERIFY(dialogs().messages.isEmpty());
    }

    // Used hidden (as a file load does), the window is filled from the counts; opening
    // it later shows that same window.
    void hiddenUseThenOpening()
    {
        general().BendCounts[2] = 7;
        general().BendCounts[3] = -4; // a file may bring any 16-bit count
        frmWgetal1 &hidden = main().Wgetal1();
        QVERIFY(!hidden.isVisible());
        QCOMPARE(hidden.Text1(2)->text(), QStringLiteral("7"));
        QCOMPARE(hidden.Text1(3)->text(), QStringLiteral("-4"));
        hidden.BerekenTotaleWeerstand1();
        QCOMPARE(main().Text0(9)->text(), QStringLiteral("76"));
        QCOMPARE(general().BendsTotalLd, 76);
        QCOMPARE(openBends(), &hidden);
        QVERIFY(hidden.isVisible());
    }

    // Menu, toolbar and "..." button reach the one window of each kind, counts and
    // pickers alike; a minimised window comes back.
    void oneWindowPerKind_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("menuText");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<int>("field");
        QTest::newRow("bends") << "frmWgetal1"
                               << "Bends and tees"
                               << "Bends and pipes" << 9;
        QTest::newRow("valves") << "frmWgetal2"
                                << "Valves"
                                << "Valves" << 10;
        QTest::newRow("roughness") << "frmAbsRuwheid"
                                   << "Pipe roughness"
                                   << "Roughness" << 23;
        QTest::newRow("diameter") << "frmDiameter"
                                  << "Pipe diameter"
                                  << "Inner pipe diameter " << 4;
    }
    void oneWindowPerKind()
    {
        QFETCH(QString, className);
        QFETCH(QString, menuText);
        QFETCH(QString, toolTip);
        QFETCH(int, field);
        auto windows = [&] {
            QList<QWidget *> found;
            for (QWidget *w : main().findChildren<QWidget *>()) {
                if (QLatin1String(w->metaObject()->className()) == className)
                    found << w;
            }
            return found;
        };
        QAction *menu = menuAction(main().menuBar(), menuText);
        QAction *tool = toolbarAction(main(), toolTip);
        QVERIFY(menu);
        QVERIFY(tool);
        menu->trigger();
        QCOMPARE(windows().size(), 1);
        QWidget *first = windows().first();
        QVERIFY(first->isVisible());
        QVERIFY(first->isWindow());
        QCOMPARE(first->parentWidget(), &main());

        QVERIFY(activate(&main()));
        for (int round = 0; round < 3; ++round) {
            first->showMinimized();
            QVERIFY(first->isMinimized());
            if (round == 0)
                menu->trigger();
            else if (round == 1)
                tool->trigger();
            else
                QTest::mouseClick(main().dotsButton(field), Qt::LeftButton);
            QCOMPARE(windows(), QList<QWidget *>{first});
            QVERIFY(first->isVisible());
            QVERIFY(!first->isMinimized());
            QVERIFY(waitActive(first));
        }
    }

    // Typed with a comma as the decimal separator, a count is read with it.
    void commaDecimalCounts()
    {
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        frmWgetal1 *window = openBends();
        QVERIFY(window);
        typeAndLeave(window->Text1(0), QStringLiteral("2,5"));
        typeAndLeave(window->Text1(1), QStringLiteral("3,5"));
        QCOMPARE(window->Text1(0)->text(), QStringLiteral("2"));
        QCOMPARE(window->Text1(1)->text(), QStringLiteral("4"));
        QCOMPARE(main().Text0(9)->text(), QStringLiteral("120"));
        typeAndLeave(window->Text1(2), QStringLiteral("2.5"));
        QCOMPARE(dialogs().messageTexts(), QStringList{"Sorry, only numbers please ..."});
    }

    // With ZEPTOR_SCREENSHOT_DIR set (under a real X server), saves pictures of both
    // windows for the documentation.
    void screenshots()
    {
        const QString dir = qEnvironmentVariable("ZEPTOR_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("ZEPTOR_SCREENSHOT_DIR not set");
        frmWgetal1 *bends = openBends();
        QVERIFY(bends);
        typeAndLeave(bends->Text1(1), QStringLiteral("1"));
        typeAndLeave(bends->Text1(5), QStringLiteral("2"));
        QVERIFY(bends->grab().save(QDir(dir).filePath(QStringLiteral("fittings.png"))));
        frmWgetal2 *valves = openValves();
        QVERIFY(valves);
        typeAndLeave(valves->Text2(0), QStringLiteral("1"));
        typeAndLeave(valves->Text2(11), QStringLiteral("1"));
        valves->Text2(0)->setFocus();
        QVERIFY(valves->grab().save(QDir(dir).filePath(QStringLiteral("appendages.png"))));
    }
};

QTEST_MAIN(TestAppendageWindows)
#include "tst_appendagewindows.moc"
