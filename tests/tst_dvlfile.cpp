#include "calc/basgeneral.h"
#include "project/dvlfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// The 32 lines of a file, joined with CR LF and ended by one.
QByteArray fileOf(const QList<QByteArray> &lines, const QByteArray &end = "\r\n")
{
    QByteArray out;
    for (const QByteArray &line : lines)
        out += line + end;
    return out;
}

QList<QByteArray> startLines()
{
    QList<QByteArray> lines = {"100", "1000", "1", "100", "0", "0", "0", "0.01", "\"new.dvl\"",
        "\"\"", "\"\"", "\"\"", "#2026-12-07#"};
    for (int i = 0; i < 19; ++i)
        lines << "0";
    return lines;
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

QByteArray contentsOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The type bits of a path itself (a link is not followed), or 0 when it is missing.
mode_t typeOf(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

// Makes a named pipe, a device node (root only) or a link to a named pipe at `path`;
// false when this system or user cannot.
bool makeSpecialFile(const QString &kind, const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (kind == QLatin1String("pipe"))
        return ::mkfifo(name.constData(), 0644) == 0;
    if (kind == QLatin1String("device")) // the null device, a harmless one to replace
        return ::mknod(name.constData(), S_IFCHR | 0644, makedev(1, 3)) == 0;
    const QByteArray target = name + ".fifo";
    return ::mkfifo(target.constData(), 0644) == 0
        && ::symlink(target.constData(), name.constData()) == 0;
}

} // namespace

class tst_DvlFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesStartCaseExactly();
    void numberText_data();
    void numberText();
    void readsEveryNotation_data();
    void readsEveryNotation();
    void roundTripOfTypedCase_data();
    void roundTripOfTypedCase();
    void randomDoublesReadBackBitIdentical();
    void quoteAndLineBreakInTextStillReadBack();
    void windows1252Fallback();
    void malformedFiles_data();
    void malformedFiles();
    void unreadableFiles();
    void failedSaveKeepsOldFile();
    void failedWriteIsReported();
    void saveRefusesSpecialFiles_data();
    void saveRefusesSpecialFiles();
    void saveKeepsModeAndOwner_data();
    void saveKeepsModeAndOwner();
    void loadRefusesSpecialFiles_data();
    void loadRefusesSpecialFiles();
    void badValuesQuotedShort_data();
    void badValuesQuotedShort();
    void utf16IsNamed_data();
    void utf16IsNamed();
    void caseAndSharedState();
    void notationIgnoresTheLocale();
};

void tst_DvlFile::writesStartCaseExactly()
{
    ProjectCase c;
    c.date = {QDate(2026, 12, 7), {}, false};
    QCOMPARE(DvlFile::format(c), fileOf(startLines()));
    QCOMPARE(DvlFile::format(c).count("\r\n"), DvlFile::ValueCount);

    c.date = {QDate(2026, 1, 2), QTime(3, 4, 5), true};
    QVERIFY(DvlFile::format(c).contains("\r\n#2026-01-02 03:04:05#\r\n"));
}

void tst_DvlFile::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("whole") << 100.0 << QByteArray("100");
    QTest::newRow("fraction") << 0.01 << QByteArray("0.01");
    QTest::newRow("negative") << -2.5 << QByteArray("-2.5");
    QTest::newRow("zero") << 0.0 << QByteArray("0");
    QTest::newRow("negative zero") << -0.0 << QByteArray("-0");
    QTest::newRow("decimal lower bound") << 1e-4 << QByteArray("0.0001");
    QTest::newRow("below decimal range") << 1e-5 << QByteArray("1E-05");
    QTest::newRow("small mantissa") << 1.5e-7 << QByteArray("1.5E-07");
    QTest::newRow("largest decimal") << 999999999999999.0 << QByteArray("999999999999999");
    QTest::newRow("exponent upper bound") << 1e15 << QByteArray("1E+15");
    QTest::newRow("large") << 1.5e20 << QByteArray("1.5E+20");
    QTest::newRow("three digit exponent") << 1e300 << QByteArray("1E+300");
    QTest::newRow("17 digits") << 0.1 + 0.2 << QByteArray("0.30000000000000004");
    QTest::newRow("subnormal") << 5e-324 << QByteArray("5E-324");
}

