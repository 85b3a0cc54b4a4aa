#include "calc/physics.h"
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
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
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

// What a screen reader gets as the name of a widget.
QString accessibleName(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
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
    void pumpTableGapsAndFaults();
    void pasteFromASpreadsheet();
    void readOutsAreHeard();
    void curveFromNoFlowWithClearLabels();
    void legendNamesWhatIsDrawn();
    void noFlowIsOneState();
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
    m_window->setProjectSource([] {
        return CurveTexts::ProjectLabel{QStringLiteral("Plant 4"), QStringLiteral("P-12"),
            QStringLiteral("p4.dvl"), QStringLiteral("today")};
    });
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
    // The points with the pump's head and the duty point, as zeptor-cli writes them.
    const CurvePlotData &data = m_window->plot()->data();
    QCOMPARE(contents(csv), SystemCurve::csv(m_window->curve(), *data.pump, data.duty));
    QVERIFY(contents(csv).contains("\n# duty: flow 14530.7"));
    QVERIFY(contents(png).startsWith("\x89PNG"));
    // Each drawing carries its title block: project, liquid, pump file and duty point.
    const QByteArray drawing = contents(svg);
    QVERIFY(drawing.contains("<svg"));
    for (const char *text : {"Plant 4", "P-12", "p4.dvl", "pump-curve.csv", "Duty point: flow"})
        QVERIFY2(drawing.contains(text), text);
    QVERIFY(contents(pdf).startsWith("%PDF"));
    QVERIFY(contents(printed).startsWith("%PDF"));

    // A file that cannot be written is named in a message; nothing else happens.
    m_dialogs->saveAnswers << m_dir.filePath(QStringLiteral("no/such/folder/curve.csv"));
    m_window->exportCsv();
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY(m_dialogs->messages[0].text.contains(QDir::toNativeSeparators(m_dir.path())));
}

// One missing NPSHr leaves the NPSHr out at the duty point and says so; a table that
// cannot be read says what is wrong with it.
void tst_SystemCurveWindow::pumpTableGapsAndFaults()
{
    m_window->setCase({waterCase(), 0, 0});
    m_dialogs->openAnswers << example("pump-curve.csv");
    m_window->loadPump();
    m_window->pumpTable()->item(4, 3)->setText(QString()); // 16 m3/h
    QVERIFY(m_window->plot()->data().duty.found);
    QCOMPARE(m_window->readout(SystemCurveWindow::Readout::Npshr)->text(), QStringLiteral("-"));
    QVERIFY(m_window->readout(SystemCurveWindow::Readout::ShaftPower)->text().endsWith(" W"));
    QVERIFY(m_window->dutyNote()->text().contains(QStringLiteral("no NPSHr at this flow")));

    m_window->pumpTable()->item(1, 0)->setText(QStringLiteral("x"));
    QCOMPARE(m_window->dutyNote()->text(),
        QStringLiteral("No duty point: the pump table cannot be read. Row 2: the flow is not a "
                       "number."));
}

void tst_SystemCurveWindow::pasteFromASpreadsheet()
{
    m_window->setCase({waterCase(), 0, 0});
    QApplication::clipboard()->setText(TestLocale::num(
        QStringLiteral("0\t12\n4000\t11.8\n8000\t11\n12000\t9.5\n16000\t7.2\n20000\t4\n")));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_window->pumpTable()->setFocus();
    m_window->pumpTable()->setCurrentCell(0, 0);
    QTest::keyClick(m_window->pumpTable(), Qt::Key_V, Qt::ControlModifier);
    QVERIFY2(m_window->plot()->data().pump, qPrintable(m_window->pumpStatus()->text()));
    QCOMPARE(m_window->pumpTable()->item(5, 0)->text(), QStringLiteral("20000"));
    QVERIFY(m_window->plot()->data().duty.found);

    // In m3/h the table shows the same curve.
    m_window->flowUnit()->setCurrentIndex(1);
    QCOMPARE(m_window->pumpTable()->item(1, 0)->text(), QStringLiteral("4"));
    QCOMPARE(m_window->plot()->data().pump->maxFlow(), 20000.0);
    m_window->pumpTable()->item(1, 0)->setText(TestLocale::num(QStringLiteral("4.5")));
    QCOMPARE(m_window->plot()->data().pump->points()[1].flow, 4500.0);
}

