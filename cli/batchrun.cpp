#include "cli/batchrun.h"

#include "calc/basgeneral.h"
#include "calc/calcsheet.h"
#include "cli/batchdialogs.h"
#include "cli/jsonline.h"
#include "pickers/pickertables.h"
#include "project/dvlfile.h"
#include "project/loadcase.h"
#include "project/reportlayout.h"
#include "project/shownpath.h"

#include <QFileInfo>
#include <QIODevice>

namespace Batch {

namespace {

const QByteArray ReportSeparator = QByteArrayLiteral("\f\n");

// The prompt's message is two lines joined by a carriage return; one line here.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QByteArray jsonOf(const QString &path, const CalcSheet &sheet, const QStringList &messages,
    const JsonExtra &extra)
{
    const Results &r = sheet.results();
    JsonLine json;
    json.beginObject();
    json.value("file", path);
    json.value("status", sheet.status());
    json.beginObject("fields");
    for (int index = 1; index < Text0Size; ++index) {
        if (fieldExists(index))
            json.value(index, sheet.Text0(index));
    }
    json.endObject();
    json.beginObject("results")
        .value("Velocity", r.Velocity)
        .value("Reynolds", r.Reynolds)
        .value("FrictionFactor", r.FrictionFactor)
        .value("PipeFriction", r.PipeFriction)
        .value("PipeArea", r.PipeArea)
        .value("PipeVolume", r.PipeVolume)
        .value("AppendageFriction", r.AppendageFriction)
        .value("PipePressureDrop", r.PipePressureDrop)
        .value("TotalPressureDrop", r.TotalPressureDrop)
        .value("TotalPressureDropPa", r.TotalPressureDropPa)
        .value("ResidenceTime", r.ResidenceTime)
        .value("RelativeRoughness", r.RelativeRoughness)
        .value("BendsLd", r.BendsLd)
        .value("ValvesLd", r.ValvesLd)
        .value("AppendageLength", r.AppendageLength)
        .value("PowerLoss", r.PowerLoss)
        .value("ShearRate", r.ShearRate)
        .endObject();
    json.beginArray("messages");
    for (const QString &message : messages)
        json.element(message);
    json.endArray();
    if (extra)
        extra(json);
    json.endObject();
    return json.take();
}

} // namespace

Runner::Runner()
    : m_startSheet(m_general, m_dialogs)
{
    setPickerStartValues(m_general);
    m_startSheet.Form_Load();
    m_startGeneral = m_general;
}

FileResult Runner::runFile(Mode mode, const QString &path)
{
    FileResult result;
    const DvlFile::LoadResult loaded = DvlFile::load(path);
    if (!loaded.ok()) {
        result.outcome = Outcome::LoadFailed;
        result.notes << loaded.errorMessage;
        return result;
    }

    return runCase(mode, path, *loaded.projectCase);
}

FileResult Runner::runCase(
    Mode mode, const QString &path, const ProjectCase &projectCase, const JsonExtra &extra)
{
    FileResult result;
    // A copy of the start sheet refers to this worker's record and dialogs, which are
    // put back to their start state first.
    m_general = m_startGeneral;
    m_dialogs.clear();
    CalcSheet sheet = m_startSheet;
    BasGeneral &general = m_general;
    BatchDialogs &dialogs = m_dialogs;

    LoadCase::loadCase(sheet, projectCase, path);
    result.status = sheet.status();
    result.results = sheet.results();

    if (dialogs.prompted()) {
        result.outcome = Outcome::Prompted;
        result.notes << QStringLiteral("%1: the case needs an answer to the prompt \"%2\"; "
                                       "nothing is written for it")
                            .arg(shownPath(path), oneLine(dialogs.firstPrompt()));
        return result;
    }

    if (mode == Mode::Json) {
        result.output = jsonOf(path, sheet, dialogs.messages(), extra);
    } else {
        result.output = ReportLayout::plainText(
            ReportLayout::lines(ReportLayout::sourceFromSheet(sheet, general)))
                            .toUtf8();
        for (const QString &message : dialogs.messages())
            result.notes << QStringLiteral("%1: %2").arg(shownPath(path), message);
    }
    return result;
}

void prepareProcess()
{
    if (!qEnvironmentVariableIsSet("TZ") && QFileInfo::exists(QStringLiteral("/etc/localtime")))
        qputenv("TZ", ":/etc/localtime");
}

int run(Mode mode, const QStringList &paths, QIODevice &out, QIODevice &err)
{
    bool loadFailed = false;
    bool prompted = false;
    bool anyReport = false;
    Runner runner;
    for (const QString &path : paths) {
        const FileResult result = runner.runFile(mode, path);
        for (const QString &note : result.notes)
            err.write(note.toUtf8() + '\n');
        switch (result.outcome) {
        case Outcome::LoadFailed:
            loadFailed = true;
            continue;
        case Outcome::Prompted:
            prompted = true;
            continue;
        case Outcome::Done:
            break;
        }
        if (mode == Mode::Report && anyReport)
            out.write(ReportSeparator);
        out.write(result.output);
        anyReport = true;
    }
    if (loadFailed)
        return ExitLoadFailed;
    return prompted ? ExitPrompted : ExitOk;
}

} // namespace Batch