void tst_DvlFile::numberText()
{
    QFETCH(double, value);
    QFETCH(QByteArray, text);
    QCOMPARE(DvlFile::numberText(value), text);
}

void tst_DvlFile::readsEveryNotation_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<double>("flow");
    QTest::addColumn<double>("elevation");
    QTest::addColumn<double>("roughness");
    QTest::addColumn<QString>("project");
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<qint16>("firstBend");

    const QList<QByteArray> base = startLines();
    auto with = [&](std::initializer_list<std::pair<int, QByteArray>> changes) {
        QList<QByteArray> lines = base;
        for (const auto &[line, text] : changes)
            lines[line - 1] = text;
        return lines;
    };
    const QDate d(2026, 12, 7);

    QTest::newRow("as written") << fileOf(base) << 100.0 << 0.0 << 0.01 << ""
                                << "" << d << QTime() << qint16(0);
    QTest::newRow("no leading zero") << fileOf(with({{8, ".01"}})) << 100.0 << 0.0 << 0.01 << ""
                                     << "" << d << QTime() << qint16(0);
    QTest::newRow("exponent forms")
        << fileOf(with({{1, "1E+02"}, {8, "1e-2"}})) << 100.0 << 0.0 << 0.01 << ""
        << "" << d << QTime() << qint16(0);
    QTest::newRow("negative elevation")
        << fileOf(with({{6, "-2.5"}})) << 100.0 << -2.5 << 0.01 << ""
        << "" << d << QTime() << qint16(0);
    QTest::newRow("plus sign and trailing point")
        << fileOf(with({{1, "+100."}})) << 100.0 << 0.0 << 0.01 << ""
        << "" << d << QTime() << qint16(0);
    QTest::newRow("blanks before and after")
        << fileOf(with({{1, "   100  "}, {10, "  \"P\"  "}})) << 100.0 << 0.0 << 0.01 << "P"
        << "" << d << QTime() << qint16(0);
    QTest::newRow("commas in texts")
        << fileOf(with({{10, "\"Pump, north, 2\""}, {12, "\"Smith, J.\""}})) << 100.0 << 0.0 << 0.01
        << "Pump, north, 2"
        << "Smith, J." << d << QTime() << qint16(0);
    QTest::newRow("date with time")
        << fileOf(with({{13, "#2026-12-07 14:30:05#"}})) << 100.0 << 0.0 << 0.01 << ""
        << "" << d << QTime(14, 30, 5) << qint16(0);
    QTest::newRow("time without seconds")
        << fileOf(with({{13, "#2026-12-07 14:30#"}})) << 100.0 << 0.0 << 0.01 << ""
        << "" << d << QTime(14, 30) << qint16(0);
    QTest::newRow("midnight keeps its time")
        << fileOf(with({{13, "#2026-12-07 00:00:00#"}})) << 100.0 << 0.0 << 0.01 << ""
        << "" << d << QTime(0, 0) << qint16(0);
    QTest::newRow("count at 16-bit limit")
        << fileOf(with({{14, "32767"}})) << 100.0 << 0.0 << 0.01 << ""
        << "" << d << QTime() << qint16(32767);
    QTest::newRow("negative zero count") << fileOf(with({{14, "-0"}})) << 100.0 << 0.0 << 0.01 << ""
                                         << "" << d << QTime() << qint16(0);
    QTest::newRow("LF line ends") << fileOf(base, "\n") << 100.0 << 0.0 << 0.01 << ""
                                  << "" << d << QTime() << qint16(0);
    QTest::newRow("no final line end") << fileOf(base).chopped(2) << 100.0 << 0.0 << 0.01 << ""
                                       << "" << d << QTime() << qint16(0);
    QTest::newRow("blank lines after the last value") << fileOf(base) + "\r\n  \r\n"
                                                      << 100.0 << 0.0 << 0.01 << ""
                                                      << "" << d << QTime() << qint16(0);
    QTest::newRow("UTF-8 text") << fileOf(with({{10, "\"Pömpe Ø50 – €\""}})) << 100.0 << 0.0 << 0.01
                                << QString::fromUtf8("Pömpe Ø50 – €") << "" << d << QTime()
                                << qint16(0);
    QTest::newRow("UTF-8 byte order mark")
        << "\xEF\xBB\xBF" + fileOf(base) << 100.0 << 0.0 << 0.01 << ""
        << "" << d << QTime() << qint16(0);

    // Values end at commas too: two values on one line read as two lines would.
    QList<QByteArray> joined = base;
    joined[0] = "100, 1000";
    joined.removeAt(1);
    QTest::newRow("two values on one line") << fileOf(joined) << 100.0 << 0.0 << 0.01 << ""
                                            << "" << d << QTime() << qint16(0);
}

