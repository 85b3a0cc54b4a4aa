#include "cli/curvecommand.h"

#include "cli/batchrun.h"
#include "cli/commandio.h"
#include "cli/commandline.h"
#include "cli/exitstatus.h"
#include "cli/jsonline.h"
#include "curve/pumpcurve.h"
#include "curve/systemcurve.h"
#include "project/dvlfile.h"

#include <cmath>
#include <limits>
#include <optional>

namespace CurveCommand {

namespace {

constexpr int DefaultPoints = 50;
constexpr int MaxPoints = 1000000;

const char *const Usage
    = "Usage: zeptor-cli curve FILE.dvl [--to FLOW] [--points N] [--pump PUMP.csv]\n"
      "                        [--format json|csv] [--locale NAME]\n"
      "\n"
      "The system curve of a saved case: the case calculated at N flows (default 50)\n"
      "from TO/N up to TO l/h (default 1.5 times the file's flow rate), each exactly\n"
      "as 'zeptor-cli json' calculates the case with that flow rate.\n"
      "\n"
      "  --points N     1 to 1000000 points.\n"
      "  --format json  (default) one JSON object per point and line: the object that\n"
      "                 'json' writes for the case, plus \"flow\" (l/h) and \"head\" (the\n"
      "                 total pressure drop in metres of this liquid; null where the\n"
      "                 case has no result at that flow).\n"
      "  --format csv   a header line with units, then one row per point; cells of a\n"
      "                 point without a result (friction factor undetermined) are\n"
      "                 empty from the friction factor on.\n"
      "  --pump FILE    a pump curve (CSV: flow [l/h] or flow [m3/h], head [m], and\n"
      "                 optionally efficiency [%] and npshr [m], whose cells may be\n"
      "                 empty where a point has no such value). With json, a last\n"
      "                 line {\"duty\": {...}} holds the duty point, or {\"duty\": null,\n"
      "                 \"reason\": \"...\"}. With csv, a last column \"pump head [m]\"\n"
      "                 (empty outside the pump's points), and after the rows a comment\n"
      "                 line \"# duty: flow ... l/h, head ... m, ...\" (or \"# duty: none,\"\n"
      "                 and the reason), also written to standard error.\n"
      "                 Where a point needs an answer to a prompt, there is no duty point.\n"
      "  --locale NAME  field texts as for this locale, as with 'json'.\n"
      "\n"
      "Exit status: 0 done, 1 a file cannot be read, 2 a point needed an answer to a\n"
      "prompt (it is left out), 3 the output could not be written, 64 the command\n"
      "line is wrong.\n";

using Format = CommandLine::Format;

struct Options
{
    QString file;
    std::optional<double> to;
    int points = DefaultPoints;
    QString pump;
    Format format = Format::Json;
};

// Reads the command line into `options`; the exit status where the command must end.
std::optional<int> parse(const QStringList &arguments, CommandIo &io, Options &options)
{
    CommandLine line("curve", Usage);
    const QCommandLineOption to = line.addOption("to", "FLOW", "a flow in l/h");
    const QCommandLineOption points = line.addOption("points", "N", "a number");
    const QCommandLineOption pump = line.addOption("pump", "PUMP", "a file name");
    const QCommandLineOption format = line.addOption("format", "FORMAT", "json or csv");
    const QCommandLineOption locale = line.addOption("locale", "NAME", "a name");
    if (!line.parse(arguments, io))
        return line.status();
    if (line.isSet(to)) {
        options.to = line.number(to, io);
        if (!options.to)
            return line.status();
        if (!(*options.to > 0))
            return line.usageError(io, QStringLiteral("--to needs a flow above 0 in l/h"));
    }
    if (line.isSet(points)) {
        bool ok = false;
        options.points = line.value(points).toInt(&ok);
        if (!ok || options.points < 1 || options.points > MaxPoints)
            return line.usageError(
                io, QStringLiteral("--points needs a whole number from 1 to %1").arg(MaxPoints));
    }
    options.pump = line.value(pump);
    const std::optional<Format> chosen = line.format(format, io);
    const std::optional<QString> file = chosen ? line.oneFile(io) : std::nullopt;
    if (!file || !line.applyLocale(locale, io))
        return line.status();
    options.format = *chosen;
    options.file = *file;
    return std::nullopt;
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

class CurveRun
{
public:
    CurveRun(const Options &options, const ProjectCase &fileCase, CommandIo &io)
        : m_options(options)
        , m_fileCase(fileCase)
        , m_case(fileCase.caseInput())
        , m_io(io)
    { }

    // Writes every point; false where one needed an answer to a prompt.
    bool writePoints(double to, const PumpCurve *pump)
    {
        m_pump = pump;
        if (m_options.format == Format::Csv)
            m_io.out().write(SystemCurve::csvHeader(pump));
        bool prompted = false;
        QByteArray row;
        for (double flow : SystemCurve::flows(to, m_options.points)) {
            if (m_io.out().failed())
                break;
            const bool done
                = m_options.format == Format::Csv ? writeCsvPoint(flow, row) : writeJsonPoint(flow);
            prompted = prompted || !done;
        }
        return !prompted;
    }

    const CaseInput &caseInput() const { return m_case; }

private:
    // One calculation: the row from the pure calculation, or, where the case would
    // prompt, the prompt's words from the sheet.
    bool writeCsvPoint(double flow, QByteArray &row)
    {
        const SystemCurve::Point point = SystemCurve::pointAt(m_case, flow);
        if (point.outcome.status == CalcEngine::Status::NeedsInput) {
            tellPrompt(runAt(flow, {}), flow);
            return false;
        }
        row.resize(0);
        SystemCurve::appendCsvRow(row, point, m_pump);
        m_io.out().write(row);
        return true;
    }

    // One calculation by the sheet, as 'json' does it; the head comes from its results.
    bool writeJsonPoint(double flow)
    {
        const double density = m_case.inputs.Density;
        const Batch::JsonExtra extra = [flow, density](JsonLine &json, const CalcSheet &sheet) {
            const SystemCurve::Point point = SystemCurve::pointOf(
                flow, CalcEngine::Outcome{sheet.outcome(), sheet.results()}, density);
            json.value("flow", flow).value("head", point.head);
        };
        const Batch::FileResult result = runAt(flow, extra);
        if (result.outcome == Batch::Outcome::Prompted) {
            tellPrompt(result, flow);
            return false;
        }
        m_io.out().write(result.output);
        return true;
    }

    Batch::FileResult runAt(double flow, const Batch::JsonExtra &extra)
    {
        ProjectCase pointCase = m_fileCase;
        pointCase.entries.FlowRate = flow;
        return m_runner.runCase(Batch::Mode::Json, m_options.file, pointCase, extra);
    }

    void tellPrompt(const Batch::FileResult &result, double flow) const
    {
        for (const QString &note : result.notes)
            m_io.error(QStringLiteral("%1 (flow %2 l/h)")
                           .arg(note, QString::fromLatin1(JsonLine::number(flow))));
    }

    const Options &m_options;
    const ProjectCase &m_fileCase;
    CaseInput m_case;
    CommandIo &m_io;
    Batch::Runner m_runner;
    const PumpCurve *m_pump = nullptr;
};

} // namespace

int run(const QStringList &arguments, CommandIo &io)
{
    Options options;
    if (const std::optional<int> status = parse(arguments, io, options))
        return *status;

    Batch::prepareProcess();
    const DvlFile::LoadResult loaded = DvlFile::load(options.file);
    if (!loaded.ok()) {
        io.error(loaded.errorMessage);
        return Batch::ExitLoadFailed;
    }
    std::optional<PumpCurve> pump;
    if (!options.pump.isEmpty()) {
        PumpCurve::Read read = PumpCurve::load(options.pump);
        if (!read.ok()) {
            io.error(read.error);
            return Batch::ExitLoadFailed;
        }
        pump = std::move(read.curve);
    }

    const ProjectCase &fileCase = *loaded.projectCase;
    if (!options.to && !(fileCase.entries.FlowRate > 0)) {
        // Without a flow rate of its own the case prompts for one, as 'json' would tell.
        Batch::Runner runner;
        for (const QString &note : runner.runCase(Batch::Mode::Json, options.file, fileCase).notes)
            io.error(note);
        return Batch::ExitPrompted;
    }
    const double to = options.to.value_or(1.5 * fileCase.entries.FlowRate);
    if (!std::isfinite(to * options.points)) {
        io.error(QStringLiteral("zeptor-cli: the flows up to %1 l/h are too large to be split "
                                "into %2 points; give a smaller --to")
                     .arg(QString::fromLatin1(JsonLine::number(to)))
                     .arg(options.points));
        return Batch::ExitUsage;
    }

    CurveRun curve(options, fileCase, io);
    if (!curve.writePoints(to, pump ? &*pump : nullptr))
        return Batch::ExitPrompted; // the case needs an answer: no duty point either
    if (pump && !io.out().failed()) {
        const SystemCurve::Duty duty = SystemCurve::dutyPoint(curve.caseInput(), *pump);
        if (options.format == Format::Json) {
            io.out().write(dutyJson(duty, *pump));
        } else {
            io.out().write(SystemCurve::csvDutyLine(duty));
            io.error(dutyNote(duty));
        }
    }
    return io.out().failed() ? Batch::ExitOutputFailed : Batch::ExitOk;
}

} // namespace CurveCommand
