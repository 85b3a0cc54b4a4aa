#pragma once

// zeptor-cli's commands run in the test's own process, with files of the test's own as
// standard output and standard error. Needs zeptor_batch.

#include "cli/commandio.h"
#include "cli/commands.h"
#include "support/clirun.h"

#include <QLocale>
#include <QTemporaryFile>

namespace CliRun {

inline Run runInProcess(const QStringList &args)
{
    QTemporaryFile out;
    QTemporaryFile err;
    if (!out.open() || !err.open())
        return {};
    const QLocale before;
    Run run;
    {
        CommandIo io(out.handle(), err.handle());
        run.exitCode = Commands::runProgram(args, io);
    }
    QLocale::setDefault(before); // --locale sets the default for the process
    QFile outFile(out.fileName());
    QFile errFile(err.fileName());
    if (outFile.open(QIODevice::ReadOnly))
        run.out = outFile.readAll();
    if (errFile.open(QIODevice::ReadOnly))
        run.err = QString::fromUtf8(errFile.readAll());
    return run;
}

} // namespace CliRun
