#include "cli/fluidcommand.h"

#include "cli/commandio.h"
#include "cli/commandline.h"
#include "cli/exitstatus.h"
#include "cli/jsonline.h"
#include "fluid/fluidproperties.h"

#include <QLocale>

#include <optional>

namespace {

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
      "3 the output could not be written, 64 the command line is wrong (an unknown\n"
      "fluid among it).\n";

// Numbers in the messages do not depend on the user's locale: scripts read them.
const QLocale CommandLocale = QLocale::c();

} // namespace

namespace FluidCommand {

int run(const QStringList &arguments, CommandIo &io)
{
    CommandLine line("fluid", FluidUsage);
    const QCommandLineOption temperature(
        QStringLiteral("temperature"), QString(), QStringLiteral("T"));
    const QCommandLineOption pressure(QStringLiteral("pressure"), QString(), QStringLiteral("P"));
    const QCommandLineOption concentration(
        QStringLiteral("concentration"), QString(), QStringLiteral("C"));
    for (const QCommandLineOption &option : {temperature, pressure, concentration})
        line.addOption(option, QStringLiteral("a number"));
    if (!line.parse(arguments, io))
        return line.status();

    const QStringList names = line.positional();
    if (names.size() > 1)
        return line.usageError(io, QStringLiteral("one fluid only, not also '%1'").arg(names[1]));
    if (names.isEmpty())
        return line.usageError(io, QStringLiteral("a fluid is missing: %1").arg(knownFluidNames()));
    const std::optional<Fluid> fluid = fluidFromName(names.first());
    if (!fluid) {
        return line.usageError(io,
            QStringLiteral("unknown fluid '%1': the known fluids are %2")
                .arg(names.first(), knownFluidNames()));
    }
    FluidRequest request;
    request.fluid = *fluid;
    for (const auto &[option, slot] :
        {std::pair{&temperature, &request.temperature}, std::pair{&pressure, &request.pressure},
            std::pair{&concentration, &request.concentration}}) {
        if (!line.isSet(*option))
            continue;
        const std::optional<double> value = line.number(*option, io);
        if (!value)
            return line.status();
        *slot = *value;
    }
    const bool isWater = *fluid == Fluid::Water;
    if (!line.isSet(temperature))
        return line.usageError(io, QStringLiteral("--temperature is missing"));
    if (isWater && line.isSet(concentration))
        return line.usageError(io, QStringLiteral("--concentration is for glycols, not for water"));
    if (!isWater && line.isSet(pressure))
        return line.usageError(io, QStringLiteral("--pressure is for water only"));
    if (!isWater && !line.isSet(concentration))
        return line.usageError(io, QStringLiteral("--concentration is missing"));

    const FluidResult result = fluidProperties(request, CommandLocale);
    if (!result.ok()) {
        io.error(QStringLiteral("zeptor-cli: %1").arg(result.error));
        return Batch::ExitPrompted;
    }

    JsonLine json;
    json.beginObject();
    json.value("fluid", fluidName(request.fluid));
    json.value("temperature", request.temperature);
    if (isWater)
        json.value("pressure", request.pressure);
    else
        json.value("concentration", request.concentration);
    json.value("density", result.density);
    json.value("viscosity", result.viscosity);
    if (!isWater)
        json.value("freezing_point", result.freezingPoint);
    json.value("source", result.source);
    json.value("valid_range", result.validRange);
    json.endObject();
    io.out().write(json.take());
    return Batch::ExitOk;
}

} // namespace FluidCommand