void tst_DvlFile::readsEveryNotation()
{
    QFETCH(QByteArray, bytes);
    const DvlFile::LoadResult r = DvlFile::parse(bytes, QStringLiteral("case.dvl"));
    QVERIFY2(r.ok(), qPrintable(r.errorMessage));
    const ProjectCase &c = *r.projectCase;
    QTEST(c.entries.FlowRate, "flow");
    QTEST(c.entries.Elevation, "elevation");
    QTEST(c.entries.WallRoughness, "roughness");
    QCOMPARE(c.entries.Density, 1000.0);
    QTEST(c.projectName, "project");
    QTEST(c.owner, "owner");
    QCOMPARE(c.pipeName, QString());
    QTEST(c.date.date, "date");
    QFETCH(QTime, time);
    QCOMPARE(c.date.hasTime, time.isValid());
    if (time.isValid())
        QCOMPARE(c.date.time, time);
    QTEST(c.bendCounts[0], "firstBend");
    QCOMPARE(c.valveCounts[12], qint16(0));
}

void tst_DvlFile::roundTripOfTypedCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty texts") << QString();
    QTest::newRow("commas") << QStringLiteral("Line 7, pump P-101, north");
    QTest::newRow("non-ASCII") << QString::fromUtf8("Größe Ø 50 – 10 m³/h, ½ €");
    QTest::newRow("leading blanks") << QStringLiteral("  indented");
    QTest::newRow("number signs") << QStringLiteral("#1 #2");
}

void tst_DvlFile::roundTripOfTypedCase()
{
    QFETCH(QString, text);
    ProjectCase c;
    c.entries = {2500.5, 998.2, 0.89, 52.5, 120, -12.75, 0.35, 0.045};
    c.fileName = QStringLiteral("/data/cases/") + text + QStringLiteral(".dvl");
    c.projectName = text;
    c.pipeName = text;
    c.owner = text;
    c.date = {QDate(1999, 2, 28), QTime(23, 59, 59), true};
    c.bendCounts = {1, 2, 3, 4, 5, 6};
    c.valveCounts = {999, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 32767};
    const DvlFile::LoadResult r = DvlFile::parse(DvlFile::format(c), QStringLiteral("x.dvl"));
    QVERIFY2(r.ok(), qPrintable(r.errorMessage));
    QVERIFY(*r.projectCase == c);
}

