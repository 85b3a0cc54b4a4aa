#include "calc/calcsheet.h"
#include "support/calcfixture.h"

#include <QLocale>
#include <QTest>

namespace {

const QString OnlyNumbers = promptText(QStringLiteral("Sorry, only numbers"));
const QString OnlyPositive = promptText(QStringLiteral("Sorry, only positive numbers"));
const QString ElevationMessage = QStringLiteral("Elevation <= Total pipe length");
const QString RoughnessMessage = QStringLiteral("Maximum value is 5 ...");

} // namespace

class tst_LeaveCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void emptyFieldAsksForNumber();
    void signRule_data();
    void signRule();
    void elevationRule_data();
    void elevationRule();
    void roughnessCap_data();
    void roughnessCap();
    void appendageLengthFollowsDiameter();
    void appendageTexts_data();
    void appendageTexts();
    void changeHandlingOnlyOnChange();
    void resultFieldsOnlyRecalculate();
    void nestedLeaveCheckIgnored();
    void commaLocale();
};

void tst_LeaveCheck::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void tst_LeaveCheck::emptyFieldAsksForNumber()
{
    CalcFixture f;
    // Cancel repeats the question; 0 is accepted and stored, and the calculation then
    // asks for the flow it cannot do without.
    f.dialogs.answers = QStringList{"", "0", ""};
    f.enter(1, QString());
    QCOMPARE(f.dialogs.promptMessages(),
        (QStringList{
            OnlyNumbers, OnlyNumbers, promptText(QStringLiteral("Variabele [Flow] unknown"))}));
    QCOMPARE(f.dialogs.prompts.first().title, QStringLiteral("Input"));
    QCOMPARE(f.dialogs.prompts.first().defaultAnswer, QStringLiteral("0"));
    QCOMPARE(f.sheet.Text0(1), QStringLiteral("0"));
    QCOMPARE(f.general.FlowRate, 0.0);
    QCOMPARE(f.sheet.status(), QStringLiteral("** Error **"));
}

void tst_LeaveCheck::signRule_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("prompts");
    QTest::addColumn<QString>("text");

    QTest::newRow("negative length")
        << 5 << "-3" << QStringList{"-3", "3"} << QStringList{OnlyPositive, OnlyPositive} << "3";
    QTest::newRow("negative elevation") << 6 << "-5" << QStringList{} << QStringList{} << "-5";
    QTest::newRow("letters, then negative") << 7 << "abc" << QStringList{"-1", "0.5"}
                                            << QStringList{OnlyNumbers, OnlyPositive} << "0.5";
    QTest::newRow("negative density")
        << 2 << "-800" << QStringList{"800"} << QStringList{OnlyPositive} << "800";
    QTest::newRow("negative bends total")
        << 9 << "-4" << QStringList{"4"} << QStringList{OnlyPositive} << "4";
    QTest::newRow("exponent and blanks")
        << 5 << " 1.5e1 " << QStringList{} << QStringList{} << " 1.5e1 ";
}

void tst_LeaveCheck::signRule()
{
    QFETCH(int, index);
    QFETCH(QString, typed);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, prompts);
    QFETCH(QString, text);

    CalcFixture f;
    f.dialogs.answers = answers;
    f.enter(index, typed);
    QCOMPARE(f.dialogs.promptMessages(), prompts);
    QCOMPARE(f.sheet.Text0(index), text);
    QVERIFY(f.dialogs.answers.isEmpty());
    QCOMPARE(f.sheet.status(), QStringLiteral("Flow is Laminar"));
}

void tst_LeaveCheck::elevationRule_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("message");
    QTest::addColumn<double>("elevation");
    QTest::addColumn<QString>("text");

    QTest::newRow("above the length") << QStringList{"5=10", "6=12"} << true << 10.0 << "10";
    QTest::newRow("equal to the length") << QStringList{"5=10", "6=10"} << false << 10.0 << "10";
    QTest::newRow("length still 0") << QStringList{"6=2"} << true << 0.0 << "0";
    QTest::newRow("length shortened") << QStringList{"5=10", "6=8", "5=5"} << true << 5.0 << "5";
    QTest::newRow("length text copied") << QStringList{"5=1e1", "6=12"} << true << 10.0 << "1e1";
    QTest::newRow("negative kept")
        << QStringList{"5=10", "6=-20", "5=0"} << false << -20.0 << "-20";
}

