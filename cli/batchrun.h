#pragma once

#include "calc/basgeneral.h"
#include "calc/calcsheet.h"
#include "cli/batchdialogs.h"
#include "cli/exitstatus.h"
#include "cli/jsonline.h"
#include "cli/smallfilereader.h"
#include "project/datetext.h"
#include "project/projectcase.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The work of zeptor-cli, without the command line: each file is loaded as the
// window's File > Load does it, starting from the program's start state, and
// calculated; the outcome is a report or a JSON line.
namespace Batch {

enum class Mode { Report, Json };

// Members written at the end of a case's JSON object, from the calculated sheet.
using JsonExtra = std::function<void(JsonLine &, const CalcSheet &)>;

enum class Outcome {
    Done, // output holds the report or the JSON line
    Prompted, // the case needs an answer to a prompt; no output
    LoadFailed, // the file cannot be loaded; no output
};

struct FileResult
{
    Outcome outcome = Outcome::Done;
    QString status; // the status line, where the case was calculated
    Results results; // the results, where the case was calculated
    QByteArray output; // UTF-8
    QStringList notes; // lines for standard error
};

// One worker of the batch tool: its own record, dialogs and main window in the
// program's start state. Every file starts from that state, as if the program had
// just been started for it. Workers share nothing, so several may run side by side.
// The locale's symbols and date form are looked up once, when the worker is made.
class Runner
{
public:
    Runner();
    Runner(const Runner &) = delete;
    Runner &operator=(const Runner &) = delete;

    FileResult runFile(Mode mode, const QString &path);
    // A case already read from `path`, calculated as runFile does after the read.
    // `extra` writes members at the end of the JSON object.
    FileResult runCase(Mode mode, const QString &path, const ProjectCase &projectCase,
        const JsonExtra &extra = {});

    // runFile for many files: the output goes at the end of `out`, the lines for
    // standard error (UTF-8, each ended by "\n") at the end of `err`.
    Outcome appendFile(Mode mode, const QString &path, QByteArray &out, QByteArray &err);

private:
    Outcome calculate(Mode mode, const QString &path, const ProjectCase &projectCase,
        const JsonExtra &extra, QByteArray &out, QStringList &notes);

    BatchDialogs m_dialogs;
    BasGeneral m_general; // the record that the current file works on
    BasGeneral m_startGeneral; // the record right after start-up
    CalcSheet m_startSheet; // the main window right after its load step
    std::optional<CalcSheet> m_sheet; // the main window of the current file
    DateText::Form m_dateForm;
    SmallFileReader m_reader;
    QStringList m_notes;
};

// Process set-up before many files: every file starts from today's date, and
// without TZ the C library checks the zone file on disk each time the date is
// asked for. Naming the same zone file in TZ gives the same local time.
void prepareProcess();

} // namespace Batch
