#include "sizing/sizingtable.h"
#include "sizing/ui/linesizingmodel.h"
#include "sizing/ui/linesizingwindow.h"
#include "support/analysiscase.h"
#include "support/scripteddialogs.h"
#include "support/testlocale.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace AnalysisCase;

namespace {

// The view's row that shows `size` in the size column, made current.
bool chooseRow(QTableView *table, const QString &size)
{
    const QAbstractItemModel *model = table->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index
            = model->index(row, LineSizingModel::columnOf(SizingTable::Column::Size));
        if (index.data().toString() == num(size)) {
            table->setCurrentIndex(index);
            return true;
        }
    }
    return false;
}

QString writeFile(const QTemporaryDir &dir, const char *name, const QByteArray &bytes)
{
    const QString path = dir.filePath(QLatin1String(name));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

} // namespace

class tst_LineSizingWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(testLocale()); }
    void useThisSize_data();
    void useThisSize();
    void followsTheCase();
    void pipeTables();
    void exportIsTheCliCsv();
    void limitsInTheUsersNotation_data();
    void limitsInTheUsersNotation();
    void opensOnTheCurrentRow();
    void copiesRowsWithHeadings();
    void everyControlHasAnAccessibleName();
    void screenshots();

private:
    QTemporaryDir m_dir;
};

void tst_LineSizingWindow::useThisSize_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("enterKey");
    QTest::addColumn<int>("sortColumn");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("standard");
    QTest::addColumn<int>("position");
    QTest::newRow("ISO, button") << int(LineSizingWindow::IsoTable) << "29.0 mm" << false << -1
                                 << num("29") << 0 << 2;
    QTest::newRow("DIN, Enter") << int(LineSizingWindow::DinTable) << "54.5 mm" << true << -1
                                << num("54.5") << 1 << 8;
    // Sorted by pressure drop, largest first: the row is found through the sorting.
    QTest::newRow("sorted, Enter")
        << int(LineSizingWindow::AllTables) << "84.9 mm (wall 2mm)" << true
        << LineSizingModel::columnOf(SizingTable::Column::PressureDrop) << num("84.9") << 0 << 7;
}

void tst_LineSizingWindow::useThisSize()
{
    QFETCH(int, table);
    QFETCH(QString, size);
    QFETCH(bool, enterKey);
    QFETCH(int, sortColumn);
    QFETCH(QString, text);
    QFETCH(int, standard);
    QFETCH(int, position);

    ScriptedDialogs dialogs;
    LineSizingWindow window(dialogs);
    window.setCase({waterCase(50), 0, 0});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.tableChoice()->setCurrentIndex(table);
    if (sortColumn >= 0)
        window.table()->sortByColumn(sortColumn, Qt::DescendingOrder);
    QSignalSpy spy(&window, &LineSizingWindow::fieldWritten);
    QSignalSpy picker(&window, &LineSizingWindow::pickerEntryChosen);

    QVERIFY(chooseRow(window.table(), size));
    QVERIFY(window.useButton()->isEnabled());
    if (enterKey) {
        window.table()->setFocus();
        QTest::keyClick(window.table(), Qt::Key_Return);
    } else {
        window.useButton()->click();
    }
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 4);
    QCOMPARE(spy.at(0).at(1).toString(), text);
    QCOMPARE(dialogs.messages.size(), 0);
    // The picker's own entry: it remembers it, so that opening the picker keeps it.
    QCOMPARE(picker.size(), 1);
    QCOMPARE(picker.at(0), (QVariantList{standard, position}));
}

