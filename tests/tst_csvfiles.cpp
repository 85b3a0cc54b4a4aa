// Pump files and pipe tables: one way of reading the file, one set of CSV rules.
#include "curve/pumpcurve.h"
#include "sizing/pipetable.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QStringList Readers = {QStringLiteral("pump"), QStringLiteral("pipes")};

// The reader's message, empty when it took the file.
QString parseError(const QString &reader, const QByteArray &bytes)
{
    if (reader == Readers[0])
        return PumpCurve::fromCsv(bytes, QStringLiteral("f.csv")).error;
    return PipeTable::parse(bytes, QStringLiteral("f.csv")).errorMessage;
}

QString loadError(const QString &reader, const QString &path)
{
    if (reader == Readers[0])
        return PumpCurve::load(path).error;
    return PipeTable::load(path).errorMessage;
}

// 100000 rows, over a mebibyte.
QByteArray largeFile(const QString &reader)
{
    const bool pump = reader == Readers[0];
    QByteArray out = pump ? "flow [l/h],head [m]\n" : "size,inner diameter [mm]\n";
    for (int i = 1; i <= 100000; ++i)
        out += (pump ? QByteArray::number(i) : "DN " + QByteArray::number(i)) + ",20.5\n";
    return out;
}

} // namespace

class tst_CsvFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contents_data();
    void contents();
    void specialFilesAreRefused_data();
    void specialFilesAreRefused();
    void sizeLimit();
};

void tst_CsvFiles::contents_data()
{
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected"); // the start of the message; empty: accepted
    const QByteArray points = "0,10\n1,9\n2,8\n";
    const QByteArray pipe = "DN 50,54.5\n";
    QTest::newRow("pump: quoted header") << "pump"
                                         << "\"Flow [l/h]\",\"head [m]\"\n" + points << "";
    QTest::newRow("pipes: quoted header") << "pipes"
                                          << "\"size\",\"inner diameter [mm]\"\n" + pipe << "";
    QTest::newRow("pump: case, blanks") << "pump"
                                        << " FLOW [L/H] ,\tHead [M] \r\n" + points << "";
    QTest::newRow("pipes: case, blanks") << "pipes"
                                         << "\n SIZE , Inner Diameter [MM] \r\n" + pipe << "";
    QTest::newRow("pump: long cell")
        << "pump"
        << "flow [l/h],head [m]\n0,10\n1," + QByteArray(1 << 20, '9') + "x\n"
        << "f.csv, line 3: \"" + QString(40, QLatin1Char('9')) + "...\" is not a number";
    QTest::newRow("pipes: escape sequence")
        << "pipes" << QByteArray("size,inner diameter [mm]\nDN 50,\x1B[2J\n")
        << "f.csv, line 2: \"\\x1B[2J\" is not a number";
    QTest::newRow("pump: escape in header")
        << "pump" << QByteArray("flow [l/h],head [m]\x1B[31m\n")
        << "f.csv, line 1: unknown column \"head [m]\\x1B[31m\"";
    QTest::newRow("pump: line separator") << "pump"
                                          << QByteArray("flow [l/h],head [m]\n0,10\n1,9\xE2\x80\xA8"
                                                        "5\n")
                                          << "f.csv, line 3: \"9\\u20285\" is not a number";
    QTest::newRow("pipes: text after quotes")
        << "pipes" << QByteArray("size,inner diameter [mm]\n\"DN 50\" x,54.5\n")
        << "f.csv, line 2: unexpected characters after the closing double quote";
}

void tst_CsvFiles::contents()
{
    QFETCH(QString, reader);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    const QString error = parseError(reader, bytes);
    if (expected.isEmpty())
        QCOMPARE(error, QString());
    else
        QVERIFY2(error.startsWith(expected), qPrintable(error));
}

void tst_CsvFiles::specialFilesAreRefused_data()
{
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");
    for (const QString &reader : Readers) {
        QTest::addRow("%s: named pipe", qPrintable(reader)) << reader << "fifo"
                                                            << "a named pipe";
        QTest::addRow("%s: device", qPrintable(reader)) << reader << "/dev/zero"
                                                        << "a device";
        QTest::addRow("%s: folder", qPrintable(reader)) << reader << "folder"
                                                        << "a directory";
    }
}

// A named pipe without a writer would block the reader forever. Should the load block,
// the test opens the pipe's other end itself, so that it fails instead of hanging.
void tst_CsvFiles::specialFilesAreRefused()
{
    QFETCH(QString, reader);
    QFETCH(QString, kind);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QString path = dir.path();
    if (kind == QLatin1String("fifo")) {
        path = dir.filePath(QStringLiteral("special.csv"));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    } else if (kind.startsWith(QLatin1Char('/'))) {
        path = kind;
    }
    auto loading = std::async(std::launch::async, [&] { return loadError(reader, path); });
    const bool blocked = loading.wait_for(std::chrono::seconds(10)) != std::future_status::ready;
    if (blocked) {
        const int writer = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    const QString error = loading.get();
    QVERIFY2(!blocked, "the load waited for a writer");
    QVERIFY2(error.startsWith(path + QStringLiteral(" cannot be read: it is ") + expected
                 + QStringLiteral(", not a regular file")),
        qPrintable(error));
}

// A table of 100000 rows is read; a file over 16 MiB is refused unread.
void tst_CsvFiles::sizeLimit()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.csv"));
    for (const QString &reader : Readers) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(file.write(largeFile(reader)) > 1 << 20);
        file.close();
        QCOMPARE(loadError(reader, path), QString());

        QVERIFY(file.resize((16 << 20) + 1));
        const QString error = loadError(reader, path);
        QVERIFY2(error.startsWith(path + QStringLiteral(" is too large")), qPrintable(error));
    }
}

QTEST_GUILESS_MAIN(tst_CsvFiles)
#include "tst_csvfiles.moc"
