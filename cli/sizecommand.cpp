#include "cli/sizecommand.h"

#include "analysis/linesizing.h"
#include "analysis/pipetable.h"
#include "analysis/sizingtable.h"
#include "cli/batchrun.h"
#include "project/dvlfile.h"

#include <QFile>

#include <cstdio>
#include <optional>

namespace SizeCommand {

namespace {

const char *const Usage
    = "Usage: zeptor-cli size FILE.dvl [--standard ISO|DIN|all] [--table PIPES.csv]\n"
      "                       [--format json|csv]\n"
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
      "  --help                  show this text.\n"
      "\n"
      "A row whose case would prompt for an entry is left out with a line on standard\n"
      "error.\n"
      "\n"
      "Exit status:\n"
      "  0   every row was calculated\n"
      "  1   the project file or the pipe table could not be loaded\n"
      "  2   a row needed an answer to a prompt\n"
      "  64  the command line is wrong\n";

enum class Format { Json, Csv };

struct Options
{
    QString file;
    PipeTable::Standard standard = PipeTable::Standard::All;
    QString table;
    Format format = Format::Json;
    bool help = false;
};

int usageError(const QString &message)
{
    std::fprintf(
        stderr, "zeptor-cli size: %s\nTry 'zeptor-cli size --help'.\n", qPrintable(message));
    return Batch::ExitUsage;
}

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

// Fills `options`; returns an error message for a wrong command line.
QString parse(const QStringList &args, Options &options)
{
    bool optionsEnded = false;
    QStringList files;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            files << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
            continue;
        }
        const QString name = arg.section(QLatin1Char('='), 0, 0);
        QString value = arg.section(QLatin1Char('='), 1);
        if (name != QLatin1String("--standard") && name != QLatin1String("--table")
            && name != QLatin1String("--format"))
            return QStringLiteral("unknown option '%1'").arg(arg);
        if (!arg.contains(QLatin1Char('='))) {
            if (++i >= args.size())
                return QStringLiteral("%1 needs a value").arg(name);
            value = args.at(i);
        }
        if (name == QLatin1String("--standard")) {
            const auto standard = standardNamed(value);
            if (!standard)
                return QStringLiteral("--standard takes ISO, DIN or all, not '%1'").arg(value);
            options.standard = *standard;
        } else if (name == QLatin1String("--table")) {
            options.table = value;
        } else if (value == QLatin1String("json")) {
            options.format = Format::Json;
        } else if (value == QLatin1String("csv")) {
            options.format = Format::Csv;
        } else {
            return QStringLiteral("--format takes json or csv, not '%1'").arg(value);
        }
    }
    if (options.help)
        return {};
    if (files.isEmpty())
        return QStringLiteral("no project file given");
    if (files.size() > 1)
        return QStringLiteral("one project file only");
    options.file = files.first();
    return {};
}

} // namespace

int run(const QStringList &args)
{
    Options options;
    const QString wrong = parse(args, options);
    if (!wrong.isEmpty())
        return usageError(wrong);
    if (options.help) {
        std::fputs(Usage, stdout);
        return Batch::ExitOk;
    }

    Batch::prepareProcess();
    QFile out;
    QFile err;
    if (!out.open(stdout, QIODevice::WriteOnly) || !err.open(stderr, QIODevice::WriteOnly))
        return Batch::ExitLoadFailed;

    std::vector<PipeSize> pipes;
    if (options.table.isEmpty()) {
        pipes = PipeTable::builtIn(options.standard);
    } else {
        const PipeTable::LoadResult table = PipeTable::load(options.table);
        if (!table.ok()) {
            err.write(table.errorMessage.toUtf8() + '\n');
            return Batch::ExitLoadFailed;
        }
        pipes = *table.pipes;
    }
    const DvlFile::LoadResult loaded = DvlFile::load(options.file);
    if (!loaded.ok()) {
        err.write(loaded.errorMessage.toUtf8() + '\n');
        return Batch::ExitLoadFailed;
    }

    bool prompted = false;
    Batch::Runner runner;
    if (options.format == Format::Csv)
        out.write(SizingTable::csvHeader());
    for (const PipeSize &pipe : pipes) {
        ProjectCase sized = *loaded.projectCase;
        sized.entries.InnerDiameter = pipe.innerDiameter;
        const auto extra = [&pipe](JsonLine &json) {
            json.value("standard", pipe.standard)
                .value("size", pipe.size)
                .value("inner_diameter", pipe.innerDiameter);
        };
        const Batch::FileResult result
            = runner.runCase(Batch::Mode::Json, options.file, sized, extra);
        if (result.outcome != Batch::Outcome::Done) {
            prompted = true;
            for (const QString &note : result.notes)
                err.write(
                    QStringLiteral("%1 (%2 %3)\n").arg(note, pipe.standard, pipe.size).toUtf8());
            continue;
        }
        if (options.format == Format::Json) {
            out.write(result.output);
        } else {
            // The l/d totals as the load left them in the record.
            out.write(SizingTable::csvLine(LineSizing::row(
                pipe, sized.entries, result.results.BendsLd, result.results.ValvesLd)));
        }
    }
    out.flush();
    err.flush();
    return prompted ? Batch::ExitPrompted : Batch::ExitOk;
}

} // namespace SizeCommand