// Each recalculation of the main window reaches the rows; the chosen row stays chosen.
void tst_LineSizingWindow::followsTheCase()
{
    ScriptedDialogs dialogs;
    LineSizingWindow window(dialogs);
    window.tableChoice()->setCurrentIndex(LineSizingWindow::DinTable);
    window.setCase({waterCase(54.5), 0, 0});
    QVERIFY(chooseRow(window.table(), QStringLiteral("43.1 mm")));
    const LineSizingModel &model = window.model();
    const QModelIndex velocity
        = model.index(8, LineSizingModel::columnOf(SizingTable::Column::Velocity)); // 54.5 mm
    const QModelIndex marked = model.index(8, LineSizingModel::LimitsColumn);
    QCOMPARE(velocity.data().toString(), num("1.19"));
    QVERIFY(velocity.data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(marked.data().toString(), "yes");

    // Twice the flow in 43.1 mm: the rows follow, the chosen row stays chosen.
    Inputs doubled = waterCase(43.1);
    doubled.FlowRate = 20000;
    window.setCase({doubled, 0, 0});
    QCOMPARE(velocity.data().toString(), num("2.38"));
    QVERIFY(!velocity.data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(window.table()->currentIndex().data().toString(), num("43.1 mm"));

    // 1.0 bar/100 m now: marked only under a looser limit.
    QCOMPARE(marked.data().toString(), "");
    window.maxDropPer100m()->setValue(1.5);
    QCOMPARE(marked.data().toString(), "yes");
}

void tst_LineSizingWindow::pipeTables()
{
    ScriptedDialogs dialogs;
    LineSizingWindow window(dialogs);
    window.setCase({waterCase(50), 0, 0});
    QCOMPARE(window.model().rows().size(), size_t(26)); // ISO and DIN at first

    const QString good = writeFile(
        m_dir, "steel.csv", "size,inner diameter [mm]\nDN 40,43.1\nDN 50,54.5\nDN 65,70.3\n");
    const QString bad = writeFile(m_dir, "bad.csv", "size,inner diameter [mm]\nDN 40\n");
    dialogs.openAnswers = {good, bad, QString()};
    window.loadTableButton()->click();
    QCOMPARE(dialogs.fileDialogs.last().filterPattern, QStringLiteral("*.csv"));
    QCOMPARE(window.tableChoice()->currentText(), QStringLiteral("steel.csv"));
    QCOMPARE(window.model().rows().size(), size_t(3));
    const QModelIndex size
        = window.model().index(1, LineSizingModel::columnOf(SizingTable::Column::Size));
    QCOMPARE(size.data().toString(), QStringLiteral("DN 50"));
    QCOMPARE(window.model().index(1, 0).data().toString(), QStringLiteral("steel.csv"));

    // A bad table is refused with the file and the line; the loaded one stays.
    window.loadTableButton()->click();
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages[0].text.contains(QStringLiteral("bad.csv, line 2")));
    QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::Warning);
    window.loadTableButton()->click(); // cancelled
    QCOMPARE(window.model().rows().size(), size_t(3));

    // The window remembers the table while the user looks at another.
    window.tableChoice()->setCurrentIndex(LineSizingWindow::IsoTable);
    QCOMPARE(window.model().rows().size(), size_t(9));
    window.tableChoice()->setCurrentIndex(LineSizingWindow::UserTable);
    QCOMPARE(window.model().rows().size(), size_t(3));

    // A size the picker does not list: the window says that the picker would replace it.
    QSignalSpy picker(&window, &LineSizingWindow::pickerEntryChosen);
    QVERIFY(chooseRow(window.table(), QStringLiteral("DN 65")));
    window.useThisSize();
    QCOMPARE(picker.size(), 0);
    QVERIFY(!window.noteLabel()->isHidden());
    QVERIFY(window.noteLabel()->text().startsWith(QStringLiteral("DN 65 (") + num("70.3 mm)")));
}

void tst_LineSizingWindow::exportIsTheCliCsv()
{
    ScriptedDialogs dialogs;
    LineSizingWindow window(dialogs);
    window.setCase({waterCase(50), 120, 40});
    const QString path = m_dir.filePath(QStringLiteral("sizing.csv"));
    dialogs.saveAnswers = {path, path, m_dir.filePath(QStringLiteral("missing/sizing.csv"))};
    const auto written = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    // With the marks, and the limits they were made with.
    window.exportButton()->click();
    QCOMPARE(written(), SizingTable::csv(window.model().rows(), SizingLimits{0.5, 3, 0.5}));
    window.maxDropPer100m()->setValue(1);
    window.exportButton()->click();
    QVERIFY(
        written().endsWith("# limits: velocity 0.5 to 3 m/s, pressure drop at most 1 bar/100 m\n"));
    QCOMPARE(dialogs.fileDialogs.last().defaultSuffix, QStringLiteral("csv"));

    window.exportButton()->click(); // a folder that does not exist
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages[0].text.startsWith(QStringLiteral("Cannot export to \"")));
}

void tst_LineSizingWindow::limitsInTheUsersNotation_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("lowest"); // the lowest velocity after Enter
    const bool comma = QLocale().decimalPoint() == QLatin1String(",");
    QTest::newRow("own notation") << num("0.8") << 0.8;
    QTest::newRow("other decimal separator") << QString(comma ? "0.8" : "0,8") << 0.5;
    QTest::newRow("above the highest") << num("8") << 0.5;
}

