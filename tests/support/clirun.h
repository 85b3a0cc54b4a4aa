#pragma once

// zeptor-cli as a user runs it, for the tests of its commands. The test target defines
// ZEPTOR_CLI_PATH.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

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
