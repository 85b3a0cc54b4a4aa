// The analysis windows as the main window opens them from its Analysis menu: what
// they hand over is taken over as if the user had typed it.
#include "calc/calcengine.h"
#include "calc/numbertext.h"
#include "curve/ui/systemcurvewindow.h"
#include "fittings/fittinglosses.h"
#include "fittings/fittingtexts.h"
#include "fittings/ui/fittinglossesmodel.h"
#include "fittings/ui/fittinglosseswindow.h"
#include "fluid/ui/fluidpropertieswindow.h"
#include "pickers/frmdiameter.h"
#include "sizing/ui/linesizingmodel.h"
#include "sizing/ui/linesizingwindow.h"
#include "support/analysiscase.h"
#include "support/testprogram.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <optional>

class tst_AnalysisWiring : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_program.emplace(); }
    void cleanup() { m_program.reset(); }
    void fluidApplyIsTakenOverAsTyped();
    void systemCurveFollowsTheCase();
    void lineSizingHandsTheDiameterOver();
    void fittingLossesFollowTheCaseAndTheCurveTakesAMethod();
    void analysisWindowsFromTheKeyboard();
    void fluidWindowOpensBesideTheFields();

private:
    QAction *menuItem(const char *name)
    {
        return m_program->main().findChild<QAction *>(QString::fromLatin1(name));
    }

    // A fresh program for each test function.
    std::optional<TestProgram> m_program;
};

void tst_AnalysisWiring::fluidApplyIsTakenOverAsTyped()
{
    QAction *item = menuItem("mnuFluidProperties");
    QVERIFY(item);
    item->trigger();
    auto *window = m_program->main().findChild<FluidPropertiesWindow *>();
    QVERIFY(window && window->isVisible());
    // One window per program: the menu brings the same one back.
    item->trigger();
    QCOMPARE(m_program->main().findChildren<FluidPropertiesWindow *>().size(), 1);

    window->temperatureEdit()->setText(QLocale().toString(60));
    const QString density = window->densityLabel()->text();
    const double before = m_program->main().sheet().results().Reynolds;
    window->applyButton()->click();

    // The fields hold the handed-over texts, the record their values, and the case was
    // recalculated with them.
    QVERIFY(!m_program->main().Text0(2)->text().isEmpty());
    QVERIFY(density.startsWith(m_program->main().Text0(2)->text()));
    QCOMPARE(m_program->general.Density, QLocale().toDouble(m_program->main().Text0(2)->text()));
    QCOMPARE(m_program->general.Viscosity, QLocale().toDouble(m_program->main().Text0(3)->text()));
    QVERIFY(m_program->general.Density < 990 && m_program->general.Viscosity < 0.5);
    QVERIFY(m_program->main().sheet().results().Reynolds > before);
    QVERIFY(m_program->dialogs.prompts.isEmpty());
}

void tst_AnalysisWiring::systemCurveFollowsTheCase()
{
    menuItem("mnuSystemCurve")->trigger();
    auto *window = m_program->main().findChild<SystemCurveWindow *>();
    QVERIFY(window && window->isVisible());
    QVERIFY(!window->curve().empty());
    // Default range: up to 1.5 times the case's flow.
    QCOMPARE(window->curve().back().flow, 150.0);

    // An edit in the main window redraws the curve from the new case.
    m_program->main().Text0(1)->setText(QStringLiteral("10000"));
    m_program->main().handOver(1);
    QCOMPARE(m_program->general.FlowRate, 10000.0);
    QCOMPARE(window->curve().back().flow, 15000.0);
    const SystemCurve::Point &last = window->curve().back();
    const CalcEngine::Outcome direct = CalcEngine::evaluate(
        [&] {
            Inputs in = m_program->general;
            in.FlowRate = 15000;
            return in;
        }(),
        0, 0);
    QCOMPARE(last.outcome.results.TotalPressureDrop, direct.results.TotalPressureDrop);

    // The exported plot names the project as it is when exported.
    m_program->general.ProjectName = QStringLiteral("Plant 4");
    QVERIFY(window->titleBlock().first().startsWith(QStringLiteral("Project: Plant 4    Pipe: ")));
}

void tst_AnalysisWiring::lineSizingHandsTheDiameterOver()
{
    menuItem("mnuLineSizing")->trigger();
    auto *window = m_program->main().findChild<LineSizingWindow *>();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->model().rowCount(), 26);

    // The last row of the built-in tables is DIN 309.7 mm.
    window->table()->setFocus();
    window->table()->selectRow(25);
    window->useButton()->click();
    QCOMPARE(m_program->general.InnerDiameter, 309.7);
    QCOMPARE(m_program->main().Text0(4)->text(), NumberText::plain(309.7));
    // The diameter was taken over by the leave check: the results follow it.
    QCOMPARE(m_program->main().sheet().results().PipeArea, 309.7 * 309.7 * 0.7853981633974475);
    QCOMPARE(m_program->main().focusWidget(), m_program->main().dotsButton(4));

    // A size of the picker's lists becomes its remembered choice: opening the picker
    // afterwards keeps it, where it wrote its own last entry over it before.
    window->table()->selectRow(9 + 10); // DIN 82.5 mm
    window->useButton()->click();
    QCOMPARE(m_program->general.InnerDiameter, 82.5);
    m_program->main().SSCommand1_Click();
    auto *picker = m_program->main().findChild<frmDiameter *>();
    QVERIFY(picker && picker->SSOption1(1)->isChecked());
    QCOMPARE(picker->L1(1)->currentIndex(), 10);
    QCOMPARE(m_program->main().Text0(4)->text(), NumberText::plain(82.5));
    picker->Command3_Click();
    QCOMPARE(m_program->general.InnerDiameter, 82.5);
}