// A screen reader hears each value: the read-outs, the notes and the cursor are read by
// their text, labelled by the caption beside them, not by a fixed name.
void tst_SystemCurveWindow::readOutsAreHeard()
{
    m_window->setCase({waterCase(), 0, 0});
    m_dialogs->openAnswers << example("pump-curve.csv");
    m_window->loadPump();
    QLabel *flow = m_window->readout(SystemCurveWindow::Readout::Flow);
    QCOMPARE(accessibleName(flow), QStringLiteral("14531 l/h"));
    QStringList labels;
    for (const auto &relation :
        QAccessible::queryAccessibleInterface(flow)->relations(QAccessible::Label))
        labels << relation.first->text(QAccessible::Name);
    QVERIFY2(labels.contains(QStringLiteral("Flow:")), qPrintable(labels.join('|')));
    m_window->pumpTable()->item(1, 0)->setText(QStringLiteral("x"));
    QCOMPARE(accessibleName(m_window->dutyNote()), m_window->dutyNote()->text());
    QCOMPARE(accessibleName(m_window->pumpStatus()), m_window->pumpStatus()->text());
    QTest::keyClick(m_window->plot(), Qt::Key_Home);
    QVERIFY(!m_window->cursorLabel()->text().isEmpty());
    QCOMPARE(accessibleName(m_window->cursorLabel()), m_window->cursorLabel()->text());
}

// The system is drawn from no flow; when the pump meets it at the case, the two labels
// stay apart and inside the frame, and the flow ticks do not run together, also at the
// smallest size.
void tst_SystemCurveWindow::curveFromNoFlowWithClearLabels()
{
    Inputs in = waterCase();
    in.Elevation = 5;
    in.ExtraLoss = 0.1;
    m_window->setCase({in, 0, 0});
    // An extra loss that follows the flow is gone at no flow; a fixed one stays.
    QCOMPARE(m_window->plot()->data().curve.front().flow, 0.0);
    QCOMPARE(m_window->plot()->data().curve.front().head, 5.0);
    m_window->extraLossChoice()->setCurrentIndex(1);
    QCOMPARE(m_window->plot()->data().curve.front().head,
        Physics::headOf(0.1 + (0 + 1000 * 9.81 * 5.0) / 100000, 1000));

    const double caseHead = m_window->plot()->data().casePoint->head;
    const QString pump = m_dir.filePath(QStringLiteral("through-the-case.csv"));
    QFile file(pump);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("flow [l/h],head [m]\n0," + QByteArray::number(2 * caseHead - 5, 'g', 17)
        + "\n10000," + QByteArray::number(caseHead, 'g', 17) + "\n20000,0\n");
    file.close();
    m_dialogs->openAnswers << pump;
    m_window->loadPump();
    QVERIFY(std::abs(m_window->plot()->data().duty.system.flow - 10000) < 50);
    for (const QRectF area : {QRectF(0, 0, 640, 420), QRectF(0, 0, 320, 220)}) {
        const std::vector<QRectF> labels = m_window->plot()->markerLabels(area);
        QVERIFY(!labels[0].isEmpty()); // "This case" always finds room
        QVERIFY(!labels[0].intersects(labels[1]));
        QVERIFY(
            area.contains(labels[0]) && area.contains(labels[1].isEmpty() ? labels[0] : labels[1]));
        const std::vector<QRectF> ticks = m_window->plot()->flowTickLabels(area);
        QVERIFY(ticks.size() >= 2);
        for (size_t i = 1; i < ticks.size(); ++i)
            QVERIFY2(ticks[i - 1].right() < ticks[i].left(), qPrintable(QString::number(i)));
    }
    QVERIFY(!m_window->plot()->markerLabels(QRectF(0, 0, 640, 420))[1].isEmpty());
}

// "laminar" in the legend only where a laminar stretch is drawn; the pump by its line
// and markers as well as its colour.
void tst_SystemCurveWindow::legendNamesWhatIsDrawn()
{
    CurvePlot plot;
    CurvePlotData data;
    data.curve = SystemCurve::points({waterCase(), 0, 0}, 15000, 10);
    data.curve.erase(data.curve.begin()); // 1500 l/h on: turbulent only
    plot.setData(data);
    QCOMPARE(plot.legendTexts(), QStringList{QStringLiteral("System, turbulent")});
    m_window->setCase({waterCase(), 0, 0});
    QCOMPARE(m_window->plot()->legendTexts(),
        (QStringList{"System, turbulent", "System, laminar", "This case"}));
}

// A case without a flow rate (a prompt cancelled in the main window): no curve, no duty
// point and no values from an earlier case; every place says why and what to do.
void tst_SystemCurveWindow::noFlowIsOneState()
{
    m_window->setCase({waterCase(), 0, 0});
    m_dialogs->openAnswers << example("pump-curve.csv");
    m_window->loadPump();
    QVERIFY(m_window->plot()->data().duty.found);
    Inputs none = waterCase();
    none.FlowRate = 0;
    m_window->setCase({none, 0, 0});
    QVERIFY(!m_window->plot()->data().duty.found);
    QCOMPARE(m_window->readout(SystemCurveWindow::Readout::Flow)->text(), QStringLiteral("-"));
    const QString why = m_window->plot()->data().noCurve;
    QVERIFY(why.contains(QStringLiteral("no flow rate")));
    QCOMPARE(m_window->dutyNote()->text(), why);
    QVERIFY(m_window->plot()->accessibleName().contains(why));
    // A flow range of its own draws the curve again.
    m_window->flowTo()->setValue(20000);
    QVERIFY(m_window->plot()->data().duty.found);
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