void tst_DvlFile::randomDoublesReadBackBitIdentical()
{
    QRandomGenerator random(20261207);
    int checked = 0;
    while (checked < 40000) {
        ProjectCase c;
        double *entries[8] = {&c.entries.FlowRate, &c.entries.Density, &c.entries.Viscosity,
            &c.entries.InnerDiameter, &c.entries.PipeLength, &c.entries.Elevation,
            &c.entries.ExtraLoss, &c.entries.WallRoughness};
        for (double *entry : entries) {
            // Half random bit patterns (every magnitude), half values as typed.
            double v = 0;
            do {
                const quint64 bits = random.generate64();
                std::memcpy(&v, &bits, sizeof v);
            } while (!std::isfinite(v));
            if (random.bounded(2))
                v = std::round(random.generateDouble() * 1e6) / std::pow(10, random.bounded(9));
            *entry = v;
        }
        const QByteArray bytes = DvlFile::format(c);
        const DvlFile::LoadResult r = DvlFile::parse(bytes, QStringLiteral("random.dvl"));
        QVERIFY2(r.ok(), qPrintable(r.errorMessage));
        for (int i = 0; i < 8; ++i) {
            const double back = *(&r.projectCase->entries.FlowRate + i);
            if (!sameBits(*entries[i], back))
                QFAIL(qPrintable(QStringLiteral("%1 read back as %2")
                                     .arg(*entries[i], 0, 'g', 17)
                                     .arg(back, 0, 'g', 17)));
        }
        checked += 8;
    }
}

void tst_DvlFile::quoteAndLineBreakInTextStillReadBack()
{
    ProjectCase c;
    c.projectName = QStringLiteral("6\" line");
    c.owner = QStringLiteral("first\r\nsecond\nthird");
    const QByteArray bytes = DvlFile::format(c);
    QCOMPARE(bytes.count("\r\n"), DvlFile::ValueCount);
    const DvlFile::LoadResult r = DvlFile::parse(bytes, QStringLiteral("q.dvl"));
    QVERIFY2(r.ok(), qPrintable(r.errorMessage));
    QCOMPARE(r.projectCase->projectName, QStringLiteral("6' line"));
    QCOMPARE(r.projectCase->owner, QStringLiteral("first second third"));
}

void tst_DvlFile::windows1252Fallback()
{
    QList<QByteArray> lines = startLines();
    lines[9] = "\"Pomp\xE9 \x80 \x93quoted\x94\""; // é € “ ” in Windows-1252
    const DvlFile::LoadResult r = DvlFile::parse(fileOf(lines), QStringLiteral("old.dvl"));
    QVERIFY2(r.ok(), qPrintable(r.errorMessage));
    QCOMPARE(r.projectCase->projectName, QString::fromUtf8("Pompé € “quoted”"));
}

