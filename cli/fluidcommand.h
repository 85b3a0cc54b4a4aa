#pragma once

#include <QStringList>

class CommandIo;

// zeptor-cli fluid water --temperature T [--pressure P]
// zeptor-cli fluid ethylene-glycol|propylene-glycol --concentration C --temperature T
namespace FluidCommand {

// Writes one JSON line, or a message; returns the exit status: 0, 2 when the request
// lies outside the formulation's range, 64 when the command line is wrong (an unknown
// fluid among it).
int run(const QStringList &arguments, CommandIo &io);

} // namespace FluidCommand
