// The wall roughness and pipe diameter pickers, driven through the real main window.

#include "pickers/frmabsruwheid.h"
#include "pickers/frmdiameter.h"
#include "shell/frmstart.h"
#include "support/scripteddialogs.h"
#include "support/testgeneral.h"
#include "support/testlocale.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <QtTest/qtestspontaneevent.h>

#include <memory>

#include "support/windowtest.h"

using namespace WindowTest;

namespace {

const QStringList IsoTexts = {" 22.6 mm", " 25.6 mm", " 29.0 mm", " 35.6 mm", " 48.6 mm",
    " 60.3 mm", " 72.9 mm", " 84.9 mm (wall 2mm)", " 97.6 mm (wall 2mm)"};
const QStringList DinTexts = {"  7.0 mm", "  9.9 mm", " 13.6 mm", " 17.3 mm", " 22.3 mm",
    " 28.5 mm", " 37.2 mm", " 43.1 mm", " 54.5 mm", " 70.3 mm", " 82.5 mm", "107.1 mm", "131.7 mm",
    "159.3 mm", "206.5 mm", "260.4 mm", "309.7 mm"};

QStringList itemTexts(const QComboBox *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->itemText(i);
    return out;
}

} // namespace

class TestPickerWindows : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogs *m_dialogs = nullptr;
    std::unique_ptr<frmStart> m_main;

    frmStart &main() { return *m_main; }

    frmAbsRuwheid *openRoughness()
    {
        QAction *action = menuAction(m_main->menuBar(), QStringLiteral("Pipe roughness"));
        if (!action)
            return nullptr;
        action->trigger();
        auto *window = m_main->findChild<frmAbsRuwheid *>();
        return window && activate(window) ? window : nullptr;
    }

    frmDiameter *openDiameter()
    {
        QAction *action = menuAction(m_main->menuBar(), QStringLiteral("Pipe diameter"));
        if (!action)
            return nullptr;
        action->trigger();
        auto *window = m_main->findChild<frmDiameter *>();
        return window && activate(window) ? window : nullptr;
    }

    // A turbulent case, so that the roughness counts in the results.
    void enterTurbulentCase()
    {
        typeAndLeave(main().Text0(1), QStringLiteral("10000"));
        typeAndLeave(main().Text0(4), QStringLiteral("50"));
        typeAndLeave(main().Text0(5), QStringLiteral("100"));
        QCOMPARE(main().statusText(), QStringLiteral("Flow is Turbulent"));
    }

