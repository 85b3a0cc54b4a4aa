#include "cli/commands.h"

#include "cli/batchcommand.h"
#include "cli/commandio.h"
#include "cli/curvecommand.h"
#include "cli/exitstatus.h"
#include "cli/fittingscommand.h"
#include "cli/fluidcommand.h"
#include "cli/sizecommand.h"
#include "cli/usage.h"

#include <QCoreApplication>

#include <array>

namespace Commands {

namespace {

const std::array<Command, 6> Table = {{
    {"report", "report [OPTIONS] FILE.dvl...",
        "the one-page report of each case as the Print command lays it out,\n"
        "one character per column; reports of several files are separated\n"
        "by a line holding a form feed. Messages the window would have\n"
        "shown (\"Friction Factor undetermined\") go to standard error.",
        BatchCommand::report},
    {"json", "json [OPTIONS] FILE.dvl...",
        "one JSON object per file and line: \"file\", \"status\" (the status\n"
        "bar text), \"fields\" (the text of every field by its index),\n"
        "\"results\" (every result by name, null where not finite; numbers\n"
        "read back exactly) and \"messages\" (the message boxes the window\n"
        "would have shown, in order).",
        BatchCommand::json},
    {"fluid",
        "fluid water --temperature T [--pressure P]\n"
        "fluid ethylene-glycol|propylene-glycol --concentration C\n"
        "      --temperature T",
        "density and dynamic viscosity of water (IAPWS-IF97, IAPWS 2008)\n"
        "or of ethylene or propylene glycol in water (Melinder's fits) as\n"
        "one JSON line; T in degrees Celsius, P in bar absolute (default\n"
        "1.01325), C in % by mass. Outside the formulation's range: a\n"
        "message on standard error and exit status 2.",
        FluidCommand::run},
    {"curve", "curve FILE.dvl [OPTIONS]",
        "the system curve of a case with a pump curve and the duty point.", CurveCommand::run},
    {"size", "size FILE.dvl [OPTIONS]",
        "the case at every diameter of the ISO and DIN tables or of a pipe\n"
        "table.",
        SizeCommand::run},
    {"fittings", "fittings FILE.dvl [--format json|csv]",
        "each counted fitting of a case by the main window's l/d and by\n"
        "Crane, Hooper's 2-K and Darby's 3-K at the case's Reynolds number,\n"
        "and the case's total pressure drop by each method.",
        FittingsCommand::run},
}};

} // namespace

std::span<const Command> all()
{
    return Table;
}

const Command *named(const QString &name)
{
    for (const Command &command : Table) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

int runProgram(const QStringList &arguments, CommandIo &io)
{
    // Options before the command belong to the program, everything after it to the
    // command, which parses it itself.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({help, version});
    const QStringList withName = QStringList{QStringLiteral("zeptor-cli")} + arguments;
    if (!parser.parse(withName))
        return Usage::error(io, Usage::parseError(parser, withName, {}));
    if (parser.isSet(help)) {
        io.out().write(Usage::text().toUtf8());
        return io.finish(Batch::ExitOk);
    }
    if (parser.isSet(version)) {
        io.out().write(QCoreApplication::applicationVersion().toUtf8() + '\n');
        return io.finish(Batch::ExitOk);
    }
    QStringList commandArguments = parser.positionalArguments();
    if (commandArguments.isEmpty())
        return Usage::error(io, QStringLiteral("a command is missing"));
    const QString name = commandArguments.takeFirst();
    const Command *command = named(name);
    if (!command)
        return Usage::error(io, QStringLiteral("unknown command '%1'").arg(name));
    return io.finish(command->run(commandArguments, io));
}

} // namespace Commands
