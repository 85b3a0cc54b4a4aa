// The dialogs on screen: what each shows and what it gives back.
#include "shell/qtdialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Acts on the next modal dialog of type D as soon as it is open; `act` closes it.
template<class D>
int whenOpen(std::function<void(D *)> act, std::function<void()> run)
{
    int seen = 0;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            ++seen;
            act(dialog);
        }
    });
    poll.start();
    run();
    return seen;
}

} // namespace

class tst_QtDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void promptText_data();
    void promptText();
    void inputBox_data();
    void inputBox();
    void messageBox_data();
    void messageBox();
    void messageTextIsBounded_data();
    void messageTextIsBounded();
    void longMessageIsShownBounded();
    void question_data();
    void question();
    void openFileName();
    void saveFileName();
    void saveAsksBeforeOverwriting();

private:
    QtDialogs m_dialogs;
};

void tst_QtDialogs::promptText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("carriage return") << "Sorry, only numbers\rPlease enter a value ..."
                                     << "Sorry, only numbers\nPlease enter a value ...";
    QTest::newRow("CR LF") << "a\r\nb"
                           << "a\nb";
    QTest::newRow("plain") << "Input"
                           << "Input";
}

void tst_QtDialogs::promptText()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(QtDialogs::promptText(message), shown);
}

void tst_QtDialogs::inputBox_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("result");
    QTest::newRow("OK gives the text") << true << "12.5";
    QTest::newRow("Cancel gives the empty text") << false << "";
}

void tst_QtDialogs::inputBox()
{
    QFETCH(bool, accept);
    QFETCH(QString, result);
    QString answer;
    const int seen = whenOpen<QInputDialog>(
        [&](QInputDialog *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Input"));
            QCOMPARE(dialog->labelText(), QStringLiteral("Sorry\nPlease enter a value ..."));
            QCOMPARE(dialog->textValue(), QStringLiteral("0"));
            dialog->setTextValue(QStringLiteral("12.5"));
            accept ? dialog->accept() : dialog->reject();
        },
        [&] {
            answer = m_dialogs.inputBox(QStringLiteral("Sorry\rPlease enter a value ..."),
                QStringLiteral("Input"), QStringLiteral("0"));
        });
    QCOMPARE(seen, 1);
    QCOMPARE(answer, result);
}

void tst_QtDialogs::messageBox_data()
{
    QTest::addColumn<bool>("warning");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shownTitle");
    QTest::newRow("plain, application title") << false << ""
                                              << "Zeptor";
    QTest::newRow("warning, own title") << true << "Print"
                                        << "Print";
}

void tst_QtDialogs::messageBox()
{
    QFETCH(bool, warning);
    QFETCH(QString, title);
    QFETCH(QString, shownTitle);
    const int seen = whenOpen<QMessageBox>(
        [&](QMessageBox *box) {
            QCOMPARE(box->windowTitle(), shownTitle);
            QCOMPARE(box->text(), QStringLiteral("Maximum value is 5 ..."));
            QCOMPARE(box->icon(), warning ? QMessageBox::Warning : QMessageBox::NoIcon);
            QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            box->button(QMessageBox::Ok)->click();
        },
        [&] {
            m_dialogs.messageBox(QStringLiteral("Maximum value is 5 ..."),
                warning ? Dialogs::Icon::Warning : Dialogs::Icon::None, title);
        });
    QCOMPARE(seen, 1);
}

void tst_QtDialogs::messageTextIsBounded_data()
{
    QTest::addColumn<QString>("text");
    const qsizetype word = QtDialogs::MaxWordLength;
    QTest::newRow("short words") << "Cannot read C:\\cases\\pump.dvl: line 3";
    QTest::newRow("one word of the longest length") << QString(word, QLatin1Char('x'));
    QTest::newRow("one very long word") << QString(50000, QLatin1Char('x'));
    QTest::newRow("long word among short ones") << QStringLiteral("File ")
            + QString(3 * word + 5, QLatin1Char('/')) + QStringLiteral(" not found");
    QTest::newRow("many short words") << QStringLiteral("word ").repeated(5000);
}

// However long the message, no line runs longer than a word may and the whole stays
// within bounds; what fits is shown unchanged.
void tst_QtDialogs::messageTextIsBounded()
{
    QFETCH(QString, text);
    const QString shown = QtDialogs::messageText(text);
    QVERIFY(shown.size()
        <= QtDialogs::MaxMessageLength + QtDialogs::MaxMessageLength / QtDialogs::MaxWordLength);
    for (const QString &word : shown.split(QRegularExpression(QStringLiteral("\\s+"))))
        QVERIFY2(word.size() <= QtDialogs::MaxWordLength, qPrintable(QString::number(word.size())));
    QString joined = shown;
    joined.remove(QLatin1Char('\n'));
    if (text.size() <= QtDialogs::MaxMessageLength && !text.contains(QLatin1Char('\n'))) {
        QCOMPARE(joined, text);
        if (text.size() <= QtDialogs::MaxWordLength)
            QCOMPARE(shown, text);
    } else {
        QVERIFY(text.startsWith(joined.chopped(1)));
        QVERIFY(shown.endsWith(QChar(0x2026)));
    }
}