// Alt+A opens the Analysis menu and each window has a shortcut; the toolbar beside
// Toolbar1 carries the same three.
void tst_AnalysisWiring::analysisWindowsFromTheKeyboard()
{
    frmStart &main = m_program->main();
    QCOMPARE(main.findChild<QMenu *>(QStringLiteral("mnuAnalysis"))->title(),
        QStringLiteral("&Analysis"));
    QVERIFY(m_program->active);
    main.Text0(1)->setFocus();
    QTest::keyClick(main.Text0(1), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    auto *sizing = main.findChild<LineSizingWindow *>();
    QVERIFY(sizing && sizing->isVisible());
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(main.findChild<SystemCurveWindow *>());
    auto *toolbar = main.findChild<QToolBar *>(QStringLiteral("AnalysisToolbar"));
    QVERIFY(toolbar);
    QCOMPARE(toolbar->actions().size(), 4);
    toolbar->actions()[0]->trigger();
    QVERIFY(main.findChild<FluidPropertiesWindow *>()->isVisible());
}

// The fluid window opens clear of the density and viscosity fields it changes, and
// after Apply it tells what it replaced.
void tst_AnalysisWiring::fluidWindowOpensBesideTheFields()
{
    frmStart &main = m_program->main();
    main.move(0, 0);
    menuItem("mnuFluidProperties")->trigger();
    auto *window = main.findChild<FluidPropertiesWindow *>();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    for (int field : {2, 3}) {
        const QRect onScreen(main.Text0(field)->mapToGlobal(QPoint()), main.Text0(field)->size());
        QVERIFY2(!window->frameGeometry().intersects(onScreen),
            qPrintable(QStringLiteral("field %1").arg(field)));
    }
    window->temperatureEdit()->setText(QLocale().toString(60));
    window->applyButton()->click();
    QCOMPARE(window->appliedLabel()->text(),
        QStringLiteral("Applied: density 1000 -> %1 kg/m3, viscosity 1 -> %2 cP")
            .arg(main.Text0(2)->text(), main.Text0(3)->text()));
}

void tst_AnalysisWiring::fittingLossesFollowTheCaseAndTheCurveTakesAMethod()
{
    frmStart &main = m_program->main();
    menuItem("mnuFittingLosses")->trigger();
    auto *window = main.findChild<FittingLossesWindow *>();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->model().rowCount(), 0);

    // Two globe valves, handed over as the valves window does: the window follows the
    // calculation. 100 l/h through 100 mm is laminar, where the methods part.
    m_program->general.ValveCounts[8] = 2;
    main.setText0(10, QStringLiteral("600"));
    QCOMPARE(window->model().rowCount(), 3);
    QVERIFY(AnalysisCase::sameBits(
        window->model().table().totalDrop[0], main.sheet().results().TotalPressureDrop));
    for (QLabel *line : {window->conditionsLabel(), window->spreadLabel(), window->noteLabel()}) {
        QVERIFY(!line->text().isEmpty());
        QCOMPARE(line->accessibleName(), line->text()); // read with its value
    }
    QVERIFY(window->noteLabel()->text().contains(QStringLiteral("laminar")));

    QTemporaryDir dir;
    m_program->dialogs.saveAnswers << dir.filePath(QStringLiteral("fittings.csv"));
    window->exportButton()->click();
    QFile csv(dir.filePath(QStringLiteral("fittings.csv")));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readAll(), FittingLosses::csv(window->model().table()));

    // The System curve by Darby's 3-K: each point the case evaluated by that method.
    menuItem("mnuSystemCurve")->trigger();
    auto *curve = main.findChild<SystemCurveWindow *>();
    QComboBox *method = curve->fittingMethod();
    method->setCurrentIndex(int(FittingMethod::ThreeK));
    QCOMPARE(method->accessibleName(), QStringLiteral("Fittings by Darby 3-K"));
    const CaseInput c = CaseInput::of(m_program->general.inputs(), main.sheet().results(),
        {m_program->general.BendCounts, m_program->general.ValveCounts});
    const SystemCurve::Point &last = curve->curve().back();
    QVERIFY(AnalysisCase::sameBits(
        last.head, SystemCurve::pointAt(c.withFittings(FittingMethod::ThreeK), last.flow).head));
    QVERIFY(last.head != SystemCurve::pointAt(c, last.flow).head);
    // A plot handed on says by which method.
    QCOMPARE(curve->titleBlock().at(2),
        QStringLiteral("Fittings by: ") + FittingTexts::methodTitle(FittingMethod::ThreeK));
}

QTEST_MAIN(tst_AnalysisWiring)
#include "tst_analysiswiring.moc"
