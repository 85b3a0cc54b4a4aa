#pragma once

#include <QStringList>

class CommandIo;

// zeptor-cli size: the case of one project file calculated with every inner diameter
// of the picker's tables or of a pipe table of the user's own.
namespace SizeCommand {

int run(const QStringList &arguments, CommandIo &io);

} // namespace SizeCommand
