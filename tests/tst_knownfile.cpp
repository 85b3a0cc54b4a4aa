// When Save may replace a file without a question: only the file this run last loaded or
// wrote, as it was then.
#include "project/knownfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size();
}

} // namespace

class tst_KnownFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void questionBeforeSave_data();
    void questionBeforeSave();
};

void tst_KnownFile::questionBeforeSave_data()
{
    // What happens to the file between remembering it and saving, and what Save asks.
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("asks"); // "", "exists" or "changed"
    QTest::newRow("nothing: saved at once") << "none"
                                            << "";
    QTest::newRow("nothing known yet, file there") << "unknown"
                                                   << "exists";
    QTest::newRow("another file of that name") << "other name"
                                               << "exists";
    QTest::newRow("rewritten, other size") << "other size"
                                           << "changed";
    QTest::newRow("rewritten, same size, later time") << "same size"
                                                      << "changed";
    QTest::newRow("deleted: nothing to replace") << "deleted"
                                                 << "";
    QTest::newRow("now a directory: the save refuses it") << "directory"
                                                          << "";
    QTest::newRow("now a named pipe: the save refuses it") << "fifo"
                                                           << "";
    QTest::newRow("same file by a relative name") << "relative"
                                                  << "";
}

void tst_KnownFile::questionBeforeSave()
{
    QFETCH(QString, change);
    QFETCH(QString, asks);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("case.dvl"));
    QVERIFY(writeFile(path, "first contents"));
    KnownFile known;
    if (change != QLatin1String("unknown"))
        known.remember(path);
    QString savedTo = path;

    if (change == QLatin1String("other name")) {
        savedTo = dir.filePath(QStringLiteral("other.dvl"));
        QVERIFY(writeFile(savedTo, "first contents"));
    } else if (change == QLatin1String("other size")) {
        QVERIFY(writeFile(path, "second, longer contents"));
    } else if (change == QLatin1String("same size")) {
        QVERIFY(writeFile(path, "other contents"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(
            QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    } else if (change == QLatin1String("deleted")) {
        QVERIFY(QFile::remove(path));
    } else if (change == QLatin1String("directory")) {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("case.dvl")));
    } else if (change == QLatin1String("fifo")) {
        QVERIFY(QFile::remove(path));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    } else if (change == QLatin1String("relative")) {
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const QString question = known.questionBeforeSave(QStringLiteral("./case.dvl"));
        QDir::setCurrent(previous);
        QCOMPARE(question, QString());
        return;
    }

    const QString question = known.questionBeforeSave(savedTo);
    if (asks.isEmpty()) {
        QCOMPARE(question, QString());
        return;
    }
    // The question names the file as the messages do, and asks as the save dialog does.
    QVERIFY2(question.startsWith(QDir::toNativeSeparators(savedTo)), qPrintable(question));
    QVERIFY2(question.endsWith(QStringLiteral("Do you want to replace it?")), qPrintable(question));
    QCOMPARE(question.contains(QStringLiteral("already exists")), asks == QLatin1String("exists"));
    QCOMPARE(question.contains(QStringLiteral("changed")), asks == QLatin1String("changed"));

    // Once written again, the file is known as it now is.
    if (QFile::exists(savedTo)) {
        known.remember(savedTo);
        QCOMPARE(known.questionBeforeSave(savedTo), QString());
    }
}

QTEST_GUILESS_MAIN(tst_KnownFile)
#include "tst_knownfile.moc"
