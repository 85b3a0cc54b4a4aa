#include "cli/sizecommand.h"

#include "cli/batchrun.h"
#include "cli/commandio.h"
#include "cli/commandline.h"
#include "cli/exitstatus.h"
#include "project/dvlfile.h"
#include "sizing/linesizing.h"
#include "sizing/pipetable.h"
#include "sizing/sizingtable.h"

#include <optional>

namespace SizeCommand {

namespace {

const char *const Usage
    = "Usage: zeptor-cli size FILE.dvl [--standard ISO|DIN|all | --table PIPES.csv]\n"
      "                       [--format json|csv] [--locale NAME]\n"
      "\n"
      "Calculates the case of FILE.dvl, loaded as the json command loads it, once for\n"
      "every inner diameter of a pipe table: the diameter picker's tables in its order\n"
      "(ISO 9 rows, then DIN 17 rows), or the rows of a table of your own. The\n"
      "fittings' equivalent length in metres follows the diameter, as in the window.\n"
      "\n"
      "Options:\n"
      "  --standard ISO|DIN|all  the picker's table to use (default all).\n"
      "  --table PIPES.csv       a pipe table of your own instead: the header line\n"
      "                          \"size,inner diameter [mm]\", then one pipe per line\n"
      "                          (DN 50,54.5), \".\" as decimal separator.\n"
      "  --format json|csv       json (default): per row, the object that the json\n"
      "                          command writes for the case with that diameter, plus\n"
      "                          \"standard\", \"size\" and \"inner_diameter\" (mm).\n"
      "                          csv: a header line with units and one line per pipe,\n"
      "                          the same bytes under every locale.\n"
      "  --locale NAME           field texts as for this locale, as with 'json'.\n"
      "  --help                  show this text.\n"
      "\n"
      "A row whose case would prompt for an entry is left out with a line on standard\n"
      "error.\n"
      "\n"
      "Exit status:\n"
      "  0   every row was calculated\n"
      "  1   the project file or the pipe table could not be loaded\n"
      "  2   a row needed an answer to a prompt\n"
      "  3   the output could not be written\n"
      "  64  the command line is wrong\n";

using Format = CommandLine::Format;

struct Options
{
    QString file;
    PipeTable::Standard standard = PipeTable::Standard::All;
    QString table;
    Format format = Format::Json;
};

std::optional<PipeTable::Standard> standardNamed(const QString &name)
{
    if (name.compare(QLatin1String("ISO"), Qt::CaseInsensitive) == 0)
        return PipeTable::Standard::Iso;
    if (name.compare(QLatin1String("DIN"), Qt::CaseInsensitive) == 0)
        return PipeTable::Standard::Din;
    if (name.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0)
        return PipeTable::Standard::All;
    return std::nullopt;
}

// Reads the command line into `options`; the exit status where the command must end.
std::optional<int> parse(const QStringList &arguments, CommandIo &io, Options &options)
{
    CommandLine line("size", Usage);
    const QCommandLineOption standard = line.addOption("standard", "STANDARD", "ISO, DIN or all");
    const QCommandLineOption table = line.addOption("table", "PIPES", "a file name");
    const QCommandLineOption format = line.addOption("format", "FORMAT", "json or csv");
    const QCommandLineOption locale = line.addOption("locale", "NAME", "a name");
    if (!line.parse(arguments, io))
        return line.status();
    if (line.isSet(standard)) {
        const auto named = standardNamed(line.value(standard));
        if (!named) {
            return line.usageError(io,
                QStringLiteral("--standard takes ISO, DIN or all, not '%1'")
                    .arg(line.value(standard)));
        }
        options.standard = *named;
    }
    options.table = line.value(table);
    if (line.isSet(table) && line.isSet(standard))
        return line.usageError(io,
            QStringLiteral("--standard and --table exclude each other: the rows come from the "
                           "standard or from the table"));
    const std::optional<Format> chosen = line.format(format, io);
    const std::optional<QString> file = chosen ? line.oneFile(io) : std::nullopt;
    if (!file || !line.applyLocale(locale, io))
        return line.status();
    options.format = *chosen;
    options.file = *file;
    return std::nullopt;
}

void tellPrompt(CommandIo &io, const Batch::FileResult &result, const PipeSize &pipe)
{
    for (const QString &note : result.notes)
        io.error(QStringLiteral("%1 (%2 %3)").arg(note, pipe.standard, pipe.size));
}

} // namespace

int run(const QStringList &arguments, CommandIo &io)
{
    Options options;
    if (const std::optional<int> status = parse(arguments, io, options))
        return *status;

    Batch::prepareProcess();
    std::vector<PipeSize> pipes;
    if (options.table.isEmpty()) {
        pipes = PipeTable::builtIn(options.standard);
    } else {
        const PipeTable::LoadResult table = PipeTable::load(options.table);
        if (!table.ok()) {
            io.error(table.errorMessage);
            return Batch::ExitLoadFailed;
        }
        pipes = *table.pipes;
    }
    const DvlFile::LoadResult loaded = DvlFile::load(options.file);
    if (!loaded.ok()) {
        io.error(loaded.errorMessage);
        return Batch::ExitLoadFailed;
    }

    bool prompted = false;
    Batch::Runner runner;
    const ProjectCase &fileCase = *loaded.projectCase;
    const CaseInput fileInput = fileCase.caseInput();
    const auto sheetRow = [&](const PipeSize &pipe, const Batch::JsonExtra &extra) {
        ProjectCase sized = fileCase;
        sized.entries.InnerDiameter = pipe.innerDiameter;
        return runner.runCase(Batch::Mode::Json, options.file, sized, extra);
    };
    if (options.format == Format::Csv)
        io.out().write(SizingTable::csvHeader());
    for (const PipeSize &pipe : pipes) {
        if (io.out().failed())
            break;
        if (options.format == Format::Csv) {
            // One calculation; the sheet only for the words of a prompt.
            const SizingRow row = LineSizing::row(pipe, fileInput);
            if (row.status == CalcEngine::Status::NeedsInput) {
                prompted = true;
                tellPrompt(io, sheetRow(pipe, {}), pipe);
                continue;
            }
            io.out().write(SizingTable::csvLine(row));
            continue;
        }
        const auto extra = [&pipe](JsonLine &json, const CalcSheet &) {
            json.value("standard", pipe.standard)
                .value("size", pipe.size)
                .value("inner_diameter", pipe.innerDiameter);
        };
        const Batch::FileResult result = sheetRow(pipe, extra);
        if (result.outcome != Batch::Outcome::Done) {
            prompted = true;
            tellPrompt(io, result, pipe);
            continue;
        }
        io.out().write(result.output);
    }
    if (io.out().failed())
        return Batch::ExitOutputFailed;
    return prompted ? Batch::ExitPrompted : Batch::ExitOk;
}

} // namespace SizeCommand
