#include "cli/batchcommand.h"

#include "cli/batchpool.h"
#include "cli/commandio.h"
#include "cli/commandline.h"
#include "cli/exitstatus.h"
#include "cli/pathsource.h"
#include "cli/usage.h"

namespace BatchCommand {

namespace {

// More workers than this only wait for the disk and for each other.
constexpr int MaxJobs = 256;

int run(Batch::Mode mode, const QStringList &arguments, CommandIo &io)
{
    const QString help = Usage::text();
    const QByteArray helpText = help.toUtf8();
    CommandLine line("", helpText.constData());
    const QCommandLineOption locale = line.addOption("locale", "NAME", "a name");
    const QCommandLineOption jobs(
        {QStringLiteral("j"), QStringLiteral("jobs")}, QString(), QStringLiteral("N"));
    line.addOption(jobs, QStringLiteral("a number"));
    const QCommandLineOption filesFrom = line.addOption("files-from", "LIST", "a file name");
    if (!line.parse(arguments, io))
        return line.status();

    int jobCount = Batch::defaultJobs();
    if (line.isSet(jobs)) {
        bool ok = false;
        jobCount = line.value(jobs).toInt(&ok);
        if (!ok || jobCount < 1)
            return line.usageError(io, QStringLiteral("--jobs needs a whole number of at least 1"));
        jobCount = qMin(jobCount, MaxJobs);
    }
    const QStringList files = line.positional();
    if (files.isEmpty() && !line.isSet(filesFrom))
        return line.usageError(io, QStringLiteral("no project file given"));
    // Set before any worker starts: each looks the locale's symbols up once.
    if (!line.applyLocale(locale, io))
        return line.status();

    Batch::prepareProcess();
    PathSource paths(files);
    if (line.isSet(filesFrom) && !paths.openList(line.value(filesFrom))) {
        io.error(QStringLiteral("zeptor-cli: ") + paths.errorString());
        return Batch::ExitLoadFailed;
    }
    int status = Batch::run(mode, jobCount, paths, io.out(), io.errFd());
    if (status != Batch::ExitOutputFailed && !paths.errorString().isEmpty()) {
        io.error(QStringLiteral("zeptor-cli: ") + paths.errorString());
        status = Batch::ExitLoadFailed;
    }
    return status;
}

} // namespace

int report(const QStringList &arguments, CommandIo &io)
{
    return run(Batch::Mode::Report, arguments, io);
}

int json(const QStringList &arguments, CommandIo &io)
{
    return run(Batch::Mode::Json, arguments, io);
}

} // namespace BatchCommand