private Q_SLOTS:
    void initTestCase() { silenceOffscreenNoise(); }
    void init() { QVERIFY(startProgram(m_main, m_dialogs)); }
    void cleanup() { stopProgram(m_main, m_dialogs); }

    // The first opening applies "new" steel pipe at once, before OK.
    void roughnessFirstOpening()
    {
        QCOMPARE(main().Text0(23)->text(), num("0.01"));
        frmAbsRuwheid *picker = openRoughness();
        QVERIFY(picker);
        QCOMPARE(picker->windowTitle(), QStringLiteral("Pipe Data"));
        QCOMPARE(picker->frame()->title(), QStringLiteral("Surface roughness value [E] "));
        QCOMPARE(picker->Label1(0)->text(), QStringLiteral("various materials"));
        QCOMPARE(picker->Label1(1)->text(), QStringLiteral("steel pipe"));
        QCOMPARE(picker->Label1(2)->text(), QStringLiteral("cast iron"));
        QVERIFY(picker->Option1(4)->isChecked());
        QCOMPARE(main().Text0(23)->text(), num("0.04"));
        QCOMPARE(basGeneral().WallRoughness, 0.04);
        // Each heading stands above its options.
        QVERIFY(picker->Label1(1)->y() > picker->Option1(3)->mapTo(picker->frame(), QPoint()).y());
        QVERIFY(picker->Label1(1)->y() < picker->Option1(4)->mapTo(picker->frame(), QPoint()).y());
        // "OK" first in the tab order, then the options.
        QCOMPARE(picker->Command1()->text(), QStringLiteral("OK"));
        QCOMPARE(QApplication::focusWidget(), picker->Command1());
        QWidget *previous = picker->Command1();
        for (int i = 0; i < 13; ++i) {
            QWidget *next = previous->nextInFocusChain();
            while (next->focusPolicy() == Qt::NoFocus)
                next = next->nextInFocusChain();
            QCOMPARE(next, picker->Option1(i));
            previous = next;
        }
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    void roughnessOptions_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        const QStringList captions = {"glass", "lead", "copper", "brass", "new", "after longer use",
            "slightly rusted", "very rusted", "galvanised", "new", "with bitumen layer",
            "slightly rusted", "very rusted"};
        const QStringList texts = {"0.0015", "0.0015", "0.0015", "0.0015", "0.04", "0.2", "0.4",
            "3.35", "0.15", "0.5", "0.2", "1.5", "3"};
        const QList<double> values
            = {0.0015, 0.0015, 0.0015, 0.0015, 0.04, 0.2, 0.4, 3.35, 0.15, 0.5, 0.2, 1.5, 3};
        for (int i = 0; i < 13; ++i) {
            QTest::addRow("%d %s", i, qPrintable(captions.at(i)))
                << i << captions.at(i) << texts.at(i) << values.at(i);
        }
    }
    // A choice applies at once and is remembered, without recalculating.
    void roughnessOptions()
    {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(double, value);
        enterTurbulentCase();
        const double relativeRoughness = main().sheet().results().RelativeRoughness;
        frmAbsRuwheid *picker = openRoughness();
        QVERIFY(picker);
        QCOMPARE(picker->Option1(index)->text(), caption);
        QTest::mouseClick(picker->Option1(index), Qt::LeftButton);
        QVERIFY(picker->Option1(index)->isChecked());
        for (int i = 0; i < 13; ++i)
            QCOMPARE(picker->Option1(i)->isChecked(), i == index);
        QCOMPARE(main().Text0(23)->text(), num(text));
        QCOMPARE(basGeneral().WallRoughness, value);
        QCOMPARE(basGeneral().RoughnessChoice, qint16(index));
        QCOMPARE(main().sheet().results().RelativeRoughness, relativeRoughness);
    }

    // OK takes the choice over in the main window, which recalculates.
    void roughnessOkRecalculates()
    {
        enterTurbulentCase();
        frmAbsRuwheid *picker = openRoughness();
        QVERIFY(picker);
        QPointer<frmAbsRuwheid> guard(picker);
        QTest::mouseClick(picker->Option1(7), Qt::LeftButton);
        QTest::mouseClick(picker->Command1(), Qt::LeftButton);
        QCOMPARE(main().sheet().results().RelativeRoughness, 3.35 / 50);
        QCOMPARE(main().Text0(23)->text(), num("3.35"));
        QCOMPARE(main().focusWidget(), main().dotsButton(23));
        flushDeletes();
        QVERIFY(guard.isNull());
        QCOMPARE(basGeneral().RoughnessChoice, qint16(7));
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    // A roughness typed in the main window stays until the picker is opened again,
    // which applies the remembered choice over it.
    void rememberedRoughnessOverwritesTypedOne()
    {
        frmAbsRuwheid *picker = openRoughness();
        QVERIFY(picker);
        QTest::mouseClick(picker->Option1(9), Qt::LeftButton);
        picker->Command1_Click();
        flushDeletes();
        QVERIFY(activate(m_main.get()));
        typeAndLeave(main().Text0(23), num("0.3"));
        QCOMPARE(basGeneral().WallRoughness, 0.3);
        QCOMPARE(basGeneral().RoughnessChoice, qint16(9));
        picker = openRoughness();
        QVERIFY(picker);
        QVERIFY(picker->Option1(9)->isChecked());
        QCOMPARE(main().Text0(23)->text(), num("0.5"));
        QCOMPARE(basGeneral().WallRoughness, 0.5);
    }

    // The main window's Clear sets 0.01; the next opening brings back the choice.
    void clearThenReopen()
    {
        frmAbsRuwheid *picker = openRoughness();
        QVERIFY(picker);
        picker->Command1_Click();
        flushDeletes();
        main().Command3_Click();
        QCOMPARE(main().Text0(23)->text(), num("0.01"));
        QCOMPARE(basGeneral().WallRoughness, 0.01);
        QVERIFY(openRoughness());
        QCOMPARE(main().Text0(23)->text(), num("0.04"));
        QCOMPARE(basGeneral().WallRoughness, 0.04);
    }

    // The close box keeps the last choice and hands it over as OK does, so that the
    // results belong to the roughness shown.
    void roughnessCloseBox()
    {
        enterTurbulentCase();
        frmAbsRuwheid *picker = openRoughness();
        QVERIFY(picker);
        QPointer<frmAbsRuwheid> guard(picker);
        QTest::mouseClick(picker->Option1(5), Qt::LeftButton);
        pressCloseBox(picker);
        flushDeletes();
        QVERIFY(guard.isNull());
        QCOMPARE(main().Text0(23)->text(), num("0.2"));
        QCOMPARE(basGeneral().WallRoughness, 0.2);
        QCOMPARE(basGeneral().RoughnessChoice, qint16(5));
        QCOMPARE(main().sheet().results().RelativeRoughness, 0.2 / 50);
    }

    void diameterFirstOpening()
    {
        frmDiameter *picker = openDiameter();
        QVERIFY(picker);
        QCOMPARE(picker->windowTitle(), QStringLiteral("Inner diameter"));
        QCOMPARE(picker->frame()->title(), QStringLiteral("Standard pipes"));
        QCOMPARE(picker->SSOption1(0)->text(), QStringLiteral("ISO 2853-1976 (E)"));
        QCOMPARE(picker->SSOption1(1)->text(), QStringLiteral("DIN 2448/1629 - NEN 2323"));
        QCOMPARE(picker->listHeading(0)->text(), QStringLiteral("standard 1.5 mm thickness"));
        QCOMPARE(picker->listHeading(1)->text(), QStringLiteral("normal thickness"));
        QCOMPARE(picker->Command3()->text(), QStringLiteral("OK"));
        QCOMPARE(itemTexts(picker->L1(0)), IsoTexts);
        QCOMPARE(itemTexts(picker->L1(1)), DinTexts);
        QVERIFY(!picker->L1(0)->isEditable());
        QVERIFY(!picker->L1(1)->isEditable());
        // Top to bottom: ISO option, heading, list, DIN option, heading, list, OK.
        const QList<QWidget *> order = {picker->SSOption1(0), picker->listHeading(0), picker->L1(0),
            picker->SSOption1(1), picker->listHeading(1), picker->L1(1), picker->Command3()};
        for (qsizetype i = 1; i < order.size(); ++i) {
            QVERIFY(order.at(i)->mapTo(picker, QPoint()).y()
                > order.at(i - 1)->mapTo(picker, QPoint()).y());
        }

        QVERIFY(picker->SSOption1(0)->isChecked());
        QVERIFY(!picker->SSOption1(1)->isChecked());
        QVERIFY(picker->L1(0)->isEnabled());
        QCOMPARE(picker->L1(0)->currentIndex(), 0);
        QCOMPARE(picker->L1(0)->currentText(), QStringLiteral(" 22.6 mm"));
        QVERIFY(!picker->L1(1)->isEnabled());
        QCOMPARE(picker->L1(1)->currentIndex(), -1);
        QCOMPARE(main().Text0(4)->text(), num("22.6"));
        // Not stored until the main window takes the field over.
        QCOMPARE(basGeneral().InnerDiameter, 100.0);
    }

    void switchingStandards()
    {
        frmDiameter *picker = openDiameter();
        QVERIFY(picker);
        QTest::mouseClick(picker->SSOption1(1), Qt::LeftButton);
        QVERIFY(picker->SSOption1(1)->isChecked());
        QVERIFY(!picker->SSOption1(0)->isChecked());
        QVERIFY(!picker->L1(0)->isEnabled());
        QCOMPARE(picker->L1(0)->currentIndex(), 0);
        QVERIFY(picker->L1(1)->isEnabled());
        QCOMPARE(picker->L1(1)->currentText(), QStringLiteral("  7.0 mm"));
        QCOMPARE(main().Text0(4)->text(), QStringLiteral("7"));
        QCOMPARE(basGeneral().DiameterStandard, qint16(1));

        // Back to ISO: its list still shows its entry, whose diameter applies again.
        QTest::mouseClick(picker->SSOption1(0), Qt::LeftButton);
        QVERIFY(picker->L1(0)->isEnabled());
        QVERIFY(!picker->L1(1)->isEnabled());
        QCOMPARE(picker->L1(1)->currentIndex(), 0);
        QCOMPARE(main().Text0(4)->text(), num("22.6"));
        QCOMPARE(basGeneral().DiameterStandard, qint16(0));
    }

    void diameterEntries_data()
    {
        QTest::addColumn<int>("standard");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        QTest::newRow("ISO 29.0") << 0 << 2 << "29";
        QTest::newRow("ISO 84.9 wall 2mm") << 0 << 7 << "84.9";
        QTest::newRow("ISO 97.6 wall 2mm") << 0 << 8 << "97.6";
        QTest::newRow("DIN 7.0") << 1 << 0 << "7";
        QTest::newRow("DIN 54.5") << 1 << 8 << "54.5";
        QTest::newRow("DIN 309.7") << 1 << 16 << "309.7";
    }
    void diameterEntries()
    {
        QFETCH(int, standard);
        QFETCH(int, position);
        QFETCH(QString, text);
        frmDiameter *picker = openDiameter();
        QVERIFY(picker);
        QTest::mouseClick(picker->SSOption1(standard), Qt::LeftButton);
        // Chosen from the list with the keyboard, as a user may.
        QComboBox *list = picker->L1(standard);
        list->setFocus();
        const int steps = position - list->currentIndex();
        for (int i = 0; i < steps; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentIndex(), position);
        QCOMPARE(main().Text0(4)->text(), num(text));
        QCOMPARE(basGeneral().DiameterChoice[size_t(standard)], qint16(position));
        QCOMPARE(basGeneral().DiameterChoice[size_t(1 - standard)], qint16(0));
        QCOMPARE(basGeneral().InnerDiameter, 100.0);
    }

    // Reopening selects the remembered standard and entry and writes its diameter
    // over one typed meanwhile; the other list waits until its standard is chosen.
    void reopenWithRememberedChoices()
    {
        frmDiameter *picker = openDiameter();
        QVERIFY(picker);
        picker->L1(0)->setCurrentIndex(3);
        QTest::mouseClick(picker->SSOption1(1), Qt::LeftButton);
        picker->L1(1)->setCurrentIndex(11);
        QCOMPARE(main().Text0(4)->text(), num("107.1"));
        picker->Command3_Click();
        flushDeletes();
        QCOMPARE(basGeneral().InnerDiameter, 107.1);

        QVERIFY(activate(m_main.get()));
        typeAndLeave(main().Text0(4), QStringLiteral("80"));
        QCOMPARE(basGeneral().InnerDiameter, 80.0);

        picker = openDiameter();
        QVERIFY(picker);
        QVERIFY(picker->SSOption1(1)->isChecked());
        QVERIFY(picker->L1(1)->isEnabled());
        QCOMPARE(picker->L1(1)->currentIndex(), 11);
        QVERIFY(!picker->L1(0)->isEnabled());
        QCOMPARE(picker->L1(0)->currentIndex(), -1);
        QCOMPARE(main().Text0(4)->text(), num("107.1"));
        QTest::mouseClick(picker->SSOption1(0), Qt::LeftButton);
        QCOMPARE(picker->L1(0)->currentIndex(), 3);
        QCOMPARE(main().Text0(4)->text(), num("35.6"));
        QCOMPARE(picker->L1(1)->currentIndex(), 11);
    }

    // OK hands the diameter over: stored, the equivalent length follows, results
    // recalculated.
    void diameterOkRecalculates()
    {
        main().setText0(9, QStringLiteral("65"));
        main().setText0(10, QStringLiteral("13"));
        QCOMPARE(main().Text0(8)->text(), QStringLiteral("78"));
        QCOMPARE(main().Text0(25)->text(), num("7.8"));
        const double velocity = main().sheet().results().Velocity;

        frmDiameter *picker = openDiameter();
        QVERIFY(picker);
        QPointer<frmDiameter> guard(picker);
        QTest::mouseClick(picker->SSOption1(1), Qt::LeftButton);
        picker->L1(1)->setCurrentIndex(8);
        QCOMPARE(main().Text0(25)->text(), num("7.8"));
        QTest::mouseClick(picker->Command3(), Qt::LeftButton);
        QCOMPARE(basGeneral().InnerDiameter, 54.5);
        QCOMPARE(main().Text0(4)->text(), num("54.5"));
        QCOMPARE(main().Text0(25)->text(), num("4.251"));
        QCOMPARE(main().sheet().results().AppendageLength, 78 * 54.5 / 1000);
        QVERIFY(main().sheet().results().Velocity > velocity);
        QCOMPARE(main().focusWidget(), main().dotsButton(4));
        flushDeletes();
        QVERIFY(guard.isNull());
        QVERIFY(m_dialogs->messages.isEmpty());
        QVERIFY(m_dialogs->prompts.isEmpty());
    }

    // The close box hands the diameter shown over as OK does.
    void diameterCloseBox()
    {
        frmDiameter *picker = openDiameter();
        QVERIFY(picker);
        QPointer<frmDiameter> guard(picker);
        picker->L1(0)->setCurrentIndex(4);
        pressCloseBox(picker);
        flushDeletes();
        QVERIFY(guard.isNull());
        QCOMPARE(main().Text0(4)->text(), num("48.6"));
        QCOMPARE(basGeneral().InnerDiameter, 48.6);
        QCOMPARE(basGeneral().DiameterChoice[0], qint16(4));
    }

    // Menu, toolbar and "..." button reach the one picker of each kind, restored from
    // minimised; the toolbar key is matched exactly.
    void onePickerPerKind_data()
    {
        QTest::addColumn<bool>("roughness");
        QTest::addColumn<QString>("menuText");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<int>("field");
        QTest::newRow("roughness") << true << "Pipe roughness"
                                   << "Roughness" << 23;
        QTest::newRow("diameter") << false << "Pipe diameter"
                                  << "Inner pipe diameter " << 4;
    }
    void onePickerPerKind()
    {
        QFETCH(bool, roughness);
        QFETCH(QString, menuText);
        QFETCH(QString, toolTip);
        QFETCH(int, field);
        auto count = [&] {
            return roughness ? m_main->findChildren<frmAbsRuwheid *>().size()
                             : m_main->findChildren<frmDiameter *>().size();
        };
        auto window = [&]() -> QWidget * {
            return roughness ? static_cast<QWidget *>(m_main->findChild<frmAbsRuwheid *>())
                             : static_cast<QWidget *>(m_main->findChild<frmDiameter *>());
        };
        main().Toolbar1_ButtonClick(QStringLiteral("diameter"));
        main().Toolbar1_ButtonClick(QStringLiteral("Ruw"));
        QCOMPARE(count(), 0);

        QAction *menu = menuAction(m_main->menuBar(), menuText);
        QAction *tool = toolbarAction(main(), toolTip);
        QVERIFY(menu);
        QVERIFY(tool);
        tool->trigger();
        QWidget *first = window();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QCOMPARE(first->parentWidget(), m_main.get());
        for (int round = 0; round < 3; ++round) {
            first->showMinimized();
            if (round == 0)
                menu->trigger();
            else if (round == 1)
                tool->trigger();
            else
                QTest::mouseClick(main().dotsButton(field), Qt::LeftButton);
            QCOMPARE(count(), 1);
            QCOMPARE(window(), first);
            QVERIFY(!first->isMinimized());
            QVERIFY(waitActive(first));
        }
    }

    // The texts follow the decimal separator of the locale.
    void commaDecimalTexts()
    {
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        frmAbsRuwheid *roughness = openRoughness();
        QVERIFY(roughness);
        QCOMPARE(main().Text0(23)->text(), QStringLiteral("0,04"));
        QTest::mouseClick(roughness->Option1(7), Qt::LeftButton);
        QCOMPARE(main().Text0(23)->text(), QStringLiteral("3,35"));
        roughness->Command1_Click();
        QCOMPARE(basGeneral().WallRoughness, 3.35);

        frmDiameter *diameter = openDiameter();
        QVERIFY(diameter);
        QCOMPARE(main().Text0(4)->text(), QStringLiteral("22,6"));
        diameter->Command3_Click();
        QCOMPARE(basGeneral().InnerDiameter, 22.6);
        QVERIFY(m_dialogs->prompts.isEmpty());
    }

    // With ZEPTOR_SCREENSHOT_DIR set (under a real X server), saves pictures of both
    // pickers for the documentation.
    void screenshots()
    {
        const QString dir = qEnvironmentVariable("ZEPTOR_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("ZEPTOR_SCREENSHOT_DIR not set");
        frmAbsRuwheid *roughness = openRoughness();
        QVERIFY(roughness);
        QVERIFY(roughness->grab().save(QDir(dir).filePath(QStringLiteral("pipe-data.png"))));
        frmDiameter *diameter = openDiameter();
        QVERIFY(diameter);
        QVERIFY(diameter->grab().save(QDir(dir).filePath(QStringLiteral("inner-diameter.png"))));
    }
};

QTEST_MAIN(TestPickerWindows)
#include "tst_pickerwindows.moc"
