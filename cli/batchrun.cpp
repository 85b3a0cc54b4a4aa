#include "cli/batchrun.h"

#include "calc/basgeneral.h"
#include "calc/calcsheet.h"
#include "calc/resulttable.h"
#include "cli/batchdialogs.h"
#include "cli/jsonline.h"
#include "pickers/pickertables.h"
#include "project/dvlfile.h"
#include "project/loadcase.h"
#include "project/reportlayout.h"
#include "project/shownpath.h"

#include <QFileInfo>

namespace Batch {

namespace {

// The prompt's message is two lines joined by a carriage return; one line here.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

void appendJson(QByteArray &out, const QString &path, const CalcSheet &sheet,
    const QStringList &messages, const JsonExtra &extra)
{
    const Results &r = sheet.results();
    JsonLine json(out);
    json.beginObject();
    json.value("file", path);
    json.value("status", sheet.status());
    json.beginObject("fields");
    for (int index = 1; index < Text0Size; ++index) {
        if (fieldExists(index))
            json.value(index, sheet.Text0(index));
    }
    json.endObject();
    json.beginObject("results");
    for (const ResultInfo &result : ResultTable)
        json.value(result.name, r.*result.member);
    json.endObject();
    json.beginArray("messages");
    for (const QString &message : messages)
        json.element(message);
    json.endArray();
    if (extra)
        extra(json, sheet);
    json.endObject();
    json.endLine();
}

void appendNotes(QByteArray &err, const QStringList &notes)
{
    for (const QString &note : notes) {
        err += note.toUtf8();
        err += '\n';
    }
}

} // namespace

Runner::Runner()
    : m_startSheet(m_general, m_dialogs)
    , m_dateForm(DateText::form())
{
    setPickerStartValues(m_general);
    m_startSheet.Form_Load();
    m_startSheet.pinSymbols(NumberText::symbols());
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
    result.outcome = calculate(mode, path, projectCase, extra, result.output, result.notes);
    result.status = m_sheet->status();
    result.results = m_sheet->results();
    return result;
}

Outcome Runner::appendFile(Mode mode, const QString &path, QByteArray &out, QByteArray &err)
{
    QByteArray *bytes = nullptr;
    const DvlFile::LoadResult loaded
        = m_reader.read(path, bytes) ? DvlFile::parse(*bytes, path) : DvlFile::load(path);
    if (!loaded.ok()) {
        err += loaded.errorMessage.toUtf8();
        err += '\n';
        return Outcome::LoadFailed;
    }
    m_notes.clear();
    const Outcome outcome = calculate(mode, path, *loaded.projectCase, {}, out, m_notes);
    appendNotes(err, m_notes);
    return outcome;
}

Outcome Runner::calculate(Mode mode, const QString &path, const ProjectCase &projectCase,
    const JsonExtra &extra, QByteArray &out, QStringList &notes)
{
    // A copy of the start sheet refers to this worker's record and dialogs, which are
    // put back to their start state first.
    m_general = m_startGeneral;
    m_dialogs.clear();
    m_sheet.emplace(m_startSheet);
    CalcSheet &sheet = *m_sheet;

    LoadCase::loadCase(sheet, projectCase, path);

    if (m_dialogs.prompted()) {
        notes << QStringLiteral("%1: the case needs an answer to the prompt \"%2\"; "
                                "nothing is written for it")
                     .arg(shownPath(path), oneLine(m_dialogs.firstPrompt()));
        return Outcome::Prompted;
    }

    if (mode == Mode::Json) {
        appendJson(out, path, sheet, m_dialogs.messages(), extra);
    } else {
        out += ReportLayout::plainText(
            ReportLayout::lines(ReportLayout::sourceFromSheet(sheet, m_general, m_dateForm)))
                   .toUtf8();
        for (const QString &message : m_dialogs.messages())
            notes << QStringLiteral("%1: %2").arg(shownPath(path), message);
    }
    return Outcome::Done;
}

void prepareProcess()
{
    if (!qEnvironmentVariableIsSet("TZ") && QFileInfo::exists(QStringLiteral("/etc/localtime")))
        qputenv("TZ", ":/etc/localtime");
}

} // namespace Batch
