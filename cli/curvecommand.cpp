#include "cli/curvecommand.h"

#include "analysis/pumpcurve.h"
#include "analysis/systemcurve.h"
#include "appendages/fittings.h"
#include "calc/basgeneral.h"
#include "cli/batchrun.h"
#include "cli/jsonline.h"
#include "project/dvlfile.h"
#include "project/loadcase.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace {

const char *const Usage
    = "Usage: zeptor-cli curve FILE.dvl [--to FLOW] [--points N] [--pump PUMP.csv]\n"
      "                        [--format json|csv] [--locale NAME]\n"
      "\n"
      "The system curve of a saved case: the case calculated at N flows (default 50)\n"
      "from TO/N up to TO l/h (default 1.5 times the file's flow rate), each exactly\n"
      "as 'zeptor-cli json' calculates the case with that flow rate.\n"
      "\n"
      "  --format json  (default) one JSON object per point and line: the object that\n"
      "                 'json' writes for the case, plus \"flow\" (l/h) and \"head\" (the\n"
      "                 total pressure drop in metres of this liquid).\n"
      "  --format csv   a header line with units, then one row per point; cells of a\n"
      "                 point without a result (friction factor undetermined) are\n"
      "                 empty from the friction factor on.\n"
      "  --pump FILE    a pump curve (CSV: flow [l/h] or flow [m3/h], head [m], and\n"
      "                 optionally efficiency [%] and npshr [m]). With json, a last\n"
      "                 line {\"duty\": {...}} holds the duty point, or {\"duty\": null,\n"
      "                 \"reason\": \"...\"}; with csv, the duty point goes to standard error.\n"
      "  --locale NAME  field texts as for this locale, as with 'json'.\n"
      "\n"
      "Exit status: 0 done, 1 a file cannot be read, 2 a point needed an answer to a\n"
      "prompt (it is left out), 64 the command line is wrong.\n";

enum class Format { Json, Csv };

struct Options
{
    QString file;
    std::optional<double> to;
    int points = 50;
    QString pump;
    Format format = Format::Json;
};

int usageError(const QString &message)
{
    std::fprintf(
        stderr, "zeptor-cli curve: %s\nTry 'zeptor-cli curve --help'.\n", qPrintable(message));
    return Batch::ExitUsage;
}

// Parses the arguments; a usage error's exit status, or nothing when they are sound.
std::optional<int> parse(const QStringList &args, Options &options)
{
    bool optionsEnded = false;
    QStringList files;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (optionsEnded || !arg.startsWith(QLatin1Char('-'))) {
            files << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            std::fputs(Usage, stdout);
            return Batch::ExitOk;
        }
        QString name = arg.section(QLatin1Char('='), 0, 0);
        QString value = arg.section(QLatin1Char('='), 1);
        const bool known = name == QLatin1String("--to") || name == QLatin1String("--points")
            || name == QLatin1String("--pump") || name == QLatin1String("--format")
            || name == QLatin1String("--locale");
        if (!known)
            return usageError(QStringLiteral("unknown option '%1'").arg(arg));
        if (!arg.contains(QLatin1Char('='))) {
            if (++i >= args.size())
                return usageError(QStringLiteral("%1 needs a value").arg(name));
            value = args.at(i);
        }
        bool ok = false;
        if (name == QLatin1String("--to")) {
            // Numbers on the command line use "." whatever the locale, as in the files.
            const double to = value.toDouble(&ok);
            if (!ok || !std::isfinite(to) || !(to > 0))
                return usageError(QStringLiteral("--to needs a flow above 0 in l/h"));
            options.to = to;
        } else if (name == QLatin1String("--points")) {
            const int points = value.toInt(&ok);
            if (!ok || points < 1 || points > 1000000)
                return usageError(
                    QStringLiteral("--points needs a whole number from 1 to 1000000"));
            options.points = points;
        } else if (name == QLatin1String("--pump")) {
            options.pump = value;
        } else if (name == QLatin1String("--format")) {
            if (value == QLatin1String("json"))
                options.format = Format::Json;
            else if (value == QLatin1String("csv"))
                options.format = Format::Csv;
            else
                return usageError(QStringLiteral("--format is json or csv"));
        } else {
            QLocale::setDefault(QLocale(value));
        }
    }
    if (files.size() != 1)
        return usageError(files.isEmpty() ? QStringLiteral("no project file given")
                                          : QStringLiteral("one project file at a time"));
    options.file = files.first();
    return std::nullopt;
}

void writeErr(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stderr);
}