void tst_DvlFile::malformedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("fragment");

    const QList<QByteArray> base = startLines();
    auto with = [&](int line, const QByteArray &text) {
        QList<QByteArray> lines = base;
        lines[line - 1] = text;
        return fileOf(lines);
    };

    QTest::newRow("empty file") << QByteArray() << 1 << "flow rate";
    QTest::newRow("31 values") << fileOf(base.mid(0, 31)) << 32 << "ends after 31 of the 32 values";
    QTest::newRow("text for a number") << with(2, "abc") << 2 << "\"abc\" is not a number";
    QTest::newRow("quoted number") << with(4, "\"50\"") << 4 << "where a number belongs";
    QTest::newRow("locale comma shifts the values")
        << with(5, "2,5") << 12 << "line 5 holds more than one value";
    QTest::newRow("empty number line") << with(6, "") << 6 << "the number is missing";
    QTest::newRow("too large") << with(1, "1E999") << 1 << "\"1E999\" is out of range";
    QTest::newRow("too small") << with(3, "1e-400") << 3 << "\"1e-400\" is out of range";
    QTest::newRow("rounds to zero") << with(8, "-2e-324") << 8 << "is out of range";
    QTest::newRow("nan") << with(1, "nan") << 1 << "is not a number";
    QTest::newRow("two points") << with(1, "1.2.3") << 1 << "is not a number";
    QTest::newRow("unit after number") << with(5, "100 m") << 5 << "is not a number";
    QTest::newRow("unclosed quote") << with(11, "\"pipe") << 11 << "no closing double quote";
    QTest::newRow("text after quote") << with(10, "\"a\"b") << 10 << "after the closing";
    QTest::newRow("month 13") << with(13, "#2026-13-01#") << 13 << "not a date";
    QTest::newRow("day 31 in February") << with(13, "#2026-02-31#") << 13 << "not a date";
    QTest::newRow("local date form") << with(13, "#07.12.2026#") << 13 << "not a date";
    QTest::newRow("bad time") << with(13, "#2026-12-07 25:00:00#") << 13 << "not a date";
    QTest::newRow("date in quotes") << with(13, "\"2026-12-07\"") << 13 << "not a date";
    QTest::newRow("unclosed date") << with(13, "#2026-12-07") << 13 << "no closing #";
    QTest::newRow("count too large") << with(14, "32768") << 14 << "outside 0 to 32767";
    QTest::newRow("count far too large") << with(15, "1e999") << 15 << "outside 0 to 32767";
    // A negative count would subtract from the pressure drop.
    QTest::newRow("negative count") << with(16, "-3") << 16 << "\"-3\" lies outside 0 to 32767";
    QTest::newRow("count at 16-bit minimum") << with(32, "-32768") << 32 << "outside 0 to 32767";
    QTest::newRow("fractional count") << with(20, "2.5") << 20 << "not a whole number";
    QTest::newRow("text for a count") << with(25, "x") << 25 << "Ball valve (spherical plug valve)";
    QTest::newRow("33rd value") << fileOf(base + QList<QByteArray>{"7"}) << 33 << "more follow";
}

void tst_DvlFile::malformedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);
    QFETCH(QString, fragment);
    const QString path = QStringLiteral("/cases/bad case.dvl");
    const DvlFile::LoadResult r = DvlFile::parse(bytes, path);
    QVERIFY(!r.ok());
    const QString message = r.errorMessage;
    QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("line %1").arg(line)), qPrintable(message));
    QVERIFY2(message.contains(fragment), qPrintable(message));
}

void tst_DvlFile::unreadableFiles()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.dvl"));
    DvlFile::LoadResult r = DvlFile::load(missing);
    QVERIFY(!r.ok());
    QVERIFY2(
        r.errorMessage.contains(QDir::toNativeSeparators(missing)), qPrintable(r.errorMessage));

    r = DvlFile::load(dir.path());
    QVERIFY(!r.ok());
    QVERIFY2(
        r.errorMessage.contains(QDir::toNativeSeparators(dir.path())), qPrintable(r.errorMessage));
    QVERIFY2(r.errorMessage.contains(QStringLiteral("directory")), qPrintable(r.errorMessage));

    const QString big = dir.filePath(QStringLiteral("big.dvl"));
    QFile file(big);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2 << 20, '1'));
    file.close();
    r = DvlFile::load(big);
    QVERIFY(!r.ok());
    QVERIFY2(r.errorMessage.contains(QStringLiteral("too large")), qPrintable(r.errorMessage));
}

