// The wall roughness and pipe diameter pickers, driven through the real main window.

#include "pickers/frmabsruwheid.h"
#include "pickers/frmdiameter.h"
#include "support/testprogram.h"

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

#include <optional>

using namespace WindowTest;

namespace {

template<size_t N>
QStringList texts(const std::array<const char *, N> &table)
{
    QStringList out;
    for (const char *text : table)
        out << QString::fromLatin1(text);
    return out;
}

} // namespace

class TestPickerWindows : public QObject
{
    Q_OBJECT

private:
    std::optional<TestProgram> m_program;

    frmStart &main() { return m_program->main(); }
    BasGeneral &general() { return m_program->general; }
    ScriptedDialogs &dialogs() { return m_program->dialogs; }

    frmAbsRuwheid *openRoughness()
    {
        QAction *action = menuAction(main().menuBar(), QStringLiteral("Pipe roughness"));
        if (!action)
            return nullptr;
        action->trigger();
        auto *window = main().findChild<frmAbsRuwheid *>();
        return window && activate(window) ? window : nullptr;
    }

    frmDiameter *openDiameter()
    {
        QAction *action = menuAction(main().menuBar(), QStringLiteral("Pipe diameter"));
        if (!action)
            return nullptr;
        action->trigger();
        auto *window = main().findChild<frmDiameter *>();
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
    void init()
    {
        m_program.emplace();
        QVERIFY(m_program->active);
    }
    void cleanup() { m_program.reset(); }

    // The first opening applies "new" steel pipe at once, before OK.
    void roughnessFirstOpening()
    {
        QCOMPARE(main().Text0(23)->text(), num("0.01"));
        frmAbsRuwheid *picker = openRoughness();
        QVERIFY(picker);
        QCOMPARE(picker->windowTitle(), QStringLiteral("Pipe Data"));
        QCOMPARE(picker->frame()->title(), QStringLiteral("Surface roughness value [E] "));
        for (int group = 0; group < 3; ++group)
            QCOMPARE(picker->Label1(group)->text(), texts(RoughnessGroups).at(group));
        QVERIFY(picker->Option1(4)->isChecked());
        QCOMPARE(main().Text0(23)->text(), num("0.04"));
        QCOMPARE(general().WallRoughness, 0.04);
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
        QVERIFY(dialogs().messages.isEmpty());
    }

    void roughnessOptions_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        // The text a value shows as, in the shortest form.
        for (int i = 0; i < int(RoughnessTable.size()); ++i) {
            const RoughnessRow &row = RoughnessTable[size_t(i)];
            QTest::addRow("%d %s", i, row.caption)
                << i << QString::fromLatin1(row.caption) << QString::number(row.roughness)
                << row.roughness;
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
        QCOMPARE(general().WallRoughness, value);
        QCOMPARE(general().RoughnessChoice, qint16(index));
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
        QCOMPARE(general().RoughnessChoice, qint16(7));
        QVERIFY(dialogs().messages.isEmpty());
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
        QVERIFY(activate(&main()));
        typeAndLeave(main().Text0(23), num("0.3"));
        QCOMPARE(general().WallRoughness, 0.3);
        QCOMPARE(general().RoughnessChoice, qint16(9));
        picker = openRoughness();
        QVERIFY(picker);
        QVERIFY(picker->Option1(9)->isChecked());
        QCOMPARE(main().Text0(23)->text(), num("0.5"));
        QCOMPARE(general().WallRoughness, 0.5);
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
        QCOMPARE(general().WallRoughness, 0.01);
        QVERIFY(openRoughness());
        QCOMPARE(main().Text0(23)->text(), num("0.04"));
        QCOMPARE(general().WallRoughness, 0.04);
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
        QCOMPARE(general().WallRoughness, 0.2);
        QCOMPARE(general().RoughnessChoice, qint16(5));
        QCOMPARE(main().sheet().results().RelativeRoughness, 0.2 / 50);
    }

    void diameterFirstOpening()
    {
        frmDiameter *picker = openDiameter();
        QVERIFY(picker);
        QCOMPARE(picker->windowTitle(), QStringLiteral("Inner diameter"));
        QCOMPARE(picker->frame()->title(), QStringLiteral("Standard pipes"));
        for (size_t i = 0; i < 2; ++i) {
            QCOMPARE(picker->SSOption1(int(i))->text(), texts(DiameterStandardCaptions).at(i));
            QCOMPARE(picker->listHeading(int(i))->text(), texts(DiameterListHeadings).at(i));
        }
        QCOMPARE(picker->Command3()->text(), QStringLiteral("OK"));
        QCOMPARE(picker->L1(0)->count(), int(IsoDiameterTexts.size()));
        QCOMPARE(picker->L1(1)->count(), int(DinDiameterTexts.size()));
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
        QCOMPARE(general().InnerDiameter, 100.0);
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
        QCOMPARE(general().DiameterStandard, qint16(1));

        // Back to ISO: its list still shows its entry, whose diameter applies again.
        QTest::mouseClick(picker->SSOption1(0), Qt::LeftButton);
        QVERIFY(picker->L1(0)->isEnabled());
        QVERIFY(!picker->L1(1)->isEnabled());
        QCOMPARE(picker->L1(1)->currentIndex(), 0);
        QCOMPARE(main().Text0(4)->text(), num("22.6"));
        QCOMPARE(general().DiameterStandard, qint16(0));
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
        QCOMPARE(general().DiameterChoice[size_t(standard)], qint16(position));
        QCOMPARE(general().DiameterChoice[size_t(1 - standard)], qint16(0));
        QCOMPARE(general().InnerDiameter, 100.0);
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
        QCOMPARE(general().InnerDiameter, 107.1);

        QVERIFY(activate(&main()));
        typeAndLeave(main().Text0(4), QStringLiteral("80"));
        QCOMPARE(general().InnerDiameter, 80.0);

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
        QCOMPARE(general().InnerDiameter, 54.5);
        QCOMPARE(main().Text0(4)->text(), num("54.5"));
        QCOMPARE(main().Text0(25)->text(), num("4.251"));
        QCOMPARE(main().sheet().results().AppendageLength, 78 * 54.5 / 1000);
        QVERIFY(main().sheet().results().Velocity > velocity);
        QCOMPARE(main().focusWidget(), main().dotsButton(4));
        flushDeletes();
        QVERIFY(guard.isNull());
        QVERIFY(dialogs().messages.isEmpty());
        QVERIFY(dialogs().prompts.isEmpty());
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
        QCOMPARE(general().InnerDiameter, 48.6);
        QCOMPARE(general().DiameterChoice[0], qint16(4));
    }

    // The toolbar's keys are matched exactly: near misses open nothing (the menus,
    // toolbar and buttons are tested with the count windows).
    void toolbarKeysExact()
    {
        main().Toolbar1_ButtonClick(QStringLiteral("diameter"));
        main().Toolbar1_ButtonClick(QStringLiteral("Ruw"));
        QCOMPARE(main().findChildren<frmAbsRuwheid *>().size(), 0);
        QCOMPARE(main().findChildren<frmDiameter *>().size(), 0);
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
        QCOMPARE(general().WallRoughness, 3.35);

        frmDiameter *diameter = openDiameter();
        QVERIFY(diameter);
        QCOMPARE(main().Text0(4)->text(), QStringLiteral("22,6"));
        diameter->Command3_Click();
        QCOMPARE(general().InnerDiameter, 22.6);
        QVERIFY(dialogs().prompts.isEmpty());
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
