#pragma once

#include <QStringList>

#include <span>

class CommandIo;

// The commands of zeptor-cli, listed once: main() runs them by name and the help text
// lists them from here. A command takes the arguments after its name and its two
// streams, and returns the exit status (cli/exitstatus.h).
namespace Commands {

using Run = int (*)(const QStringList &arguments, CommandIo &io);

struct Command
{
    const char *name;
    const char *synopsis; // after "zeptor-cli " in the usage lines; may hold "\n"
    const char *summary; // the help text's lines about it, indented by 11
    Run run;
};

std::span<const Command> all();
// The command of that name; nullptr for none.
const Command *named(const QString &name);

// Runs the command line after the program's name (options of the program itself
// included) with the given streams: what main() does. Returns the exit status.
int runProgram(const QStringList &arguments, CommandIo &io);

} // namespace Commands
