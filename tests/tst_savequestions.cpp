// Save asks before it replaces a file this run has not loaded or written, or one that
// changed on disk since; Load of a named pipe neither waits nor fails silently.

#include "project/dvlfile.h"
#include "support/testprogram.h"

#include <QFile>
#include <QTest>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace WindowTest;

namespace {

const QByteArray Foreign = "written by someone else\r\n";

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestSaveQuestions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void saveOverAFileNotOfThisRun_data();
    void saveOverAFileNotOfThisRun();
    void knownUnchangedFileIsSavedWithoutAQuestion_data();
    void knownUnchangedFileIsSavedWithoutAQuestion();
    void loadOfANamedPipeDoesNotWait();
};

void TestSaveQuestions::saveOverAFileNotOfThisRun_data()
{
    QTest::addColumn<QString>("history"); // what happened to the file before Save
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("asked");
    QTest::newRow("yesterday's new.dvl, No") << "yesterday" << false << "already exists";
    QTest::newRow("yesterday's new.dvl, Yes") << "yesterday" << true << "already exists";
    QTest::newRow("loaded, then changed by another program, No") << "loaded" << false << "changed";
    QTest::newRow("saved, then changed by a second instance, Yes") << "saved" << true << "changed";
}

void TestSaveQuestions::saveOverAFileNotOfThisRun()
{
    QFETCH(QString, history);
    QFETCH(bool, yes);
    QFETCH(QString, asked);
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    QString path = program.path(QStringLiteral("new.dvl"));
    if (history == QLatin1String("loaded")) {
        path = program.path(QStringLiteral("case.dvl"));
        writeBytes(path, DvlFile::format(ProjectCase::fromGeneral(program.general)));
        program.dialogs.openAnswers << path;
        main.FileLoad_Click();
    } else if (history == QLatin1String("saved")) {
        path = program.path(QStringLiteral("case.dvl"));
        program.dialogs.saveAnswers << path;
        main.FileSaveAs_Click();
    }
    QVERIFY(program.dialogs.questions.isEmpty());
    writeBytes(path, Foreign);

    program.dialogs.questionAnswers << yes;
    main.FileSave_Click();

    QCOMPARE(program.dialogs.questions.size(), 1);
    const QString question = program.dialogs.questions.first();
    QVERIFY2(question.contains(QDir::toNativeSeparators(path)), qPrintable(question));
    QVERIFY2(question.contains(asked), qPrintable(question));
    QVERIFY(program.dialogs.messages.isEmpty());
    const QByteArray onDisk = readFile(path);
    if (!yes) {
        QCOMPARE(onDisk, Foreign);
        return;
    }
    QCOMPARE(onDisk, DvlFile::format(ProjectCase::fromGeneral(program.general)));
    // Written by this run now: the next Save asks nothing.
    main.FileSave_Click();
    QCOMPARE(program.dialogs.questions.size(), 1);
}

void TestSaveQuestions::knownUnchangedFileIsSavedWithoutAQuestion_data()
{
    QTest::addColumn<QString>("history");
    QTest::newRow("nothing there yet") << "none";
    QTest::newRow("saved before") << "saved";
    QTest::newRow("saved as before") << "saved as";
    QTest::newRow("loaded before") << "loaded";
}

void TestSaveQuestions::knownUnchangedFileIsSavedWithoutAQuestion()
{
    QFETCH(QString, history);
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    QString path = program.path(QStringLiteral("new.dvl"));
    if (history == QLatin1String("saved")) {
        main.FileSave_Click();
    } else if (history == QLatin1String("saved as")) {
        path = program.path(QStringLiteral("case.dvl"));
        program.dialogs.saveAnswers << path;
        main.FileSaveAs_Click();
    } else if (history == QLatin1String("loaded")) {
        path = program.path(QStringLiteral("case.dvl"));
        ProjectCase loaded = ProjectCase::fromGeneral(program.general);
        loaded.entries.FlowRate = 250;
        writeBytes(path, DvlFile::format(loaded));
        program.dialogs.openAnswers << path;
        main.FileLoad_Click();
    }
    typeAndLeave(main.Text0(1), QStringLiteral("300"));

    main.FileSave_Click();

    QVERIFY2(program.dialogs.questions.isEmpty(), qPrintable(program.dialogs.questions.join('\n')));
    QVERIFY(program.dialogs.messages.isEmpty());
    QVERIFY(readFile(path).startsWith("300\r\n"));
}

// A named pipe blocks a reader until a writer comes. Should the load open it, the
// watchdog plays the writer, so that the test fails instead of hanging.
void TestSaveQuestions::loadOfANamedPipeDoesNotWait()
{
    TestProgram program{TestProgram::Procedure};
    frmStart &main = program.main();
    const QString pipe = program.path(QStringLiteral("pipe.dvl"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    const QString caption = main.windowTitle();

    std::atomic<bool> done = false;
    std::atomic<bool> rescued = false;
    std::thread watchdog([&] {
        for (int i = 0; i < 100 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (done)
            return;
        rescued = true;
        const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    });
    program.dialogs.openAnswers << pipe;
    main.FileLoad_Click();
    done = true;
    watchdog.join();

    QVERIFY2(!rescued, "Load waited for a writer on the named pipe");
    QCOMPARE(program.dialogs.messages.size(), 1);
    const QString message = program.dialogs.messages.first().text;
    QVERIFY2(message.contains(QDir::toNativeSeparators(pipe)), qPrintable(message));
    QCOMPARE(program.dialogs.messages.first().icon, Dialogs::Icon::Warning);
    QCOMPARE(main.windowTitle(), caption);
}

QTEST_MAIN(TestSaveQuestions)
#include "tst_savequestions.moc"
