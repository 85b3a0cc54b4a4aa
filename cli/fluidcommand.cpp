#include "cli/fluidcommand.h"

#include "analysis/fluidproperties.h"
#include "calc/numbertext.h"
#include "cli/jsonline.h"

#include <QIODevice>
#include <QLocale>

#include <optional>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitOutOfRange = 2;
constexpr int ExitUsage = 64;

const char *const FluidUsage
    = "Usage: zeptor-cli fluid water --temperature T [--pressure P]\n"
      "       zeptor-cli fluid ethylene-glycol|propylene-glycol --concentration C\n"
      "                  --temperature T\n"
      "\n"
      "Density and dynamic viscosity of a liquid: T in degrees Celsius, P in bar\n"
      "absolute (1.01325 when not given), C in % by mass; numbers with a decimal point.\n"
      "Writes one JSON line with \"fluid\", \"temperature\", \"pressure\" or\n"
      "\"concentration\", \"density\" (kg/m3), \"viscosity\" (cP = mPa s), for glycols\n"
      "\"freezing_point\" (degrees Celsius), \"source\" and \"valid_range\".\n"
      "Water: IAPWS-IF97 and the IAPWS 2008 viscosity formulation, liquid from 0.01 C\n"
      "to the boiling point (at most 350 C), up to 1000 bar. Glycols: Melinder's\n"
      "fits (IIR 2010), 0 to 60 % from the freezing point to 100 C.\n"
      "Exit status: 0 done, 2 outside the range (message on standard error),\n"
      "64 the command line is wrong.\n";

// Numbers on a command line do not depend on the user's locale: scripts pass them on.
const QLocale CommandLocale = QLocale::c();

struct Options
{
    QString fluidName;
    std::optional<double> temperature;
    std::optional<double> pressure;
    std::optional<double> concentration;
    bool help = false;
};

struct Failure
{
    QString message;
};

void writeLine(QIODevice &device, const QString &text)
{
    device.write(text.toUtf8());
    device.write("\n");
}

int usageError(QIODevice &err, const QString &message)
{
    writeLine(err, QStringLiteral("zeptor-cli: %1\nTry 'zeptor-cli fluid --help'.").arg(message));
    return ExitUsage;
}

// Reads the options; a message when the command line is wrong.
std::optional<Failure> parse(const QStringList &arguments, Options &options)
{
    const QStringList names = {QStringLiteral("--temperature"), QStringLiteral("--pressure"),
        QStringLiteral("--concentration")};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
            continue;
        }
        if (!arg.startsWith(QLatin1Char('-'))) {
            if (!options.fluidName.isEmpty())
                return Failure{QStringLiteral("one fluid only, not also '%1'").arg(arg)};
            options.fluidName = arg;
            continue;
        }
        const QString name = arg.section(QLatin1Char('='), 0, 0);
        if (!names.contains(name))
            return Failure{QStringLiteral("unknown option '%1'").arg(arg)};
        QString text;
        if (arg.contains(QLatin1Char('='))) {
            text = arg.section(QLatin1Char('='), 1);
        } else {
            if (++i >= arguments.size())
                return Failure{QStringLiteral("%1 needs a number").arg(name)};
            text = arguments.at(i);
        }
        const std::optional<double> value = NumberText::parse(text, CommandLocale);
        if (!value)
            return Failure{QStringLiteral("%1 needs a number, not '%2'").arg(name, text)};
        std::optional<double> &slot = name == names[0] ? options.temperature
            : name == names[1]                         ? options.pressure
                                                       : options.concentration;
        if (slot)
            return Failure{QStringLiteral("%1 is given twice").arg(name)};
        slot = value;
    }
    return std::nullopt;
}

} // namespace

int runFluidCommand(const QStringList &arguments, QIODevice &out, QIODevice &err)
{
    Options options;
    if (const std::optional<Failure> failure = parse(arguments, options))
        return usageError(err, failure->message);
    if (options.help) {
        out.write(FluidUsage);
        return ExitOk;
    }
    if (options.fluidName.isEmpty())
        return usageError(err, QStringLiteral("a fluid is missing: %1").arg(knownFluidNames()));
    const std::optional<Fluid> fluid = fluidFromName(options.fluidName);
    if (!fluid) {
        writeLine(err,
            QStringLiteral("zeptor-cli: unknown fluid '%1': the known fluids are %2.")
                .arg(options.fluidName, knownFluidNames()));
        return ExitOutOfRange;
    }
    const bool isWater = *fluid == Fluid::Water;
    if (!options.temperature)
        return usageError(err, QStringLiteral("--temperature is missing"));
    if (isWater && options.concentration)
        return usageError(err, QStringLiteral("--concentration is for glycols, not for water"));
    if (!isWater && options.pressure)
        return usageError(err, QStringLiteral("--pressure is for water only"));
    if (!isWater && !options.concentration)
        return usageError(err, QStringLiteral("--concentration is missing"));

    FluidRequest request;
    request.fluid = *fluid;
    request.temperature = *options.temperature;
    if (options.pressure)
        request.pressure = *options.pressure;
    if (options.concentration)
        request.concentration = *options.concentration;
    const FluidResult result = fluidProperties(request, CommandLocale);
    if (!result.ok()) {
        writeLine(err, QStringLiteral("zeptor-cli: %1").arg(result.error));
        return ExitOutOfRange;
    }

    JsonLine line;
    line.beginObject();
    line.value("fluid", fluidName(request.fluid));
    line.value("temperature", request.temperature);
    if (isWater)
        line.value("pressure", request.pressure);
    else
        line.value("concentration", request.concentration);
    line.value("density", result.density);
    line.value("viscosity", result.viscosity);
    if (!isWater)
        line.value("freezing_point", result.freezingPoint);
    line.value("source", result.source);
    line.value("valid_range", result.validRange);
    line.endObject();
    out.write(line.take());
    return ExitOk;
}
