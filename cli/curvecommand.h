#pragma once

#include <QStringList>

class CommandIo;

// zeptor-cli curve: the system curve of a saved case, each point the case calculated at
// that flow as 'json' calculates it, and the duty point of a pump curve.
namespace CurveCommand {

int run(const QStringList &arguments, CommandIo &io);

} // namespace CurveCommand
