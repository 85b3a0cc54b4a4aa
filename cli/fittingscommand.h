#pragma once

#include <QStringList>

class CommandIo;

// zeptor-cli fittings: what each counted fitting of a saved case costs by the l/d of the
// main window and by Crane's, Hooper's and Darby's methods, and the case's total
// pressure drop by each.
namespace FittingsCommand {

int run(const QStringList &arguments, CommandIo &io);

} // namespace FittingsCommand
