#pragma once

#include <QStringList>

class QIODevice;

// zeptor-cli fluid water --temperature T [--pressure P]
// zeptor-cli fluid ethylene-glycol|propylene-glycol --concentration C --temperature T
//
// `arguments` are those after the word "fluid". Writes one JSON line to `out`, or a
// message to `err`; returns the exit status: 0, 2 when the request lies outside the
// formulation's range (or names an unknown fluid), 64 when the command line is wrong.
int runFluidCommand(const QStringList &arguments, QIODevice &out, QIODevice &err);
