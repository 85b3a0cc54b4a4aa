#include "cli/fittingscommand.h"

#include "cli/batchrun.h"
#include "cli/commandio.h"
#include "cli/commandline.h"
#include "cli/exitstatus.h"
#include "cli/jsonline.h"
#include "fittings/fittinglosses.h"
#include "project/dvlfile.h"

#include <optional>

namespace FittingsCommand {

namespace {

const char *const Usage
    = "Usage: zeptor-cli fittings FILE.dvl [--format json|csv]\n"
      "\n"
      "The counted fittings of a saved case, each by the l/d of the main window\n"
      "(K = f l/d with the case's friction factor) and by the published methods at the\n"
      "case's Reynolds number: Crane (K = f_T l/d, f_T the fully turbulent friction\n"
      "factor of the pipe), Hooper's 2-K (K = K1/Re + Kinf (1 + 1/D), D the inner\n"
      "diameter in inches) and Darby's 3-K (K = K1/Re + Ki (1 + Kd/D^0.3), D the\n"
      "nominal size whose Schedule 40 inner diameter is nearest). A fitting type that a\n"
      "method has no published row for has no K by it.\n"
      "\n"
      "  --format json  (default) one line per counted fitting type:\n"
      "                 {\"type\", \"count\", \"ld\", \"K_ld\", \"K_crane\", \"K_2k\", \"K_3k\"},\n"
      "                 then {\"total\": {\"ld\", \"crane\", \"2k\", \"3k\", \"reynolds\"}} with\n"
      "                 the case's total pressure drop in bar by each method. null where\n"
      "                 a method gives no value (for a total: no K for a counted type).\n"
      "  --format csv   a header line with units, the same rows with the pressure drop\n"
      "                 of each row by each method, and a last row \"total\".\n"
      "\n"
      "Exit status: 0 done, 1 the file cannot be read, 2 the case needs an answer to a\n"
      "prompt, 3 the output could not be written, 64 the command line is wrong.\n";

using Format = CommandLine::Format;

QByteArray jsonRow(const FittingLosses::Row &row)
{
    JsonLine json;
    json.beginObject()
        .value("type", FittingLosses::typeLabel(row.type))
        .value("count", double(row.count))
        .value("ld", row.ld);
    for (FittingMethod method : AllFittingMethods) {
        const QByteArray key = QByteArray("K_") + fittingMethodName(method);
        json.value(key.constData(), row.k[size_t(method)]);
    }
    json.endObject();
    return json.take();
}

QByteArray jsonTotal(const FittingLosses::Table &table)
{
    JsonLine json;
    json.beginObject().beginObject("total");
    for (FittingMethod method : AllFittingMethods)
        json.value(fittingMethodName(method), table.totalDrop[size_t(method)]);
    json.value("reynolds", table.reynolds).endObject().endObject();
    return json.take();
}

} // namespace

int run(const QStringList &arguments, CommandIo &io)
{
    CommandLine line("fittings", Usage);
    const QCommandLineOption format = line.addOption("format", "FORMAT", "json or csv");
    if (!line.parse(arguments, io))
        return line.status();
    const std::optional<Format> chosen = line.format(format, io);
    const std::optional<QString> file = chosen ? line.oneFile(io) : std::nullopt;
    if (!file)
        return line.status();

    Batch::prepareProcess();
    const DvlFile::LoadResult loaded = DvlFile::load(*file);
    if (!loaded.ok()) {
        io.error(loaded.errorMessage);
        return Batch::ExitLoadFailed;
    }
    const FittingLosses::Table table = FittingLosses::of(loaded.projectCase->caseInput());
    if (table.status == CalcEngine::Status::NeedsInput) {
        // The words of the prompt, as 'json' would tell them.
        Batch::Runner runner;
        for (const QString &note :
            runner.runCase(Batch::Mode::Json, *file, *loaded.projectCase).notes)
            io.error(note);
        return Batch::ExitPrompted;
    }

    if (*chosen == Format::Csv) {
        io.out().write(FittingLosses::csv(table));
    } else {
        for (const FittingLosses::Row &row : table.rows)
            io.out().write(jsonRow(row));
        io.out().write(jsonTotal(table));
    }
    return io.out().failed() ? Batch::ExitOutputFailed : Batch::ExitOk;
}

} // namespace FittingsCommand