void tst_DvlFile::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    ProjectCase old;
    old.projectName = QStringLiteral("old");
    const QString path = dir.filePath(QStringLiteral("case.dvl"));
    QVERIFY(DvlFile::save(path, old).ok);
    const QByteArray before = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QCOMPARE(DvlFile::load(path).projectCase->projectName, QStringLiteral("old"));

    ProjectCase changed = old;
    changed.projectName = QStringLiteral("new");

    // A path below a regular file can never be created, whoever runs the test.
    const QString underFile = path + QStringLiteral("/inner.dvl");
    DvlFile::SaveResult s = DvlFile::save(underFile, changed);
    QVERIFY(!s.ok);
    QVERIFY2(
        s.errorMessage.contains(QDir::toNativeSeparators(underFile)), qPrintable(s.errorMessage));

    // A directory where nothing can be created: the old file must survive untouched.
    // Root ignores permissions, so it needs the immutable attribute instead.
    const bool root = ::geteuid() == 0;
    auto lock = [&](bool locked) {
        if (root) {
            return QProcess::execute(QStringLiteral("chattr"),
                       {locked ? QStringLiteral("+i") : QStringLiteral("-i"), dir.path()})
                == 0;
        }
        return QFile::setPermissions(dir.path(),
            locked ? QFileDevice::ReadOwner | QFileDevice::ExeOwner
                   : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    };
    if (lock(true)) {
        s = DvlFile::save(path, changed);
        QVERIFY(lock(false));
        QVERIFY(!s.ok);
        QVERIFY2(
            s.errorMessage.contains(QDir::toNativeSeparators(path)), qPrintable(s.errorMessage));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    } else {
        qWarning("cannot lock the directory; the read-only case is not checked");
    }

    // A case that would not read back is refused before anything is written.
    changed.entries.PipeLength = qInf();
    s = DvlFile::save(path, changed);
    QVERIFY(!s.ok);
    QCOMPARE(DvlFile::load(path).projectCase->projectName, QStringLiteral("old"));
}

// The real write happens when the buffer is flushed; a disk that fills up then (here a
// file size limit of 0, which fails the same way) must fail the save, not leave an
// empty file behind a report of success.
void tst_DvlFile::failedWriteIsReported()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("case.dvl"));
    ProjectCase old;
    old.projectName = QStringLiteral("old");
    QVERIFY(DvlFile::save(path, old).ok);
    const QByteArray before = contentsOf(path);

    ProjectCase changed = old;
    changed.projectName = QStringLiteral("new");
    rlimit limit{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit full{0, limit.rlim_max};
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &full), 0);
    const DvlFile::SaveResult s = DvlFile::save(path, changed);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!s.ok);
    QVERIFY2(s.errorMessage.contains(QDir::toNativeSeparators(path)), qPrintable(s.errorMessage));
    QVERIFY2(s.errorMessage.contains(qt_error_string(EFBIG)), qPrintable(s.errorMessage));
    QCOMPARE(contentsOf(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("case.dvl")});
}

void tst_DvlFile::saveRefusesSpecialFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("named pipe") << "pipe";
    QTest::newRow("device") << "device";
    QTest::newRow("link to a named pipe") << "link";
}

void tst_DvlFile::saveRefusesSpecialFiles()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("special.dvl"));
    if (!makeSpecialFile(kind, path))
        QSKIP("this user cannot make such a file here");
    const mode_t type = typeOf(path);

    const DvlFile::SaveResult s = DvlFile::save(path, ProjectCase());
    QVERIFY(!s.ok);
    QVERIFY2(s.errorMessage.contains(QDir::toNativeSeparators(path)), qPrintable(s.errorMessage));
    QVERIFY2(
        s.errorMessage.contains(QStringLiteral("not a regular file")), qPrintable(s.errorMessage));
    QCOMPARE(typeOf(path), type);
    if (kind == QLatin1String("link"))
        QCOMPARE(typeOf(path + QStringLiteral(".fifo")), mode_t(S_IFIFO));
}

void tst_DvlFile::saveKeepsModeAndOwner_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("otherOwner");
    QTest::addColumn<bool>("viaLink");
    QTest::newRow("private") << 0600 << false << false;
    QTest::newRow("group readable") << 0640 << false << false;
    QTest::newRow("read-only") << 0444 << false << false;
    QTest::newRow("another owner") << 0664 << true << false;
    QTest::newRow("through a link") << 0640 << false << true;
}

