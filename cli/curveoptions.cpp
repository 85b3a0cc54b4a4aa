#include "cli/curveoptions.h"

#include "calc/physics.h"
#include "numerics/water.h"

#include <cmath>

namespace CurveOptions {

namespace {

constexpr int MaxPoints = 1000000;
constexpr int MaxPumps = 100;

// The range of the saturation line of IAPWS-IF97 (region 4), in degrees Celsius.
constexpr double LowestVapourTemperature = 0.01;
constexpr double CriticalTemperature = 373.946;

} // namespace

const char *const Usage
    = "Usage: zeptor-cli curve FILE.dvl [--to FLOW] [--points N] [--pump PUMP.csv]\n"
      "                        [--suction SUCTION.dvl] [--extra-loss flow|fixed]\n"
      "                        [--speed PCT | --duty-flow Q] [--pumps N]\n"
      "                        [--arrangement parallel|series] [--surface-pressure BAR]\n"
      "                        [--vapour-pressure BAR | --temperature T]\n"
      "                        [--npsh-margin R] [--fittings ld|crane|2k|3k]\n"
      "                        [--format json|csv] [--locale NAME]\n"
      "\n"
      "The system curve of a saved case: the case calculated at N flows (default 50)\n"
      "from TO/N up to TO l/h (default 1.5 times the file's flow rate), each exactly\n"
      "as 'zeptor-cli json' calculates the case with that flow rate, and with a pump\n"
      "curve the duty point.\n"
      "\n"
      "  --points N     1 to 1000000 points.\n"
      "  --format json  (default) one JSON object per point and line: the object that\n"
      "                 'json' writes for the case, plus \"flow\" (l/h) and \"head\" (the\n"
      "                 total pressure drop in metres of this liquid; null where the\n"
      "                 case has no result at that flow).\n"
      "  --format csv   a header line with units, then one row per point; cells of a\n"
      "                 point without a result (friction factor undetermined) are\n"
      "                 empty from the friction factor on.\n"
      "  --extra-loss flow|fixed\n"
      "                 the case's \"pressure loss extra equipment\" is a loss at its\n"
      "                 own flow: by default (flow) it grows with the square of the\n"
      "                 flow, so that each point is the case with flow Q and extra loss\n"
      "                 e (Q/Q0)^2; fixed adds it unchanged at every flow.\n"
      "  --suction FILE the suction line, from the liquid's surface to the pump inlet, as\n"
      "                 a project file (its elevation: the inlet's height above the\n"
      "                 surface). \"head\" is then discharge plus suction, and each point\n"
      "                 carries \"suction_head\" and, with a vapour pressure, \"npsha\";\n"
      "                 the CSV gains the columns suction head [m] and NPSHa [m].\n"
      "  --pump FILE    a pump curve (CSV: flow [l/h] or flow [m3/h], head [m], and\n"
      "                 optionally efficiency [%] and npshr [m], whose cells may be\n"
      "                 empty where a point has no such value). With json, a last\n"
      "                 line {\"duty\": {...}} holds the duty point (the lowest stable\n"
      "                 crossing, with every crossing in \"crossings\"), or {\"duty\":\n"
      "                 null, \"reason\": \"...\"}. With csv, a last column \"pump head\n"
      "                 [m]\" (empty outside the pumps' range), and after the rows a\n"
      "                 comment line \"# duty: flow ... l/h, head ... m, ...\" (or \"#\n"
      "                 duty: none,\" and the reason), also written to standard error.\n"
      "                 Where a point needs an answer to a prompt, there is no duty\n"
      "                 point.\n"
      "  --speed PCT    the pump at PCT % of the curve's speed (affinity laws).\n"
      "  --duty-flow Q  find the speed (10 to 200 %) at which the pump meets the system\n"
      "                 at Q l/h; \"speed\" in the duty object.\n"
      "  --pumps N      N identical pumps (1 to 100), --arrangement parallel (default)\n"
      "                 or series.\n"
      "  --surface-pressure BAR  absolute pressure on the liquid's surface (1.01325).\n"
      "  --vapour-pressure BAR   the liquid's vapour pressure, bar absolute; or\n"
      "  --temperature T         that of water at T degrees Celsius (IAPWS-IF97).\n"
      "  --npsh-margin R         the ratio NPSHa / NPSHr to keep (default 1.0; ANSI/HI\n"
      "                 9.6.1 recommends about 1.1 to 2.5 by application).\n"
      "  --fittings M   the fittings' losses by l/d as the main window (ld, the\n"
      "                 default), or at each flow's own Reynolds number by Crane\n"
      "                 (crane), Hooper's 2-K (2k) or Darby's 3-K (3k), as 'zeptor-cli\n"
      "                 fittings' reckons them, on both sides; the duty point follows.\n"
      "                 With a method other than ld each JSON point carries\n"
      "                 \"fittings\" and its \"head\" is that method's (the rest is the\n"
      "                 'json' object), and the CSV rows are that method's. A method\n"
      "                 without a K for a counted fitting draws no curve (exit status 2).\n"
      "  --locale NAME  field texts as for this locale, as with 'json'.\n"
      "\n"
      "Exit status: 0 done, 1 a file cannot be read, 2 a point needed an answer to a\n"
      "prompt (it is left out), or the method has no K for a counted fitting, 3 the\n"
      "output could not be written, 64 the command line is wrong.\n";

std::optional<int> parse(const QStringList &arguments, CommandIo &io, Options &options)
{
    CommandLine line("curve", Usage);
    const QCommandLineOption to = line.addOption("to", "FLOW", "a flow in l/h");
    const QCommandLineOption points = line.addOption("points", "N", "a number");
    const QCommandLineOption pump = line.addOption("pump", "PUMP", "a file name");
    const QCommandLineOption format = line.addOption("format", "FORMAT", "json or csv");
    const QCommandLineOption locale = line.addOption("locale", "NAME", "a name");
    const QCommandLineOption suction = line.addOption("suction", "SUCTION", "a file name");
    const QCommandLineOption extraLoss = line.addOption("extra-loss", "MODE", "flow or fixed");
    const QCommandLineOption speed = line.addOption("speed", "PCT", "a number");
    const QCommandLineOption dutyFlow = line.addOption("duty-flow", "Q", "a flow in l/h");
    const QCommandLineOption pumps = line.addOption("pumps", "N", "a number");
    const QCommandLineOption arrangement
        = line.addOption("arrangement", "ARRANGEMENT", "parallel or series");
    const QCommandLineOption surface = line.addOption("surface-pressure", "BAR", "a number");
    const QCommandLineOption vapour = line.addOption("vapour-pressure", "BAR", "a number");
    const QCommandLineOption temperature = line.addOption("temperature", "T", "a number");
    const QCommandLineOption margin = line.addOption("npsh-margin", "R", "a number");
    const QCommandLineOption fittings = line.addOption("fittings", "METHOD", "ld, crane, 2k or 3k");
    if (!line.parse(arguments, io))
        return line.status();
    if (line.isSet(fittings)) {
        const std::optional<FittingMethod> method = fittingMethodNamed(line.value(fittings));
        if (!method)
            return line.usageError(io,
                QStringLiteral("--fittings takes ld, crane, 2k or 3k, not '%1'")
                    .arg(line.value(fittings)));
        options.fittings = *method;
    }

    // A number of an option that must lie above `above` (and finite).
    const auto positive = [&](const QCommandLineOption &option, double above,
                              const QString &what) -> std::optional<double> {
        const std::optional<double> value = line.number(option, io);
        if (value && !(*value > above)) {
            line.usageError(
                io, QStringLiteral("--%1 needs %2").arg(option.names().constLast(), what));
            return std::nullopt;
        }
        return value;
    };
    if (line.isSet(to) && !(options.to = positive(to, 0, QStringLiteral("a flow above 0 in l/h"))))
        return line.status();
    if (line.isSet(points)) {
        bool ok = false;
        options.points = line.value(points).toInt(&ok);
        if (!ok || options.points < 1 || options.points > MaxPoints)
            return line.usageError(
                io, QStringLiteral("--points needs a whole number from 1 to %1").arg(MaxPoints));
    }
    options.pump = line.value(pump);
    options.suction = line.value(suction);
    if (line.isSet(extraLoss)) {
        if (line.value(extraLoss) == QLatin1String("fixed"))
            options.extraLoss = SystemCurve::ExtraLoss::Fixed;
        else if (line.value(extraLoss) != QLatin1String("flow"))
            return line.usageError(io, QStringLiteral("--extra-loss takes flow or fixed"));
    }
    if (line.isSet(speed) && line.isSet(dutyFlow))
        return line.usageError(io, QStringLiteral("--speed and --duty-flow exclude each other"));
    if (line.isSet(speed)) {
        const auto value = positive(speed, 0, QStringLiteral("a speed above 0 %"));
        if (!value)
            return line.status();
        options.speed = *value;
    }
    if (line.isSet(dutyFlow)
        && !(options.dutyFlow = positive(dutyFlow, 0, QStringLiteral("a flow above 0 in l/h"))))
        return line.status();
    if (line.isSet(pumps)) {
        bool ok = false;
        options.pumps = line.value(pumps).toInt(&ok);
        if (!ok || options.pumps < 1 || options.pumps > MaxPumps)
            return line.usageError(
                io, QStringLiteral("--pumps needs a whole number from 1 to %1").arg(MaxPumps));
    }
    options.arrangement = options.pumps > 1 ? Arrangement::Parallel : Arrangement::Single;
    if (line.isSet(arrangement)) {
        const QString name = line.value(arrangement);
        if (name != QLatin1String("parallel") && name != QLatin1String("series"))
            return line.usageError(io, QStringLiteral("--arrangement takes parallel or series"));
        if (options.pumps > 1)
            options.arrangement
                = name == QLatin1String("series") ? Arrangement::Series : Arrangement::Parallel;
    }
    if (line.isSet(surface)) {
        const auto value = positive(surface, 0, QStringLiteral("a pressure above 0 bar"));
        if (!value)
            return line.status();
        options.npsh.surfacePressure = *value;
    }
    if (line.isSet(vapour) && line.isSet(temperature))
        return line.usageError(
            io, QStringLiteral("--vapour-pressure and --temperature exclude each other"));
    if (line.isSet(vapour)) {
        const auto value = positive(vapour, -1, QStringLiteral("a pressure not below 0 bar"));
        if (!value || *value < 0)
            return value ? line.usageError(io,
                       QStringLiteral("--vapour-pressure needs a "
                                      "pressure not below 0 bar"))
                         : line.status();
        options.npsh.vapourPressure = *value;
    }
    if (line.isSet(temperature)) {
        const std::optional<double> t = line.number(temperature, io);
        if (!t)
            return line.status();
        if (!(*t >= LowestVapourTemperature && *t <= CriticalTemperature))
            return line.usageError(io,
                QStringLiteral("--temperature needs a temperature of liquid water from 0.01 to "
                               "373.946 degrees Celsius (the saturation line of IAPWS-IF97)"));
        // MPa to bar.
        options.npsh.vapourPressure
            = Water::saturationPressure(*t + Physics::ZeroCelsius) * Physics::BarPerMegapascal;
    }
    if (line.isSet(margin)) {
        const auto value = positive(margin, 0, QStringLiteral("a ratio above 0"));
        if (!value)
            return line.status();
        options.npsh.margin = *value;
    }
    const std::optional<CommandLine::Format> chosen = line.format(format, io);
    const std::optional<QString> file = chosen ? line.oneFile(io) : std::nullopt;
    if (!file || !line.applyLocale(locale, io))
        return line.status();
    options.format = *chosen;
    options.file = *file;
    return std::nullopt;
}

} // namespace CurveOptions
