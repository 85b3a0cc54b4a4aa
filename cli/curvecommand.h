#pragma once

#include <QStringList>

// zeptor-cli curve: the system curve of one saved case, and with a pump curve its duty
// point. `args` are the arguments after the command name; returns the exit status.
int curveCommand(const QStringList &args);
