#pragma once

#include "cli/batchrun.h"

#include <QStringList>

// The commands report and json: their command line, the run over every file, and
// the exit status.
namespace BatchCommand {

// `arguments` are the program's name followed by what follows the command's name.
int run(Batch::Mode mode, const QStringList &arguments);

} // namespace BatchCommand