void tst_DvlFile::saveKeepsModeAndOwner()
{
    QFETCH(int, mode);
    QFETCH(bool, otherOwner);
    QFETCH(bool, viaLink);
    const bool root = ::geteuid() == 0;
    if (otherOwner && !root)
        QSKIP("only root can give a file to another owner");

    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("case.dvl"));
    const QString path = viaLink ? dir.filePath(QStringLiteral("link.dvl")) : target;
    ProjectCase c;
    c.projectName = QStringLiteral("old");
    QVERIFY(DvlFile::save(target, c).ok);
    if (viaLink)
        QCOMPARE(::symlink("case.dvl", QFile::encodeName(path).constData()), 0);
    const QByteArray name = QFile::encodeName(target);
    if (otherOwner) // nobody's numbers; they need not exist as names
        QCOMPARE(::chown(name.constData(), 65534, 65534), 0);
    QCOMPARE(::chmod(name.constData(), mode_t(mode)), 0);
    struct stat before;
    QCOMPARE(::stat(name.constData(), &before), 0);
    const QByteArray oldBytes = contentsOf(target);

    c.projectName = QStringLiteral("new");
    const DvlFile::SaveResult s = DvlFile::save(path, c);
    if (!root && !(mode & S_IWUSR)) {
        // An ordinary user cannot write a read-only file; it stays as it was.
        QVERIFY(!s.ok);
        QCOMPARE(contentsOf(target), oldBytes);
        return;
    }
    QVERIFY2(s.ok, qPrintable(s.errorMessage));
    struct stat after;
    QCOMPARE(::stat(name.constData(), &after), 0);
    QCOMPARE(after.st_mode & 07777, before.st_mode & 07777);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(DvlFile::load(target).projectCase->projectName, QStringLiteral("new"));
    if (viaLink)
        QCOMPARE(typeOf(path), mode_t(S_IFLNK));
}

void tst_DvlFile::loadRefusesSpecialFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("named pipe") << "pipe";
    QTest::newRow("link to a named pipe") << "link";
    QTest::newRow("device") << "/dev/null";
}

// A named pipe without a writer would block the reader forever. Should the load block,
// the test opens the pipe's other end itself, so that it fails instead of hanging.
void tst_DvlFile::loadRefusesSpecialFiles()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("special.dvl"));
    if (kind.startsWith(QLatin1Char('/')))
        path = kind;
    else
        QVERIFY(makeSpecialFile(kind, path));

    auto loading = std::async(std::launch::async, [path] { return DvlFile::load(path); });
    const bool blocked = loading.wait_for(std::chrono::seconds(10)) != std::future_status::ready;
    if (blocked) {
        const int writer = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    const DvlFile::LoadResult r = loading.get();
    QVERIFY2(!blocked, "the load waited for a writer");
    QVERIFY(!r.ok());
    QVERIFY2(r.errorMessage.contains(QDir::toNativeSeparators(path)), qPrintable(r.errorMessage));
    QVERIFY2(
        r.errorMessage.contains(QStringLiteral("not a regular file")), qPrintable(r.errorMessage));
}

void tst_DvlFile::badValuesQuotedShort_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("quoted");

    auto with = [](int line, const QByteArray &text) {
        QList<QByteArray> lines = startLines();
        lines[line - 1] = text;
        return fileOf(lines);
    };
    const QString forty = QString(40, QLatin1Char('x'));
    QTest::newRow("megabyte number")
        << with(4, QByteArray(1000000, 'x')) << QLatin1Char('"') + forty + QStringLiteral("...\"");
    QTest::newRow("terminal escape")
        << with(1, "\x1B]0;owned\x07\x1B[2J") << QStringLiteral("\"\\x1B]0;owned\\x07\\x1B[2J\"");
    QTest::newRow("NUL bytes in a count")
        << with(20, QByteArray("7\0\0", 3) + QByteArray(5000, '\0'))
        << QStringLiteral("\"7") + QStringLiteral("\\x00").repeated(39) + QStringLiteral("...\"");
    QTest::newRow("long date") << with(13, '#' + QByteArray(3000, 'x') + '#')
                               << QLatin1Char('#') + forty + QStringLiteral("...#");
    QTest::newRow("long text for a number")
        << with(2, '"' + QByteArray(3000, 'x') + '"') << QLatin1Char('"') + forty + "...\"";
    QTest::newRow("line separator") << with(3,
        "1\xE2\x80\xA8"
        "2") << QStringLiteral("\"1\\u20282\"");
    QTest::newRow("fractional count") << with(14, "1." + QByteArray(60, '5'))
                                      << QStringLiteral("\"1.") + QString(38, '5') + "...\"";
}

