#include "cli/curvecommand.h"

#include "cli/batchrun.h"
#include "cli/commandio.h"
#include "cli/curveoptions.h"
#include "cli/exitstatus.h"
#include "cli/jsonline.h"
#include "curve/pumpcurve.h"
#include "curve/pumpset.h"
#include "curve/systemcurve.h"
#include "fittings/fittingtexts.h"
#include "project/dvlfile.h"
#include "project/shownpath.h"

#include <cmath>
#include <limits>
#include <optional>

namespace CurveCommand {

namespace {

using CurveOptions::Options;
using Format = CommandLine::Format;

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
    json.value("speed", duty.speed)
        .value("pumps", double(duty.pumps))
        .value("arrangement", arrangementName(duty.arrangement))
        .value("flow_per_pump", duty.flowPerPump)
        .value("head_per_pump", duty.headPerPump);
    if (pump.hasEfficiency())
        json.value("specific_energy", duty.specificEnergy);
    if (duty.npshChecked) {
        json.value("npsha", duty.npsha);
        if (pump.hasNpshr()) {
            json.value("npsh_ratio", duty.npshRatio);
            json.value("max_flow_npsh",
                duty.maxFlowNpsh.value_or(std::numeric_limits<double>::quiet_NaN()));
        }
    }
    json.beginArray("crossings");
    for (const SystemCurve::Crossing &c : duty.crossings) {
        json.beginObject().value("flow", c.flow).value("head", c.head).flag("stable", c.stable);
        json.endObject();
    }
    json.endArray();
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

// The points of the curve: each the case (and its suction side) at that flow, and in
// CSV with pumps their head at that flow.
class CurveRun
{
public:
    CurveRun(const Options &options, const ProjectCase &fileCase, const SystemCurve::System &system,
        const PumpSet *pumps, CommandIo &io)
        : m_options(options)
        , m_fileCase(fileCase)
        , m_system(system)
        , m_pumps(pumps)
        , m_io(io)
        , m_npshaColumn(system.suction && options.npsh.vapourPressure)
    { }

