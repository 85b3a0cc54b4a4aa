#include "cli/batchcommand.h"
#include "cli/batchrun.h"
#include "cli/curvecommand.h"
#include "cli/fluidcommand.h"
#include "cli/sizecommand.h"
#include "cli/usage.h"
#include "zeptor_version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

namespace {

int fluid(const QStringList &arguments)
{
    QFile out;
    QFile err;
    if (!out.open(stdout, QIODevice::WriteOnly) || !err.open(stderr, QIODevice::WriteOnly))
        return Batch::ExitLoadFailed;
    return runFluidCommand(arguments, out, err);
}

} // namespace

// zeptor-cli COMMAND [ARGUMENTS]: the options before the command belong to the
// program, everything after it to the command, which parses it itself.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zeptor-cli"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(ZeptorVersion::text));

    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({help, version});
    const QStringList arguments = QCoreApplication::arguments();
    if (!parser.parse(arguments))
        return Usage::error(Usage::parseError(parser, arguments, {}));
    if (parser.isSet(help))
        return Usage::print(QString::fromUtf8(Usage::Text));
    if (parser.isSet(version))
        return Usage::print(QCoreApplication::applicationVersion() + QLatin1Char('\n'));
    QStringList commandArguments = parser.positionalArguments();
    if (commandArguments.isEmpty())
        return Usage::error(QStringLiteral("a command is missing"));
    const QString command = commandArguments.takeFirst();

    // The analysis commands parse what follows the command word themselves.
    if (command == QLatin1String("fluid"))
        return fluid(commandArguments);
    if (command == QLatin1String("curve"))
        return curveCommand(commandArguments);
    if (command == QLatin1String("size"))
        return SizeCommand::run(commandArguments);

    commandArguments.prepend(arguments.constFirst());
    if (command == QLatin1String("report"))
        return BatchCommand::run(Batch::Mode::Report, commandArguments);
    if (command == QLatin1String("json"))
        return BatchCommand::run(Batch::Mode::Json, commandArguments);
    return Usage::error(QStringLiteral("unknown command '%1'").arg(command));
}