void tst_LeaveCheck::elevationRule()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, message);
    QFETCH(double, elevation);
    QFETCH(QString, text);

    CalcFixture f;
    f.apply(steps);
    QCOMPARE(f.dialogs.messageTexts(), message ? QStringList{ElevationMessage} : QStringList{});
    if (message) {
        QCOMPARE(f.dialogs.messages.first().icon, Dialogs::Icon::None);
        QCOMPARE(f.dialogs.messages.first().title, QStringLiteral("Zeptor"));
    }
    QCOMPARE(f.general.Elevation, elevation);
    QCOMPARE(f.sheet.Text0(6), text);
}

void tst_LeaveCheck::roughnessCap_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("message");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("text");

    QTest::newRow("5") << "5" << false << 5.0 << "5";
    QTest::newRow("5.01") << "5.01" << true << 5.0 << "5";
    QTest::newRow("7.5") << "7.5" << true << 5.0 << "5";
    QTest::newRow("0") << "0" << false << 0.0 << "0";
}

void tst_LeaveCheck::roughnessCap()
{
    QFETCH(QString, typed);
    QFETCH(bool, message);
    QFETCH(double, stored);
    QFETCH(QString, text);

    CalcFixture f;
    f.enter(23, typed);
    QCOMPARE(f.dialogs.messageTexts(), message ? QStringList{RoughnessMessage} : QStringList{});
    QCOMPARE(f.general.WallRoughness, stored);
    QCOMPARE(f.sheet.Text0(23), text);
    // Laminar at the start values: no roughness prompt either way.
    QVERIFY(f.dialogs.prompts.isEmpty());
}

void tst_LeaveCheck::appendageLengthFollowsDiameter()
{
    CalcFixture f;
    f.apply({"9=65", "10=13"});
    QCOMPARE(f.sheet.Text0(8), QStringLiteral("78"));
    QCOMPARE(f.sheet.Text0(25), QStringLiteral("7.8"));
    f.enter(4, QStringLiteral("50"));
    QCOMPARE(f.sheet.Text0(25), QStringLiteral("3.9"));
    QCOMPARE(f.sheet.results().AppendageLength, 78 * 50.0 / 1000);

    // A diameter that comes from a prompt is used for the equivalent length at once.
    f.general.InnerDiameter = 0;
    f.dialogs.answers = QStringList{"200"};
    f.sheet.Calc();
    QCOMPARE(f.sheet.Text0(4), QStringLiteral("200"));
    QCOMPARE(f.sheet.Text0(25), QStringLiteral("15.6"));
    // 15.6 m of fittings at f = 64 / Re over 200 mm: 78 f.
    QCOMPARE(f.sheet.Text0(17), QStringLiteral("28.2291"));
}

void tst_LeaveCheck::appendageTexts_data()
{
    QTest::addColumn<QString>("bends");
    QTest::addColumn<QString>("sum");

    QTest::newRow("not a number counts 0") << "abc"
                                           << "13";
    QTest::newRow("empty counts 0") << ""
                                    << "13";
    QTest::newRow("half to even down") << "2.5"
                                       << "15";
    QTest::newRow("half to even up") << "3.5"
                                     << "17";
    QTest::newRow("beyond 32 bits counts 0") << "1e12"
                                             << "13";
}

void tst_LeaveCheck::appendageTexts()
{
    QFETCH(QString, bends);
    QFETCH(QString, sum);

    CalcFixture f;
    f.apply({"9=100", "10=13"});
    f.sheet.setText0(9, bends);
    QCOMPARE(f.sheet.Text0(8), sum);
    QVERIFY(f.dialogs.prompts.isEmpty());
}