void tst_QtDialogs::longMessageIsShownBounded()
{
    const QString text(100000, QLatin1Char('9'));
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    const int seen = whenOpen<QMessageBox>(
        [&](QMessageBox *box) {
            shown = box->text();
            format = box->textFormat();
            box->button(QMessageBox::Ok)->click();
        },
        [&] { m_dialogs.messageBox(text, Dialogs::Icon::Warning); });
    QCOMPARE(seen, 1);
    QCOMPARE(shown, QtDialogs::messageText(text));
    QCOMPARE(format, Qt::PlainText);
}

void tst_QtDialogs::question_data()
{
    QTest::addColumn<int>("button"); // QMessageBox::Yes or No, or 0 for Enter
    QTest::addColumn<bool>("answer");
    QTest::newRow("Yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("No") << int(QMessageBox::No) << false;
    QTest::newRow("Enter answers No") << 0 << false;
}

void tst_QtDialogs::question()
{
    QFETCH(int, button);
    QFETCH(bool, answer);
    bool result = !answer;
    const QString text = QStringLiteral("/tmp/new.dvl already exists.\nDo you want to replace it?");
    const int seen = whenOpen<QMessageBox>(
        [&](QMessageBox *box) {
            QCOMPARE(box->windowTitle(), QStringLiteral("Zeptor"));
            QCOMPARE(box->text(), text);
            QCOMPARE(box->standardButtons(),
                QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
            if (button == 0)
                QTest::keyClick(box, Qt::Key_Return);
            else
                box->button(QMessageBox::StandardButton(button))->click();
        },
        [&] { result = m_dialogs.question(text); });
    QCOMPARE(seen, 1);
    QCOMPARE(result, answer);
}

void tst_QtDialogs::openFileName()
{
    QString chosen = QStringLiteral("unchanged");
    const int seen = whenOpen<QFileDialog>(
        [](QFileDialog *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Zeptor Files"));
            QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("Zeptor (*.dvl)")});
            QCOMPARE(dialog->defaultSuffix(), QStringLiteral("dvl"));
            QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
            dialog->reject();
        },
        [&] { chosen = m_dialogs.openFileName(Dialogs::FileDialogSetup{}); });
    QCOMPARE(seen, 1);
    QCOMPARE(chosen, QString());
}

void tst_QtDialogs::saveFileName()
{
    QTemporaryDir dir;
    QString chosen;
    const int seen = whenOpen<QFileDialog>(
        [&](QFileDialog *dialog) {
            QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
            QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
            dialog->setDirectory(dir.path());
            dialog->selectFile(QStringLiteral("pump"));
            static_cast<QDialog *>(dialog)->accept(); // as the Save button does
        },
        [&] { chosen = m_dialogs.saveFileName(Dialogs::FileDialogSetup{}); });
    QCOMPARE(seen, 1);
    QCOMPARE(chosen, dir.filePath(QStringLiteral("pump.dvl")));
}

// An existing file is replaced only after a question; "No" keeps the dialog open.
void tst_QtDialogs::saveAsksBeforeOverwriting()
{
    QTemporaryDir dir;
    QFile existing(dir.filePath(QStringLiteral("case.dvl")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();

    int questions = 0;
    bool pressed = false;
    QString chosen = QStringLiteral("unchanged");
    QTimer poll;
    poll.setInterval(5);
    connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            ++questions;
            pressed = false;
            box->button(QMessageBox::No)->click();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal); dialog && !pressed) {
            // The question opens inside the Save button's handler: press it from the
            // event loop, so that this timer can answer the question.
            pressed = true;
            if (questions == 0) {
                dialog->setDirectory(dir.path());
                dialog->selectFile(QStringLiteral("case.dvl"));
                QMetaObject::invokeMethod(
                    dialog, [dialog] { static_cast<QDialog *>(dialog)->accept(); },
                    Qt::QueuedConnection);
            } else {
                dialog->reject();
            }
        }
    });
    poll.start();
    chosen = m_dialogs.saveFileName(Dialogs::FileDialogSetup{});
    poll.stop();
    QCOMPARE(questions, 1);
    QCOMPARE(chosen, QString());
}

QTEST_MAIN(tst_QtDialogs)
#include "tst_qtdialogs.moc"
