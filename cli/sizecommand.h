#pragma once

#include <QStringList>

// zeptor-cli size: the case of one project file calculated with every inner diameter
// of the picker's tables or of a pipe table of the user's own.
namespace SizeCommand {

// Runs the command with the arguments that follow the word "size"; returns the exit
// status (0, 1 for a file or table that cannot be loaded, 2 when a row needed an
// answer to a prompt, 64 for a wrong command line).
int run(const QStringList &args);

} // namespace SizeCommand
