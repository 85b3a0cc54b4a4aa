// The analysis windows opened on a case with a pump curve, for the check over
// AT-SPI (tests/atspi_values.py): prints, per window, every value the window shows as
// one JSON line, then "ready", and runs until it is ended.

#include "curve/ui/curveplot.h"
#include "curve/ui/systemcurvewindow.h"
#include "fittings/ui/fittinglosseswindow.h"
#include "fluid/ui/fluidpropertieswindow.h"
#include "sizing/ui/linesizingwindow.h"
#include "support/testprogram.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>

#include <cstdio>

namespace {

// What the window shows: the text of every label, entry field and list on screen, and
// every cell of its tables.
QJsonArray shownValues(QWidget &window)
{
    QJsonArray values;
    const auto add = [&values](const QString &text) {
        if (!text.trimmed().isEmpty())
            values.append(text.trimmed());
    };
    for (QLabel *label : window.findChildren<QLabel *>()) {
        if (label->isVisible())
            add(label->text().remove(QLatin1Char('&')));
    }
    for (QLineEdit *edit : window.findChildren<QLineEdit *>()) {
        if (edit->isVisible())
            add(edit->text());
    }
    for (QComboBox *list : window.findChildren<QComboBox *>())
        add(list->currentText());
    for (QAbstractItemView *view : window.findChildren<QAbstractItemView *>()) {
        // The tables themselves: a header shows the same model, a list's popup is hidden.
        if (!view->isVisible() || qobject_cast<QHeaderView *>(view))
            continue;
        const QAbstractItemModel *model = view->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            for (int c = 0; c < model->columnCount(); ++c)
                add(model->index(r, c).data().toString());
        }
    }
    return values;
}

void enter(frmStart &main, int index, const char *text)
{
    main.Text0(index)->setText(QString::fromLatin1(text));
    main.handOver(index);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    enter(main, 1, "10000");
    enter(main, 4, "50");
    enter(main, 5, "100");

    main.mnuFluidProperties_Click();
    auto *fluid = main.findChild<FluidPropertiesWindow *>();
    fluid->fluidBox()->setCurrentIndex(1); // a glycol: the freezing point shows too
    fluid->temperatureEdit()->setText(QLocale().toString(5));

    main.mnuLineSizing_Click();
    program.general.ValveCounts[8] = 2; // two globe valves: the fitting losses have rows
    main.setText0(10, QStringLiteral("600"));
    main.mnuFittingLosses_Click();
    main.mnuSystemCurve_Click();
    auto *curve = main.findChild<SystemCurveWindow *>();
    program.dialogs.openAnswers << qEnvironmentVariable("ZEPTOR_SOURCE_DIR")
            + QStringLiteral("/examples/pump-curve.csv");
    curve->loadPump();
    curve->plot()->setFocus();
    QTest::keyClick(curve->plot(), Qt::Key_Home); // the cursor's read-out on the case
    QTest::qWait(200);

    for (QWidget *window : QList<QWidget *>{fluid, main.findChild<LineSizingWindow *>(), curve,
             main.findChild<FittingLossesWindow *>()}) {
        const QJsonObject line{{QStringLiteral("window"), window->windowTitle()},
            {QStringLiteral("values"), shownValues(*window)}};
        std::printf("%s\n", QJsonDocument(line).toJson(QJsonDocument::Compact).constData());
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
