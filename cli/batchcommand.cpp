#include "cli/batchcommand.h"

#include "cli/batchpool.h"
#include "cli/blockwriter.h"
#include "cli/localename.h"
#include "cli/pathsource.h"
#include "cli/usage.h"

#include <QCommandLineParser>
#include <QLocale>

#include <unistd.h>

namespace BatchCommand {

namespace {

// More workers than this only wait for the disk and for each other.
constexpr int MaxJobs = 256;

void writeError(const QString &message)
{
    const QByteArray line = QByteArrayLiteral("zeptor-cli: ") + message.toUtf8() + '\n';
    writeFully(STDERR_FILENO, line.constData(), line.size());
}

} // namespace

int run(Batch::Mode mode, const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption locale(QStringLiteral("locale"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption jobs(
        {QStringLiteral("j"), QStringLiteral("jobs")}, QString(), QStringLiteral("N"));
    const QCommandLineOption filesFrom(
        QStringLiteral("files-from"), QString(), QStringLiteral("LIST"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({locale, jobs, filesFrom, help});
    if (!parser.parse(arguments)) {
        return Usage::error(Usage::parseError(parser, arguments,
            {{locale.names(), QStringLiteral("a name")}, {jobs.names(), QStringLiteral("a number")},
                {filesFrom.names(), QStringLiteral("a file name")}}));
    }
    if (parser.isSet(help))
        return Usage::print(QString::fromUtf8(Usage::Text));

    int jobCount = Batch::defaultJobs();
    if (parser.isSet(jobs)) {
        bool ok = false;
        jobCount = parser.value(jobs).toInt(&ok);
        if (!ok || jobCount < 1)
            return Usage::error(QStringLiteral("--jobs needs a whole number of at least 1"));
        jobCount = qMin(jobCount, MaxJobs);
    }
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty() && !parser.isSet(filesFrom))
        return Usage::error(QStringLiteral("no project file given"));
    // Set before any worker starts: each looks the locale's symbols up once.
    if (parser.isSet(locale)) {
        const std::optional<QLocale> named = localeNamed(parser.value(locale));
        if (!named)
            return Usage::error(QStringLiteral("unknown locale '%1'").arg(parser.value(locale)));
        QLocale::setDefault(*named);
    }

    Batch::prepareProcess();
    PathSource paths(files);
    if (parser.isSet(filesFrom) && !paths.openList(parser.value(filesFrom))) {
        writeError(paths.errorString());
        return Batch::ExitLoadFailed;
    }
    BlockWriter out(STDOUT_FILENO);
    int status = Batch::run(mode, jobCount, paths, out, STDERR_FILENO);
    if (status == Batch::ExitOutputFailed) {
        writeError(QStringLiteral("cannot write to standard output: %1")
                       .arg(qt_error_string(out.error())));
    } else if (!paths.errorString().isEmpty()) {
        writeError(paths.errorString());
        status = Batch::ExitLoadFailed;
    }
    return status;
}

} // namespace BatchCommand