void tst_LeaveCheck::changeHandlingOnlyOnChange()
{
    CalcFixture f;
    QList<int> changed;
    int statusChanges = 0;
    CalcSheetNotifier notifier;
    f.sheet.setNotifier(&notifier);
    QObject::connect(
        &notifier, &CalcSheetNotifier::text0Changed, [&changed](int index) { changed << index; });
    QObject::connect(
        &notifier, &CalcSheetNotifier::statusChanged, [&statusChanges] { ++statusChanges; });

    f.sheet.setText0(9, QStringLiteral("65"));
    QCOMPARE(changed.mid(0, 3), (QList<int>{9, 8, 25}));
    QCOMPARE(f.sheet.status(), QStringLiteral("Flow is Laminar"));
    QCOMPARE(statusChanges, 1);

    // The same text again changes nothing and does not recalculate: a calculation would
    // ask for the flow here.
    changed.clear();
    f.general.FlowRate = 0;
    f.sheet.setText0(9, QStringLiteral("65"));
    QVERIFY(changed.isEmpty());
    QVERIFY(f.dialogs.prompts.isEmpty());

    // A calculation that changes no text tells nobody.
    f.general.FlowRate = 100;
    f.sheet.Calc();
    QVERIFY(changed.isEmpty());
    QCOMPARE(statusChanges, 1);

    // A copy of the sheet (a batch worker's) does not tell the original's listeners.
    CalcSheet copy(f.sheet);
    copy.setText0(9, QStringLiteral("7"));
    QCOMPARE(copy.Text0(8), QStringLiteral("7"));
    QVERIFY(changed.isEmpty());
}

void tst_LeaveCheck::resultFieldsOnlyRecalculate()
{
    CalcFixture f;
    f.sheet.Calc();
    QCOMPARE(f.sheet.Text0(24), QStringLiteral("n.a."));
    f.general.PipeLength = 100;
    f.general.Elevation = -50;
    f.sheet.Text0_LostFocus(24);
    QCOMPARE(f.sheet.Text0(24), QStringLiteral("n.a."));
    QCOMPARE(f.sheet.Text0(18), QStringLiteral("-4.9050"));

    // A negative result is no reason to ask for a positive number.
    f.sheet.Text0_LostFocus(18);
    f.sheet.Text0_LostFocus(21);
    QVERIFY(f.dialogs.prompts.isEmpty());
    QCOMPARE(f.sheet.Text0(18), QStringLiteral("-4.9050"));
}

void tst_LeaveCheck::nestedLeaveCheckIgnored()
{
    CalcFixture f;
    // The prompt takes the focus from the field; the window reports that as another leave.
    f.dialogs.whileOpen = [&f] { f.sheet.Text0_LostFocus(1); };
    f.dialogs.answers = QStringList{"5"};
    f.enter(1, QStringLiteral("x"));
    QCOMPARE(f.dialogs.prompts.size(), 1);
    QCOMPARE(f.general.FlowRate, 5.0);

    f.dialogs.clearLog();
    f.apply({"5=10", "6=12"});
    QCOMPARE(f.dialogs.messages.size(), 1);
}

void tst_LeaveCheck::commaLocale()
{
    QLocale::setDefault(QLocale(QStringLiteral("nl_NL")));
    CalcFixture f;
    f.apply({"5=12,5", "6=20", "23=5,5", "9=65", "10=13", "4=50"});
    QCOMPARE(f.general.PipeLength, 12.5);
    QCOMPARE(f.sheet.Text0(6), QStringLiteral("12,5"));
    QCOMPARE(f.general.WallRoughness, 5.0);
    QCOMPARE(f.sheet.Text0(25), QStringLiteral("3,9"));
    // A point is a group separator there, not a decimal one.
    f.dialogs.answers = QStringList{"2"};
    f.enter(7, QStringLiteral("1.5"));
    QCOMPARE(f.dialogs.promptMessages(), QStringList{OnlyNumbers});
    QCOMPARE(f.general.ExtraLoss, 2.0);
    QLocale::setDefault(QLocale::c());
}

QTEST_GUILESS_MAIN(tst_LeaveCheck)
#include "tst_leavecheck.moc"
