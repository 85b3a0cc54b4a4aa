#pragma once

#include <QStringList>

class CommandIo;

// The commands report and json: their command line, the run over every file, and
// the exit status.
namespace BatchCommand {

int report(const QStringList &arguments, CommandIo &io);
int json(const QStringList &arguments, CommandIo &io);

} // namespace BatchCommand
