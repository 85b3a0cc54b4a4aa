#include "fluid/ui/fluidpropertieswindow.h"
#include "support/testlocale.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using TestLocale::num;

class tst_FluidWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void applyHandsOverTheShownTexts();
    void outOfRangeIsNoted();
    void keyboardOnly();
    void valuesAreHeard();
    void applyTellsWhatChanged();
    void screenshots();

private:
    FluidPropertiesWindow *m_window = nullptr;
};

void tst_FluidWindow::init()
{
    m_window = new FluidPropertiesWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void tst_FluidWindow::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void tst_FluidWindow::applyHandsOverTheShownTexts()
{
    QSignalSpy spy(m_window, &FluidPropertiesWindow::fieldWritten);
    m_window->temperatureEdit()->setText(num("60"));
    QCOMPARE(m_window->densityLabel()->text(), num("983.21"));
    QCOMPARE(m_window->viscosityLabel()->text(), num("0.4660"));
    QVERIFY(m_window->sourceLabel()->text().contains(QStringLiteral("IAPWS-IF97")));
    QVERIFY2(m_window->validRangeLabel()->text().contains(num(QStringLiteral("99.97 °C"))),
        qPrintable(m_window->validRangeLabel()->text()));
    QTest::mouseClick(m_window->applyButton(), Qt::LeftButton);
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(0), (QVariantList{2, num("983.21")}));
    QCOMPARE(spy.at(1), (QVariantList{3, num("0.4660")}));

    // A glycol hides the pressure and asks for the concentration.
    m_window->fluidBox()->setCurrentIndex(2);
    QVERIFY(m_window->concentrationEdit()->isVisible());
    QVERIFY(!m_window->pressureEdit()->isVisible());
    m_window->concentrationEdit()->setText(num("30"));
    m_window->temperatureEdit()->setText(num("5"));
    QCOMPARE(m_window->freezingPointLabel()->text(), num("-12.79"));
    QVERIFY(m_window->sourceLabel()->text().contains(QStringLiteral("Melinder")));
    m_window->apply();
    QCOMPARE(spy.size(), 4);
    QCOMPARE(spy.at(2).at(1).toString(), m_window->densityLabel()->text());
    QCOMPARE(spy.at(3).at(1).toString(), m_window->viscosityLabel()->text());
}

void tst_FluidWindow::outOfRangeIsNoted()
{
    QSignalSpy spy(m_window, &FluidPropertiesWindow::fieldWritten);
    m_window->temperatureEdit()->setText(num("120"));
    QVERIFY(m_window->noteLabel()->isVisible());
    QVERIFY(m_window->noteLabel()->text().contains(QStringLiteral("steam")));
    QVERIFY(!m_window->applyButton()->isEnabled());
    QCOMPARE(m_window->densityLabel()->text(), QString());
    m_window->apply();

    m_window->temperatureEdit()->setText(QStringLiteral("hot"));
    QVERIFY(m_window->noteLabel()->text().contains(QStringLiteral("temperature")));
    QVERIFY(!m_window->applyButton()->isEnabled());
    QCOMPARE(spy.size(), 0);

    m_window->temperatureEdit()->setText(num("20"));
    QVERIFY(!m_window->noteLabel()->isVisible());
    QVERIFY(m_window->applyButton()->isEnabled());
}

// Typed, tabbed and confirmed without a mouse; every control is named for a screen reader.
void tst_FluidWindow::keyboardOnly()
{
    QSignalSpy spy(m_window, &FluidPropertiesWindow::fieldWritten);
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_window->fluidBox()->setFocus();
    QTest::keyClick(m_window->fluidBox(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_window->temperatureEdit());
    m_window->temperatureEdit()->selectAll();
    QTest::keyClicks(m_window->temperatureEdit(), num("20.5"));
    QTest::keyClick(m_window->temperatureEdit(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_window->pressureEdit());
    QTest::keyClick(m_window->pressureEdit(), Qt::Key_Return);
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(0).at(1).toString(), m_window->densityLabel()->text());

    for (QWidget *w : m_window->findChildren<QWidget *>()) {
        if (w->focusPolicy() != Qt::NoFocus && !w->inherits("QComboBoxPrivateContainer")
            && w->parentWidget() && !w->parentWidget()->inherits("QComboBoxPrivateContainer")
            && !w->inherits("QAbstractItemView") && !w->inherits("QScrollBar")
            && !w->inherits("QLabel")) // a label is read by its text
            QVERIFY2(!w->accessibleName().isEmpty(), w->metaObject()->className());
    }
}

// A screen reader hears each value itself, labelled by its caption; a fixed name would
// hide it. The note too.
void tst_FluidWindow::valuesAreHeard()
{
    m_window->fluidBox()->setCurrentIndex(1);
    m_window->temperatureEdit()->setText(num("5"));
    for (QLabel *value :
        {m_window->densityLabel(), m_window->viscosityLabel(), m_window->freezingPointLabel()}) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(value);
        QVERIFY(!value->text().isEmpty());
        QCOMPARE(iface->text(QAccessible::Name), value->text());
        QStringList labels;
        for (const auto &relation : iface->relations(QAccessible::Label))
            labels << relation.first->text(QAccessible::Name);
        QVERIFY2(labels.filter(QStringLiteral(":")).size() == 1, qPrintable(labels.join('|')));
    }
    m_window->temperatureEdit()->setText(num("-80"));
    QCOMPARE(QAccessible::queryAccessibleInterface(m_window->noteLabel())->text(QAccessible::Name),
        m_window->noteLabel()->text());
}

// After Apply the window tells the values it replaced, so that they can be typed back.
void tst_FluidWindow::applyTellsWhatChanged()
{
    QVERIFY(m_window->appliedLabel()->isHidden());
    m_window->setCase({Inputs{}, 0, 0});
    m_window->temperatureEdit()->setText(num("60"));
    m_window->apply();
    QVERIFY(!m_window->appliedLabel()->isHidden());
    QCOMPARE(m_window->appliedLabel()->text(),
        num("Applied: density 1000 -> 983.21 kg/m3, viscosity 1 -> 0.4660 cP"));
}

// With ZEPTOR_SCREENSHOT_DIR set (under a real X server), saves a picture of the window.
void tst_FluidWindow::screenshots()
{
    const QString dir = qEnvironmentVariable("ZEPTOR_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("ZEPTOR_SCREENSHOT_DIR not set");
    m_window->fluidBox()->setCurrentIndex(2);
    m_window->concentrationEdit()->setText(num("30"));
    m_window->temperatureEdit()->setText(num("5"));
    m_window->setCase({Inputs{}, 0, 0});
    m_window->apply(); // what Apply changed shows below the properties
    QVERIFY(m_window->grab().save(QDir(dir).filePath(QStringLiteral("fluid-properties.png"))));
}

QTEST_MAIN(tst_FluidWindow)
#include "tst_fluidwindow.moc"