// A huge or binary value is quoted short and readable: the message box and the
// terminal get no megabyte of text and no control characters.
void tst_DvlFile::badValuesQuotedShort()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, quoted);
    const DvlFile::LoadResult r = DvlFile::parse(bytes, QStringLiteral("bad.dvl"));
    QVERIFY(!r.ok());
    QVERIFY2(r.errorMessage.contains(quoted), qPrintable(r.errorMessage));
    QVERIFY2(r.errorMessage.size() < 400, qPrintable(r.errorMessage.left(400)));
    for (QChar c : r.errorMessage)
        QVERIFY2(c.category() != QChar::Other_Control, qPrintable(r.errorMessage));
}

void tst_DvlFile::utf16IsNamed_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QString text = QString::fromLatin1(fileOf(startLines()));
    QByteArray little(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    QByteArray big = little;
    for (qsizetype i = 0; i + 1 < big.size(); i += 2)
        std::swap(big[i], big[i + 1]);
    QTest::newRow("little-endian with mark") << "\xFF\xFE" + little;
    QTest::newRow("big-endian with mark") << "\xFE\xFF" + big;
    QTest::newRow("little-endian without mark") << little;
    QTest::newRow("big-endian without mark") << big;
}

void tst_DvlFile::utf16IsNamed()
{
    QFETCH(QByteArray, bytes);
    const DvlFile::LoadResult r = DvlFile::parse(bytes, QStringLiteral("wide.dvl"));
    QVERIFY(!r.ok());
    QVERIFY2(r.errorMessage.contains(QStringLiteral("wide.dvl")), qPrintable(r.errorMessage));
    QVERIFY2(r.errorMessage.contains(QStringLiteral("UTF-16")), qPrintable(r.errorMessage));
}

void tst_DvlFile::caseAndSharedState()
{
    BasGeneral g;
    g.FlowRate = 123;
    g.ProjectName = QStringLiteral("P");
    g.ValveCounts[3] = 7;
    const ProjectCase c = ProjectCase::fromGeneral(g);
    QCOMPARE(c.fileName, QStringLiteral("new.dvl"));

    g = BasGeneral{};
    g.ProjectFileName = QStringLiteral("/opened/here.dvl");
    ProjectCase loaded = c;
    loaded.fileName = QStringLiteral("/written/elsewhere.dvl");
    loaded.applyTo(g);
    QCOMPARE(g.FlowRate, 123.0);
    QCOMPARE(g.ProjectName, QStringLiteral("P"));
    QCOMPARE(g.ValveCounts[3], qint16(7));
    QCOMPARE(g.ProjectFileName, QStringLiteral("/opened/here.dvl"));
}

void tst_DvlFile::notationIgnoresTheLocale()
{
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    ProjectCase c;
    c.entries.WallRoughness = 0.045;
    c.entries.FlowRate = 1234567.5;
    const QByteArray bytes = DvlFile::format(c);
    QVERIFY2(bytes.startsWith("1234567.5\r\n"), bytes.constData());
    QVERIFY(bytes.contains("\r\n0.045\r\n"));
    const DvlFile::LoadResult r = DvlFile::parse(bytes, QStringLiteral("de.dvl"));
    QLocale::setDefault(QLocale::c());
    QVERIFY2(r.ok(), qPrintable(r.errorMessage));
    QCOMPARE(r.projectCase->entries.WallRoughness, 0.045);
}

QTEST_GUILESS_MAIN(tst_DvlFile)
#include "tst_dvlfile.moc"
