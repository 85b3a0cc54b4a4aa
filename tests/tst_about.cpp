// The About window (also the start-up splash), its link labels, and the Help window.

#include "shell/frmhelpscreen.h"
#include "shell/hyperlinklabel.h"
#include "support/testprogram.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace WindowTest;

namespace {

// Takes the links' targets in place of the desktop's handlers.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    UrlRecorder()
    {
        for (const char *scheme : {"https", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~UrlRecorder() override
    {
        for (const char *scheme : {"https", "mailto"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened << url; }
};

frmAbout *openAbout(frmStart &main)
{
    main.mnuHelpAbout_Click();
    return main.hasAbout() ? &main.About() : nullptr;
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aboutWindowShowsReleaseAndLinks();
    void splashClosesOnTheFirstTickOnly();
    void splashClosedByOkLeavesTheTickToTheNextAbout();
    void openAboutComesToTheFrontAsItIs();
    void linkLabels_data();
    void linkLabels();
    void linkLabelsAreLinksToAssistiveTechnology();
    void linkLabelShowsTheKeyboardFocus();
    void escapeCloses_data();
    void escapeCloses();
    void helpWindow();
    void screenshots();
};

void TestAbout::aboutWindowShowsReleaseAndLinks()
{
    TestProgram program{TestProgram::ProcedureWithSplash};
    frmAbout *about = &program.main().About();
    QVERIFY(about->isVisible());
    QCOMPARE(about->windowTitle(), QStringLiteral("Pressure Drop Zeptor [information]"));
    QCOMPARE(about->Label1(2)->text(), QStringLiteral("Zeptor"));
    QVERIFY(about->Label1(2)->font().pointSizeF() > about->Label3()->font().pointSizeF() * 2);
    QCOMPARE(about->Label2()->text(), QString(QChar(0x00A9)));
    QCOMPARE(about->Label1(0)->text(), QStringLiteral("International Release 1.5-Rev.0"));
    QCOMPARE(about->Label1(6)->text(), QStringLiteral("32 bits"));
    QCOMPARE(about->Label1(7)->text(), QString());
    QCOMPARE(about->Label3()->text(),
        QStringLiteral("We put a lot of effort in making sure the results are accurate. We "
                       "can, however, not take any responsibilty for using this program. "
                       "Feedback is welcome. We love to hear from you. Please email us and "
                       "include the version number and revision for reference. Visit my "
                       "website for additional information."));
    QCOMPARE(about->Label1(8)->text(), QStringLiteral("(A Dutch version is also available)"));
    QCOMPARE(about->HyperLinkLabel1()->text(), QStringLiteral("Zeptor Web Site"));
    QCOMPARE(about->Label1(1)->text(),
        QStringLiteral("(%1)").arg(about->HyperLinkLabel1()->url().toString()));
    QCOMPARE(about->Command1()->text(), QStringLiteral("OK"));
    // Enter on the splash closes it; it does not open the first link's mail program.
    QCOMPARE(about->focusWidget(), about->Command1());
    for (int missing : {3, 4, 5, 9, -1})
        QVERIFY(!about->Label1(missing));

    const QPixmap picture = about->Picture1()->pixmap();
    QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(32, 32));
    QVERIFY(!picture.toImage().isNull());
    const QList<QSize> iconSizes = about->windowIcon().availableSizes();
    QVERIFY(iconSizes.contains(QSize(16, 16)));
    QVERIFY(iconSizes.contains(QSize(32, 32)));

    QVERIFY(about->Timer1()->isActive());
    QCOMPARE(about->Timer1()->interval(), 5000);
    // The splash stands in front of the main window.
    QVERIFY(program.main().isVisible());
}

void TestAbout::splashClosesOnTheFirstTickOnly()
{
    TestProgram program{TestProgram::ProcedureWithSplash};
    frmStart &main = program.main();
    QCOMPARE(program.general.AboutTimerFired, qint16(0));
    QPointer<frmAbout> splash = &main.About();
    QVERIFY(splash->isVisible());

    splash->Timer1_Timer();
    flushDeletes();
    QVERIFY(!splash);
    QVERIFY(!main.hasAbout());
    QCOMPARE(program.general.AboutTimerFired, qint16(1));

    // Every later About window stays open, however often its timer ticks.
    QPointer<frmAbout> later = openAbout(main);
    QVERIFY(later && later->isVisible());
    QVERIFY(later->Timer1()->isActive());
    later->Timer1_Timer();
    later->Timer1_Timer();
    flushDeletes();
    QVERIFY(later && later->isVisible());
    QCOMPARE(program.general.AboutTimerFired, qint16(1));

    later->Command1_Click();
    flushDeletes();
    QVERIFY(!later);
}

void TestAbout::splashClosedByOkLeavesTheTickToTheNextAbout()
{
    TestProgram program{TestProgram::ProcedureWithSplash};
    frmStart &main = program.main();
    QPointer<frmAbout> splash = &main.About();
    QTest::mouseClick(splash->Command1(), Qt::LeftButton);
    flushDeletes();
    QVERIFY(!splash);
    QCOMPARE(program.general.AboutTimerFired, qint16(0));

    // The next one closes itself on its first tick; the one after that stays.
    QPointer<frmAbout> next = openAbout(main);
    QVERIFY(next);
    next->Timer1_Timer();
    flushDeletes();
    QVERIFY(!next);
    QCOMPARE(program.general.AboutTimerFired, qint16(1));
    QPointer<frmAbout> last = openAbout(main);
    last->Timer1_Timer();
    flushDeletes();
    QVERIFY(last && last->isVisible());
}

void TestAbout::openAboutComesToTheFrontAsItIs()
{
    TestProgram program{TestProgram::ProcedureWithSplash};
    frmStart &main = program.main();
    QPointer<frmAbout> first = &main.About();
    first->Label1(0)->setText(QStringLiteral("marked"));
    QCOMPARE(openAbout(program.main()), first.data());
    QCOMPARE(first->Label1(0)->text(), QStringLiteral("marked"));
}

void TestAbout::linkLabels_data()
{
    QTest::addColumn<int>("link");
    QTest::addColumn<QString>("scheme");
    QTest::newRow("web site") << 1 << "https";
    QTest::newRow("first credit") << 2 << "mailto";
    QTest::newRow("second credit") << 3 << "mailto";
}

void TestAbout::linkLabels()
{
    QFETCH(int, link);
    QFETCH(QString, scheme);
    UrlRecorder recorder;
    const QList<QUrl> &opened = recorder.opened;
    TestProgram program{TestProgram::ProcedureWithSplash};
    frmAbout &about = program.main().About();
    HyperLinkLabel *label = link == 1 ? about.HyperLinkLabel1()
        : link == 2                   ? about.HyperLinkLabel2()
                                      : about.HyperLinkLabel3();
    QVERIFY(!label->text().isEmpty());
    QCOMPARE(label->url().scheme(), scheme);
    QVERIFY(label->url().toString().contains(QStringLiteral("example.org")));

    // A different font while the mouse is over it, the normal one after.
    const QFont normal = label->font();
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(label, &enter);
    QVERIFY(label->isHovered());
    QVERIFY(label->font() != normal);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(label, &leave);
    QCOMPARE(label->font(), normal);

    // A click opens the target; a press that ends off the label opens nothing.
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(opened, QList<QUrl>{label->url()});
    QTest::mousePress(label, Qt::LeftButton);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(-20, -20));
    QCOMPARE(opened.size(), 1);
    QTest::mouseClick(label, Qt::RightButton);
    QCOMPARE(opened.size(), 1);
    // From the keyboard as well.
    QTest::keyClick(label, Qt::Key_Space);
    QCOMPARE(opened.size(), 2);
}

void TestAbout::linkLabelsAreLinksToAssistiveTechnology()
{
    UrlRecorder recorder;
    TestProgram program{TestProgram::ProcedureWithSplash};
    frmAbout &about = program.main().About();
    for (HyperLinkLabel *label :
        {about.HyperLinkLabel1(), about.HyperLinkLabel2(), about.HyperLinkLabel3()}) {
        QAccessibleInterface *link = QAccessible::queryAccessibleInterface(label);
        QVERIFY(link);
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->text(QAccessible::Name), label->text());
        QVERIFY(link->state().focusable);
        QAccessibleActionInterface *actions = link->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        // Pressed by assistive technology, it opens its target as a click does.
        const qsizetype before = recorder.opened.size();
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(recorder.opened.size(), before + 1);
        QCOMPARE(recorder.opened.last(), label->url());
    }
}

void TestAbout::linkLabelShowsTheKeyboardFocus()
{
    TestProgram program{TestProgram::ProcedureWithSplash};
    frmAbout &about = program.main().About();
    QVERIFY(activate(&about));
    HyperLinkLabel *label = about.HyperLinkLabel1();
    const QImage unfocused = label->grab().toImage();
    label->setFocus(Qt::TabFocusReason);
    QVERIFY(QTest::qWaitFor([label] { return label->hasFocus(); }));
    QVERIFY(label->font().underline());
    QVERIFY(label->grab().toImage() != unfocused);
    about.Command1()->setFocus(Qt::TabFocusReason);
    QVERIFY(QTest::qWaitFor([label] { return !label->hasFocus(); }));
    QVERIFY(!label->font().underline());
}

void TestAbout::escapeCloses_data()
{
    QTest::addColumn<bool>("help");
    QTest::addColumn<bool>("onLink"); // Escape pressed while a link holds the focus
    QTest::newRow("About") << false << false;
    QTest::newRow("About, focus on a link") << false << true;
    QTest::newRow("Help") << true << false;
}

void TestAbout::escapeCloses()
{
    QFETCH(bool, help);
    QFETCH(bool, onLink);
    TestProgram program{TestProgram::ProcedureWithSplash};
    QPointer<QWidget> window;
    QWidget *focus = nullptr;
    if (help) {
        program.main().mnuHelpContents_Click();
        window = program.main().findChild<frmHelpScreen *>();
        focus = static_cast<frmHelpScreen *>(window.data())->Command1();
    } else {
        frmAbout &about = program.main().About();
        window = &about;
        focus = onLink ? static_cast<QWidget *>(about.HyperLinkLabel2()) : about.Command1();
    }
    QVERIFY(window && window->isVisible());
    QTest::keyClick(focus, Qt::Key_Escape);
    flushDeletes();
    QVERIFY(!window);
}

void TestAbout::helpWindow()
{
    TestProgram program{TestProgram::ProcedureWithSplash};
    program.main().mnuHelpContents_Click();
    QPointer<frmHelpScreen> help = program.main().findChild<frmHelpScreen *>();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->windowTitle(), QStringLiteral("Help"));
    QCOMPARE(help->Label1()->text(),
        QStringLiteral(
            "This program performs Pressure Drop Calculations for pipework. Additionaly, "
            "related parameters such as Reynolds, fluid velocity, average residence time, "
            "etcetera are presented. The Pressure Drop calculation takes into account other "
            "components as well. It requests the user for input about bends, elbows and "
            "other appendages/equipment components, which induce extra pressure loss. The "
            "program represents the total resistance in terms of equivalent pipe length "
            "values."));
    QCOMPARE(help->Label2()->text(), QStringLiteral("Have fun!"));
    QTest::mouseClick(help->Command1(), Qt::LeftButton);
    flushDeletes();
    QVERIFY(!help);
}

void TestAbout::screenshots()
{
    const QString dir = qEnvironmentVariable("ZEPTOR_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("ZEPTOR_SCREENSHOT_DIR not set");
    TestProgram program{TestProgram::ProcedureWithSplash};
    frmAbout &about = program.main().About();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(about.grab().save(QDir(dir).filePath(QStringLiteral("about.png"))));
    program.main().mnuHelpContents_Click();
    frmHelpScreen *help = program.main().findChild<frmHelpScreen *>();
    QVERIFY(help && QTest::qWaitForWindowExposed(help));
    QVERIFY(help->grab().save(QDir(dir).filePath(QStringLiteral("help.png"))));
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
