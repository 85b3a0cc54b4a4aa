#pragma once

// zeptor-cli as a user runs it, for the tests of its commands. The test target defines
// ZEPTOR_CLI_PATH.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace CliRun {

struct Run
{
    int exitCode = -1; // -1 when the program did not end normally
    QByteArray out;
    QString err;
};

// A file of the examples folder.
inline QString example(const char *name)
{
    return qEnvironmentVariable("ZEPTOR_SOURCE_DIR") + QStringLiteral("/examples/")
        + QLatin1String(name);
}

// Writes a file into the test's folder; its path.
inline QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

// An example project file with one of its 32 lines replaced.
inline QByteArray exampleWith(const char *name, int line, const QByteArray &text)
{
    QFile f(example(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = f.readAll().split('\n');
    lines[line - 1] = text + '\r';
    return lines.join('\n');
}

// The lines of an output, without the empty one after the last "\n".
inline QByteArrayList lines(const QByteArray &out)
{
    QByteArrayList list = out.split('\n');
    if (!list.isEmpty() && list.last().isEmpty())
        list.removeLast();
    return list;
}

// The locale of the test run (the _nl runs set LC_ALL).
inline QString testLocaleName()
{
    return qEnvironmentVariable("LC_ALL", QStringLiteral("C.UTF-8"));
}

inline Run runCli(const QStringList &args, const QString &locale = testLocaleName(),
    const QByteArray &input = {}, const QString &outputFile = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("LANG"), locale);
    p.setProcessEnvironment(env);
    if (!outputFile.isEmpty())
        p.setStandardOutputFile(outputFile);
    p.start(QStringLiteral(ZEPTOR_CLI_PATH), args);
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace CliRun
