#include "sizing/sizingtable.h"
#include "sizing/ui/linesizingmodel.h"
#include "sizing/ui/linesizingwindow.h"
#include "support/analysiscase.h"
#include "support/scripteddialogs.h"
#include "support/testlocale.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
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
        if (index.data().toString() == size) {
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
    QTest::newRow("ISO, button") << int(LineSizingWindow::IsoTable) << "29.0 mm" << false << -1
                                 << num("29");
    QTest::newRow("DIN, Enter") << int(LineSizingWindow::DinTable) << "54.5 mm" << true << -1
                                << num("54.5");
    // Sorted by pressure drop, largest first: the row is found through the sorting.
    QTest::newRow("sorted, Enter")
        << int(LineSizingWindow::AllTables) << "84.9 mm (wall 2mm)" << true
        << LineSizingModel::columnOf(SizingTable::Column::PressureDrop) << num("84.9");
}

void tst_LineSizingWindow::useThisSize()
{
    QFETCH(int, table);
    QFETCH(QString, size);
    QFETCH(bool, enterKey);
    QFETCH(int, sortColumn);
    QFETCH(QString, text);

    ScriptedDialogs dialogs;
    LineSizingWindow window(dialogs);
    window.setCase({waterCase(50), 0, 0});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.tableChoice()->setCurrentIndex(table);
    if (sortColumn >= 0)
        window.table()->sortByColumn(sortColumn, Qt::DescendingOrder);
    QSignalSpy spy(&window, &LineSizingWindow::fieldWritten);

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
    QCOMPARE(window.table()->currentIndex().data().toString(), QStringLiteral("43.1 mm"));

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
}

void tst_LineSizingWindow::exportIsTheCliCsv()
{
    ScriptedDialogs dialogs;
    LineSizingWindow window(dialogs);
    window.setCase({waterCase(50), 120, 40});
    const QString path = m_dir.filePath(QStringLiteral("sizing.csv"));
    dialogs.saveAnswers = {path, m_dir.filePath(QStringLiteral("missing/sizing.csv"))};
    window.exportButton()->click();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), SizingTable::csv(window.model().rows()));
    QCOMPARE(dialogs.fileDialogs.last().defaultSuffix, QStringLiteral("csv"));

    window.exportButton()->click(); // a folder that does not exist
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages[0].text.startsWith(QStringLiteral("Cannot export to \"")));
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
