#pragma once

#include "cli/commandline.h"
#include "curve/pumpset.h"
#include "curve/systemcurve.h"

#include <QString>
#include <QStringList>

#include <optional>

class CommandIo;

// The command line of zeptor-cli curve.
namespace CurveOptions {

struct Options
{
    QString file;
    std::optional<double> to;
    int points = 50;
    QString pump;
    CommandLine::Format format = CommandLine::Format::Json;
    QString suction;
    SystemCurve::ExtraLoss extraLoss = SystemCurve::ExtraLoss::FollowsFlow;
    double speed = 100; // %
    std::optional<double> dutyFlow; // l/h: find the speed instead
    int pumps = 1;
    Arrangement arrangement = Arrangement::Single;
    SystemCurve::NpshSettings npsh;
};

extern const char *const Usage;

// Reads the arguments after "curve"; the exit status where the command must end.
std::optional<int> parse(const QStringList &arguments, CommandIo &io, Options &options);

} // namespace CurveOptions
