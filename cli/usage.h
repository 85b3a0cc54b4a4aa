#pragma once

#include <QCommandLineParser>
#include <QString>

class CommandIo;

// The help text of zeptor-cli and the reporting of a wrong command line, shared by
// its commands.
namespace Usage {

// The program's help: the commands from the command table, the options of report and
// json, and the exit status of every command.
QString text();

// Writes "zeptor-cli: message" and the hint to --help on standard error; returns the
// exit status of a wrong command line.
int error(CommandIo &io, const QString &message);

// The message for a command line that `parser` refused, in the words of this tool:
// "unknown option '--x'", or "--x needs a ..." for an option without its value
// (`valueNames` gives the description of each option's value by option name).
QString parseError(const QCommandLineParser &parser, const QStringList &arguments,
    const QList<std::pair<QStringList, QString>> &valueNames);

} // namespace Usage