    // Writes every point; false where one needed an answer to a prompt.
    bool writePoints(double to)
    {
        if (m_options.format == Format::Csv) {
            QByteArray header = SystemCurve::csvHeader(m_system.suction.has_value(), m_npshaColumn);
            if (m_pumps)
                SystemCurve::addPumpHeading(header);
            m_io.out().write(header);
        }
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

private:
    // One calculation of each side: the row from the pure calculation, or, where the
    // case would prompt, the prompt's words from the sheet.
    bool writeCsvPoint(double flow, QByteArray &row)
    {
        const SystemCurve::SystemPoint point = SystemCurve::systemAt(m_system, flow);
        if (point.discharge.outcome.status == CalcEngine::Status::NeedsInput) {
            tellPrompt(runAt(flow, {}), flow);
            return false;
        }
        row.resize(0);
        if (m_system.suction)
            SystemCurve::appendCsvRow(row, point, m_npshaColumn, npsha(point));
        else
            SystemCurve::appendCsvRow(row, point.discharge);
        if (m_pumps)
            SystemCurve::addPumpHead(row, *m_pumps, flow);
        m_io.out().write(row);
        return true;
    }

    // The discharge side by the sheet, as 'json' does it, the suction side by the pure
    // calculation; the heads come from those results. With the fittings by another
    // method than l/d both sides come from the pure calculation by that method.
    bool writeJsonPoint(double flow)
    {
        const FittingMethod method = m_system.discharge.fittings;
        std::optional<SystemCurve::Point> suction;
        if (m_system.suction)
            suction = SystemCurve::pointAt(*m_system.suction, flow, m_system.extraLoss);
        const double density = m_system.discharge.inputs.Density;
        const Batch::JsonExtra extra = [&](JsonLine &json, const CalcSheet &sheet) {
            const SystemCurve::SystemPoint point{method == FittingMethod::Ld
                    ? SystemCurve::pointOf(
                        flow, CalcEngine::Outcome{sheet.outcome(), sheet.results()}, density)
                    : SystemCurve::pointAt(m_system.discharge, flow, m_system.extraLoss),
                suction};
            json.value("flow", flow);
            if (method != FittingMethod::Ld)
                json.value("fittings", QString::fromLatin1(fittingMethodName(method)));
            json.value("head", point.head());
            if (suction) {
                json.value("suction_head", point.hasResult() ? suction->head : std::nan(""));
                if (m_npshaColumn)
                    json.value("npsha", npsha(point));
            }
        };
        const Batch::FileResult result = runAt(flow, extra);
        if (result.outcome == Batch::Outcome::Prompted) {
            tellPrompt(result, flow);
            return false;
        }
        m_io.out().write(result.output);
        return true;
    }

    double npsha(const SystemCurve::SystemPoint &point) const
    {
        return SystemCurve::npshAvailable(m_system, m_options.npsh, point);
    }

    Batch::FileResult runAt(double flow, const Batch::JsonExtra &extra)
    {
        ProjectCase pointCase = m_fileCase;
        pointCase.entries
            = SystemCurve::caseAt(m_system.discharge, flow, m_system.extraLoss).inputs;
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
    const SystemCurve::System &m_system;
    const PumpSet *m_pumps;
    CommandIo &m_io;
    bool m_npshaColumn;
    Batch::Runner m_runner;
};

// The pumps at the speed asked for or at the speed found for a flow, and their duty
// point; where no speed meets that flow, the pumps at the speed asked for and the reason.
struct Pumped
{
    PumpSet pumps;
    SystemCurve::Duty duty;
};

Pumped pumped(const Options &options, const SystemCurve::System &system, const PumpCurve &pump)
{
    if (options.dutyFlow) {
        const SystemCurve::SpeedForFlow found = SystemCurve::speedForFlow(
            system, pump, options.pumps, options.arrangement, *options.dutyFlow);
        if (!found.speed) {
            Pumped none{PumpSet(pump, options.speed, options.pumps, options.arrangement), {}};
            none.duty.reason = found.reason;
            return none;
        }
        const PumpSet pumps(pump, *found.speed, options.pumps, options.arrangement);
        return {pumps, SystemCurve::dutyPoint(system, pumps, &options.npsh)};
    }
    const PumpSet pumps(pump, options.speed, options.pumps, options.arrangement);
    return {pumps, SystemCurve::dutyPoint(system, pumps, &options.npsh)};
}

// A note where the two sides do not hold the same liquid.
void tellLiquids(
    CommandIo &io, const Options &options, const Inputs &discharge, const Inputs &suction)
{
    if (discharge.Density == suction.Density && discharge.Viscosity == suction.Viscosity)
        return;
    io.error(QStringLiteral("zeptor-cli: %1 and %2 give different liquids (density %3 and %4 "
                            "kg/m3, viscosity %5 and %6 cP); each side is calculated with its own")
                 .arg(shownPath(options.file), shownPath(options.suction),
                     QString::fromLatin1(JsonLine::number(discharge.Density)),
                     QString::fromLatin1(JsonLine::number(suction.Density)),
                     QString::fromLatin1(JsonLine::number(discharge.Viscosity)),
                     QString::fromLatin1(JsonLine::number(suction.Viscosity))));
}

} // namespace

int run(const QStringList &arguments, CommandIo &io)
{
    Options options;
    if (const std::optional<int> status = CurveOptions::parse(arguments, io, options))
        return *status;

    Batch::prepareProcess();
    const DvlFile::LoadResult loaded = DvlFile::load(options.file);
    if (!loaded.ok()) {
        io.error(loaded.errorMessage);
        return Batch::ExitLoadFailed;
    }
    std::optional<DvlFile::LoadResult> suctionFile;
    if (!options.suction.isEmpty()) {
        suctionFile = DvlFile::load(options.suction);
        if (!suctionFile->ok()) {
            io.error(suctionFile->errorMessage);
            return Batch::ExitLoadFailed;
        }
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

    SystemCurve::System system{
        fileCase.caseInput().withFittings(options.fittings), std::nullopt, options.extraLoss};
    if (suctionFile) {
        const ProjectCase &suctionCase = *suctionFile->projectCase;
        system.suction = suctionCase.caseInput().withFittings(options.fittings);
        tellLiquids(io, options, fileCase.entries, suctionCase.entries);
    }
    // A method without a K for a counted fitting would draw a curve without it.
    const std::pair<const CaseInput *, QString> sides[] = {{&system.discharge, options.file},
        {system.suction ? &*system.suction : nullptr, options.suction}};
    for (const auto &[side, file] : sides) {
        const QString uncovered = side ? FittingTexts::curveNote(*side) : QString();
        if (!uncovered.isEmpty()) {
            io.error(QStringLiteral("zeptor-cli: %1: %2").arg(shownPath(file), uncovered));
            return Batch::ExitPrompted;
        }
    }
    const std::optional<Pumped> duty
        = pump ? std::optional<Pumped>(pumped(options, system, *pump)) : std::nullopt;
    CurveRun curve(options, fileCase, system, duty ? &duty->pumps : nullptr, io);
    if (!curve.writePoints(to))
        return Batch::ExitPrompted; // the case needs an answer: no duty point either
    if (duty && !io.out().failed()) {
        if (options.format == Format::Json) {
            io.out().write(dutyJson(duty->duty, *pump));
        } else {
            // After the rows, and on standard error as before.
            io.out().write(SystemCurve::csvDutyLine(duty->duty));
            io.error(dutyNote(duty->duty));
        }
    }
    return io.out().failed() ? Batch::ExitOutputFailed : Batch::ExitOk;
}

} // namespace CurveCommand