QByteArray dutyJson(const SystemCurve::Duty &duty, const PumpCurve &pump)
{
    JsonLine json;
    json.beginObject();
    if (!duty.found) {
        json.value("duty", std::numeric_limits<double>::quiet_NaN()); // written as null
        json.value("reason", duty.reason);
        json.endObject();
        return json.take();
    }
    json.beginObject("duty")
        .value("flow", duty.system.flow)
        .value("head", duty.system.head)
        .value("pump_head", duty.pumpHead);
    if (pump.hasEfficiency())
        json.value("efficiency", duty.efficiency);
    if (pump.hasNpshr())
        json.value("npshr", duty.npshr);
    if (pump.hasEfficiency())
        json.value("shaft_power", duty.shaftPower);
    json.endObject();
    json.endObject();
    return json.take();
}

QString dutyNote(const SystemCurve::Duty &duty)
{
    if (!duty.found)
        return QStringLiteral("no duty point: %1").arg(duty.reason);
    return QStringLiteral("duty point: flow %1 l/h, head %2 m")
        .arg(QString::fromLatin1(JsonLine::number(duty.system.flow)),
            QString::fromLatin1(JsonLine::number(duty.system.head)));
}

} // namespace

int curveCommand(const QStringList &args)
{
    Options options;
    if (const std::optional<int> status = parse(args, options))
        return *status;

    Batch::prepareProcess();
    const DvlFile::LoadResult loaded = DvlFile::load(options.file);
    if (!loaded.ok()) {
        writeErr(loaded.errorMessage);
        return Batch::ExitLoadFailed;
    }
    std::optional<PumpCurve> pump;
    if (!options.pump.isEmpty()) {
        PumpCurve::Read read = PumpCurve::load(options.pump);
        if (!read.ok()) {
            writeErr(read.error);
            return Batch::ExitLoadFailed;
        }
        pump = std::move(read.curve);
    }

    const ProjectCase &fileCase = *loaded.projectCase;
    Batch::Runner runner;
    if (!options.to && !(fileCase.entries.FlowRate > 0)) {
        // Without a flow rate of its own the case prompts for one, as 'json' would tell.
        for (const QString &note : runner.runCase(Batch::Mode::Json, options.file, fileCase).notes)
            writeErr(note);
        return Batch::ExitPrompted;
    }
    const double to = options.to.value_or(1.5 * fileCase.entries.FlowRate);

    // The l/d totals as the load computes them from the counts.
    BasGeneral general;
    fileCase.applyTo(general);
    const double bendsLd = totalLd(LoadCase::bendCountTexts(general), BendTable);
    const double valvesLd = totalLd(LoadCase::valveCountTexts(general), ValveTable);
    const double density = fileCase.entries.Density;

    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return Batch::ExitLoadFailed;
    if (options.format == Format::Csv)
        out.write(SystemCurve::csvHeader());

    bool prompted = false;
    ProjectCase pointCase = fileCase;
    for (double flow : SystemCurve::flows(to, options.points)) {
        pointCase.entries.FlowRate = flow;
        // The head is added inside the object that 'json' writes, so it is taken from the
        // pure calculation; should the window's numbers ever differ, the sheet's win.
        double head = SystemCurve::pointAt(fileCase.entries, bendsLd, valvesLd, flow).head;
        const auto extra = [&](JsonLine &json) { json.value("flow", flow).value("head", head); };
        Batch::FileResult result
            = runner.runCase(Batch::Mode::Json, options.file, pointCase, extra);
        if (result.outcome == Batch::Outcome::Prompted) {
            prompted = true;
            for (const QString &note : result.notes)
                writeErr(QStringLiteral("%1 (flow %2 l/h)")
                             .arg(note, QString::fromLatin1(JsonLine::number(flow))));
            continue;
        }
        const double sheetHead = SystemCurve::headOf(result.results.TotalPressureDrop, density);
        if (options.format == Format::Csv) {
            const bool hasResult
                = result.status == SystemCurve::statusText(CalcEngine::Status::Laminar)
                || result.status == SystemCurve::statusText(CalcEngine::Status::Turbulent);
            out.write(SystemCurve::csvRow(flow, result.status, hasResult, result.results, density));
            continue;
        }
        if (!(sheetHead == head || (std::isnan(sheetHead) && std::isnan(head)))) {
            head = sheetHead;
            result = runner.runCase(Batch::Mode::Json, options.file, pointCase, extra);
        }
        out.write(result.output);
    }

    if (pump) {
        const SystemCurve::Duty duty
            = SystemCurve::dutyPoint(fileCase.entries, bendsLd, valvesLd, *pump);
        if (options.format == Format::Json)
            out.write(dutyJson(duty, *pump));
        else
            writeErr(dutyNote(duty));
    }
    out.flush();
    return prompted ? Batch::ExitPrompted : Batch::ExitOk;
}
