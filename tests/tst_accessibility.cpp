// What a screen reader hears of the main window and the pickers, through the accessible
// interfaces Qt gives assistive technology.

#include "pickers/frmabsruwheid.h"
#include "pickers/frmdiameter.h"
#include "pickers/pickertables.h"
#include "support/testprogram.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSet>
#include <QTest>

#include <algorithm>

using namespace WindowTest;

namespace {

QString accessibleText(QObject *object, QAccessible::Text text = QAccessible::Name)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(text) : QStringLiteral("<no interface>");
}

bool accessiblyVisible(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface && !iface->state().invisible;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void statusLineReadsWhatItShows();
    void noLabelReadsItsFrameTitle();
    void diameterListsAreNamedByTheirHeading();
    void roughnessOptionsNameTheirMaterial();
};

void TestAccessibility::statusLineReadsWhatItShows()
{
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    typeAndLeave(main.Text0(1), QStringLiteral("200"));
    main.Calc();
    const QString shown = main.statusText();
    QVERIFY(shown.startsWith(QStringLiteral("Flow is")));

    auto *status = main.findChild<QLabel *>(QStringLiteral("StatusBar1_text"));
    QVERIFY(status);
    QCOMPARE(status->text(), shown);
    QCOMPARE(accessibleText(status), shown);
    QCOMPARE(accessibleText(status, QAccessible::Description), QStringLiteral("status"));

    // A new status is read as the new name.
    typeAndLeave(main.Text0(1), QStringLiteral("2000000"));
    main.Calc();
    QVERIFY(main.statusText() != shown);
    QCOMPARE(accessibleText(status), main.statusText());
}

// A label without a text of its own takes the title of its frame; such a label would be
// read as a second "Results" inside the frame "Results".
void TestAccessibility::noLabelReadsItsFrameTitle()
{
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    const QList<QGroupBox *> frames = main.centralWidget()->findChildren<QGroupBox *>();
    QStringList titles;
    for (QGroupBox *frame : frames)
        titles << frame->title();
    for (const char *title : {"Results", "Equivalent length", "Total pressure drop"})
        QVERIFY2(titles.contains(QLatin1String(title)), title);
    for (QGroupBox *frame : frames) {
        QVERIFY(accessiblyVisible(frame));
        for (QWidget *widget : frame->findChildren<QWidget *>()) {
            if (!accessiblyVisible(widget))
                continue;
            QVERIFY2(accessibleText(widget) != frame->title(),
                qPrintable(widget->objectName() + QStringLiteral(" reads as ") + frame->title()));
        }
    }
}

// Qt's own interface of a list: its entries as children and the entry shown as its
// value; the heading comes as its label and its description.
void TestAccessibility::diameterListsAreNamedByTheirHeading()
{
    TestProgram program{TestProgram::Procedure};
    frmDiameter &picker = program.main().Diameter();
    for (int standard = 0; standard < 2; ++standard) {
        QComboBox *list = picker.L1(standard);
        list->setCurrentIndex(1);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(list);
        QCOMPARE(iface->role(), QAccessible::ComboBox);
        QCOMPARE(accessibleText(list, QAccessible::Value), list->currentText());
        QCOMPARE(
            accessibleText(list, QAccessible::Description), picker.listHeading(standard)->text());
        const auto labels = iface->relations(QAccessible::Label);
        QVERIFY(std::any_of(labels.begin(), labels.end(), [&](const auto &label) {
            return label.first->object() == picker.listHeading(standard);
        }));
        QVERIFY(iface->childCount() >= 1);
        QAccessibleInterface *entries = iface->child(0);
        QVERIFY(entries && entries->childCount() >= list->count());
        QStringList names;
        for (int i = 0; i < entries->childCount(); ++i)
            names << entries->child(i)->text(QAccessible::Name);
        QVERIFY2(names.contains(list->itemText(list->count() - 1)), qPrintable(names.join('|')));
    }
}

void TestAccessibility::roughnessOptionsNameTheirMaterial()
{
    TestProgram program{TestProgram::Procedure};
    frmAbsRuwheid &picker = program.main().AbsRuwheid();
    QSet<QString> names;
    for (size_t i = 0; i < RoughnessTable.size(); ++i) {
        const QString name = accessibleText(picker.Option1(int(i)));
        QVERIFY2(name.endsWith(QLatin1String(RoughnessTable[i].caption)), qPrintable(name));
        names.insert(name);
    }
    // Every option is told apart by its name alone.
    QCOMPARE(names.size(), qsizetype(RoughnessTable.size()));
    QVERIFY(names.contains(QStringLiteral("steel pipe, new")));
    QVERIFY(names.contains(QStringLiteral("cast iron, very rusted")));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
