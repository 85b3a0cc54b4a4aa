#include "curve/ui/curveplot.h"
#include "curve/ui/npshplot.h"
#include "curve/ui/pumpsetpanel.h"
#include "curve/ui/systemcurvewindow.h"
#include "support/analysiscase.h"
#include "support/scripteddialogs.h"
#include "support/testlocale.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

// The window's wiring only; the numbers are the core's and tested there.
using namespace AnalysisCase;

namespace {

QString example(const char *name)
{
    return qEnvironmentVariable("ZEPTOR_SOURCE_DIR") + QStringLiteral("/examples/")
        + QLatin1String(name);
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class tst_SystemCurveWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void followsTheCase();
    void pumpFileGivesDutyPoint();
    void badPumpFileChangesNothing();
    void pumpsAtWork();
    void exports();
    void everyControlIsNamed();
    void screenshots();

private:
    ScriptedDialogs *m_dialogs = nullptr;
    SystemCurveWindow *m_window = nullptr;
    QTemporaryDir m_dir;
};

void tst_SystemCurveWindow::init()
{
    QLocale::setDefault(TestLocale::locale());
    m_dialogs = new ScriptedDialogs;
    m_window = new SystemCurveWindow(*m_dialogs);
    m_window->resize(1100, 640);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void tst_SystemCurveWindow::cleanup()
{
    delete m_window;
    delete m_dialogs;
}

void tst_SystemCurveWindow::followsTheCase()
{
    QVERIFY(m_window->curve().empty());
    m_window->setCase({waterCase(), 0, 0});
    QCOMPARE(m_window->curve().size(), size_t(50));
    QCOMPARE(m_window->curve().back().flow, 15000.0); // 1.5 times the case's flow
    QVERIFY(m_window->plot()->data().casePoint);
    QCOMPARE(m_window->readout(SystemCurveWindow::Readout::Flow)->text(), QStringLiteral("-"));

    // The range fields recompute at once.
    m_window->pointCount()->setValue(200);
    m_window->flowTo()->setValue(30000);
    QCOMPARE(m_window->curve().size(), size_t(200));
    QCOMPARE(m_window->curve().back().flow, 30000.0);

    // A new case from the main window redraws with its numbers.
    Inputs wider = waterCase();
    wider.InnerDiameter = 80;
    const double before = m_window->curve().back().head;
    m_window->setCase({wider, 0, 0});
    QVERIFY(m_window->curve().back().head < before);
}

void tst_SystemCurveWindow::pumpFileGivesDutyPoint()
{
    m_window->setCase({waterCase(), 0, 0});
    m_dialogs->openAnswers << example("pump-curve.csv");
    m_window->loadPump();
    QCOMPARE(m_dialogs->fileDialogs.last().filterPattern, QStringLiteral("*.csv"));
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(m_window->pumpTable()->item(5, 0)->text(), QStringLiteral("20000"));
    QVERIFY(m_window->plot()->data().duty.found);
    QCOMPARE(
        m_window->readout(SystemCurveWindow::Readout::Flow)->text(), QStringLiteral("14531 l/h"));
    QCOMPARE(
        m_window->readout(SystemCurveWindow::Readout::ShaftPower)->text(), QStringLiteral("476 W"));

    // The duty point follows the case; an edit of the table follows too.
    Inputs longer = waterCase();
    longer.PipeLength = 200;
    m_window->setCase({longer, 0, 0});
    QVERIFY(m_window->plot()->data().duty.system.flow < 14000);
    m_window->pumpTable()->item(1, 0)->setText(QStringLiteral("0"));
    QVERIFY(!m_window->plot()->data().pump);
    QCOMPARE(m_window->pumpStatus()->text(),
        QStringLiteral("Row 2: the flow must be greater than the one before"));
    QCOMPARE(m_window->readout(SystemCurveWindow::Readout::Flow)->text(), QStringLiteral("-"));

    // Saved from the table, the file reads back as the same curve.
    m_window->pumpTable()->item(1, 0)->setText(QStringLiteral("4000"));
    const QString saved = m_dir.filePath(QStringLiteral("saved.csv"));
    m_dialogs->saveAnswers << saved;
    m_window->savePump();
    QCOMPARE(contents(saved), m_window->plot()->data().pump->toCsv());
}

void tst_SystemCurveWindow::badPumpFileChangesNothing()
{
    m_window->setCase({waterCase(), 0, 0});
    m_dialogs->openAnswers << example("turbulent.dvl");
    m_window->loadPump();
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages[0].text.contains(QStringLiteral("turbulent.dvl, line 1: ")),
        qPrintable(m_dialogs->messages[0].text));
    QCOMPARE(m_dialogs->messages[0].icon, Dialogs::Icon::Warning);
    QVERIFY(!m_window->plot()->data().pump);
    QVERIFY(!m_window->pumpTable()->item(0, 0));
}

// Two pumps, a suction line and the speed for a flow reach the duty point and read-out.
void tst_SystemCurveWindow::pumpsAtWork()
{
    using Readout = SystemCurveWindow::Readout;
    m_window->setCase({waterCase(), 0, 0});
    m_dialogs->openAnswers << example("pump-curve.csv");
    m_window->loadPump();
    const double single = m_window->duty().system.flow;
    m_window->pumpSet()->countField()->setValue(2);
    QVERIFY(m_window->duty().system.flow > single);
    QCOMPARE(m_window->duty().flowPerPump, m_window->duty().system.flow / 2);
    QCOMPARE(m_window->readout(Readout::FlowPerPump)->text().isEmpty(), false);

    QVERIFY(m_window->npshPlot()->isHidden());
    m_dialogs->openAnswers << example("turbulent.dvl");
    m_window->loadSuction();
    QVERIFY(m_window->npshPlot()->isVisible());
    QCOMPARE(m_window->npshPlot()->data().flows.size(), size_t(50));
    QVERIFY(std::isfinite(m_window->duty().npsha));
    QVERIFY(m_window->readout(Readout::Npsha)->text().endsWith(QStringLiteral(" m")));

    m_window->pumpSet()->flowField()->setValue(15000);
    m_window->pumpSet()->speedForFlowButton()->click();
    QVERIFY(qAbs(m_window->duty().system.flow - 15000) < 1e-3);
    QVERIFY(m_window->pumpSet()->speed() != 100);
}

void tst_SystemCurveWindow::exports()
{
    m_window->setCase({waterCase(), 0, 0});
    m_dialogs->openAnswers << example("pump-curve.csv");
    m_window->loadPump();
    const QString csv = m_dir.filePath(QStringLiteral("curve.csv"));
    const QString png = m_dir.filePath(QStringLiteral("curve.png"));
    const QString svg = m_dir.filePath(QStringLiteral("curve.svg"));
    const QString pdf = m_dir.filePath(QStringLiteral("curve.pdf"));
    const QString printed = m_dir.filePath(QStringLiteral("printed.pdf"));
    m_dialogs->saveAnswers << csv << png << svg << pdf;
    m_window->exportCsv();
    m_window->exportPng();
    m_window->exportSvg();
    m_window->exportPdf();
    m_dialogs->printerAnswers << true;
    m_dialogs->preparePrinter = [&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
    };
    m_window->print();
    QVERIFY2(m_dialogs->messages.isEmpty(), qPrintable(m_dialogs->messageTexts().join('\n')));
    QCOMPARE(contents(csv), SystemCurve::csv(m_window->curve()));
    QVERIFY(contents(png).startsWith("\x89PNG"));
    QVERIFY(contents(svg).contains("<svg"));
    QVERIFY(contents(pdf).startsWith("%PDF"));
    QVERIFY(contents(printed).startsWith("%PDF"));

    // A file that cannot be written is named in a message; nothing else happens.
    m_dialogs->saveAnswers << m_dir.filePath(QStringLiteral("no/such/folder/curve.csv"));
    m_window->exportCsv();
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY(m_dialogs->messages[0].text.contains(QDir::toNativeSeparators(m_dir.path())));
}

void tst_SystemCurveWindow::everyControlIsNamed()
{
    for (QWidget *w : m_window->findChildren<QWidget *>()) {
        // The parts that Qt's own controls are made of are named by those controls.
        if (qobject_cast<QAbstractScrollArea *>(w->parentWidget())
            || qobject_cast<QAbstractSpinBox *>(w->parentWidget()))
            continue;
        const bool control = qobject_cast<QAbstractButton *>(w)
            || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QTableWidget *>(w)
            || qobject_cast<CurvePlot *>(w);
        if (control)
            QVERIFY2(!w->accessibleName().isEmpty(), w->metaObject()->className());
        if (w->focusPolicy() & Qt::TabFocus)
            QVERIFY2(!w->accessibleName().isEmpty() || !control, w->metaObject()->className());
    }
    // Without a mouse: the arrow keys move the plot's cursor and the read-out follows.
    m_window->setCase({waterCase(), 0, 0});
    m_window->plot()->setFocus();
    QTest::keyClick(m_window->plot(), Qt::Key_Home);
    QVERIFY2(m_window->cursorLabel()->text().startsWith(QStringLiteral("Flow 10000 l/h")),
        qPrintable(m_window->cursorLabel()->text()));
    QTest::keyClick(m_window->plot(), Qt::Key_Right);
    QVERIFY(!m_window->cursorLabel()->text().startsWith(QStringLiteral("Flow 10000 l/h")));
}

// The picture for the README, when asked for (ZEPTOR_SCREENSHOT_DIR).
void tst_SystemCurveWindow::screenshots()
{
    const QString shots = qEnvironmentVariable("ZEPTOR_SCREENSHOT_DIR");
    if (shots.isEmpty())
        QSKIP("ZEPTOR_SCREENSHOT_DIR is not set");
    m_window->setCase({waterCase(), 0, 0});
    m_dialogs->openAnswers << example("pump-curve.csv");
    m_window->loadPump();
    m_window->flowTo()->setValue(20000);
    QTest::qWait(100);
    QVERIFY(m_window->grab().save(shots + QStringLiteral("/system-curve.png")));
}

QTEST_MAIN(tst_SystemCurveWindow)
#include "tst_systemcurvewindow.moc"