// A limit reads as the main window reads a number: the user's notation only; a band
// whose lowest velocity lies above its highest is refused. Both say why.
void tst_LineSizingWindow::limitsInTheUsersNotation()
{
    QFETCH(QString, typed);
    QFETCH(double, lowest);
    ScriptedDialogs dialogs;
    LineSizingWindow window(dialogs);
    window.setCase({waterCase(54.5), 0, 0});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.minVelocity()->setFocus();
    window.minVelocity()->selectAll();
    QTest::keyClicks(window.minVelocity(), typed);
    QTest::keyClick(window.minVelocity(), Qt::Key_Return);
    QCOMPARE(window.minVelocity()->value(), lowest);
    QCOMPARE(window.limits().minVelocity, lowest);
    QCOMPARE(window.noteLabel()->isHidden(), lowest != 0.5);
    if (lowest == 0.5)
        QVERIFY2(window.noteLabel()->text().contains(QStringLiteral("refused")),
            qPrintable(window.noteLabel()->text()));
}

// Opened, the window shows every column, and the row of the main window's diameter is
// chosen and in view: "Use this size" works at once.
void tst_LineSizingWindow::opensOnTheCurrentRow()
{
    ScriptedDialogs dialogs;
    LineSizingWindow window(dialogs);
    window.setCase({waterCase(260.4), 0, 0}); // DIN, near the end of the list
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);
    const QModelIndex current = window.table()->currentIndex();
    QVERIFY(current.isValid());
    QCOMPARE(current.siblingAtColumn(LineSizingModel::columnOf(SizingTable::Column::Size))
                 .data()
                 .toString(),
        num("260.4 mm"));
    QVERIFY(window.useButton()->isEnabled());
    QVERIFY(window.table()->viewport()->rect().contains(window.table()->visualRect(current)));
    QCOMPARE(window.table()->horizontalScrollBar()->maximum(), 0);
}

void tst_LineSizingWindow::copiesRowsWithHeadings()
{
    ScriptedDialogs dialogs;
    LineSizingWindow window(dialogs);
    window.tableChoice()->setCurrentIndex(LineSizingWindow::DinTable);
    window.setCase({waterCase(54.5), 0, 0});
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.table()->setFocus();
    window.table()->selectRow(8);
    window.table()->selectionModel()->select(window.table()->model()->index(9, 0),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(window.table(), Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[0].startsWith(QStringLiteral("table\tsize\t")));
    QVERIFY(lines[1].startsWith(QStringLiteral("DIN\t") + num("54.5 mm\t54.5\t1.19\t")));
    QVERIFY(lines[2].startsWith(QStringLiteral("DIN\t") + num("70.3 mm")));
}

void tst_LineSizingWindow::everyControlHasAnAccessibleName()
{
    ScriptedDialogs dialogs;
    LineSizingWindow window(dialogs);
    QCOMPARE(window.windowTitle(), QStringLiteral("Line sizing"));
    QList<QWidget *> controls = {window.tableChoice(), window.table()};
    for (QPushButton *button : window.findChildren<QPushButton *>())
        controls << button;
    for (QDoubleSpinBox *box : window.findChildren<QDoubleSpinBox *>())
        controls << box;
    QCOMPARE(controls.size(), 2 + 4 + 3);
    for (QWidget *control : controls)
        QVERIFY2(!control->accessibleName().isEmpty(), control->metaObject()->className());
    QVERIFY(!window.maxVelocity()->toolTip().isEmpty());
}

// With ZEPTOR_SCREENSHOT_DIR set (under a real X server), saves a picture for the
// documentation: the turbulent example with a row chosen.
void tst_LineSizingWindow::screenshots()
{
    const QString dir = qEnvironmentVariable("ZEPTOR_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("ZEPTOR_SCREENSHOT_DIR not set");
    ScriptedDialogs dialogs;
    LineSizingWindow window(dialogs);
    window.tableChoice()->setCurrentIndex(LineSizingWindow::DinTable);
    window.setCase({waterCase(54.5), 0, 0});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(chooseRow(window.table(), QStringLiteral("70.3 mm")));
    window.table()->setFocus();
    QTest::qWait(200);
    QVERIFY(window.grab().save(QDir(dir).filePath(QStringLiteral("line-sizing.png"))));
}

QTEST_MAIN(tst_LineSizingWindow)
#include "tst_linesizingwindow.moc"
