// The analysis windows as the main window opens them from its Analysis menu: what
// they hand over is taken over as if the user had typed it.
#include "analysis/fluidpropertieswindow.h"
#include "calc/basgeneral.h"
#include "pickers/pickertables.h"
#include "shell/frmstart.h"
#include "support/scripteddialogs.h"
#include "support/testlocale.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

class tst_AnalysisWiring : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void fluidApplyIsTakenOverAsTyped();

private:
    QAction *menuItem(const char *name) const
    {
        return m_main->findChild<QAction *>(QString::fromLatin1(name));
    }

    BasGeneral m_general;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<frmStart> m_main;
};

void tst_AnalysisWiring::init()
{
    QLocale::setDefault(testLocale());
    m_general = BasGeneral{};
    setPickerStartValues(m_general);
    m_main = std::make_unique<frmStart>(m_general, m_dialogs);
    m_main->show();
}

void tst_AnalysisWiring::cleanup()
{
    m_main.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tst_AnalysisWiring::fluidApplyIsTakenOverAsTyped()
{
    QAction *item = menuItem("mnuFluidProperties");
    QVERIFY(item);
    item->trigger();
    auto *window = m_main->findChild<FluidPropertiesWindow *>();
    QVERIFY(window && window->isVisible());
    // One window per program: the menu brings the same one back.
    item->trigger();
    QCOMPARE(m_main->findChildren<FluidPropertiesWindow *>().size(), 1);

    window->temperatureEdit()->setText(QLocale().toString(60));
    const QString density = window->densityLabel()->text();
    const double before = m_main->sheet().results().Reynolds;
    window->applyButton()->click();

    // The fields hold the handed-over texts, the record their values, and the case was
    // recalculated with them.
    QVERIFY(!m_main->Text0(2)->text().isEmpty());
    QVERIFY(density.startsWith(m_main->Text0(2)->text()));
    QCOMPARE(m_general.Density, QLocale().toDouble(m_main->Text0(2)->text()));
    QCOMPARE(m_general.Viscosity, QLocale().toDouble(m_main->Text0(3)->text()));
    QVERIFY(m_general.Density < 990 && m_general.Viscosity < 0.5);
    QVERIFY(m_main->sheet().results().Reynolds > before);
    QVERIFY(m_dialogs.prompts.isEmpty());
}

QTEST_MAIN(tst_AnalysisWiring)
#include "tst_analysiswiring.moc"
