#include "cli/batchrun.h"
#include "cli/fluidcommand.h"
#include "cli/localename.h"
#include "zeptor_version.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>

#include <cstdio>

namespace {

const char *const Usage
    = "Usage: zeptor-cli report FILE.dvl...\n"
      "       zeptor-cli json FILE.dvl...\n"
      "       zeptor-cli fluid water --temperature T [--pressure P]\n"
      "       zeptor-cli fluid ethylene-glycol|propylene-glycol --concentration C\n"
      "                  --temperature T\n"
      "       zeptor-cli --help | --version\n"
      "\n"
      "Calculates saved Zeptor cases without a window. Each file is loaded as the\n"
      "program's File > Load does it, starting from the program's start state, and\n"
      "calculated; the window itself takes no arguments.\n"
      "\n"
      "Commands:\n"
      "  report   the one-page report of each case as the Print command lays it out,\n"
      "           one character per column; reports of several files are separated\n"
      "           by a line holding a form feed. Messages the window would have\n"
      "           shown (\"Friction Factor undetermined\") go to standard error.\n"
      "  json     one JSON object per file and line: \"file\", \"status\" (the status\n"
      "           bar text), \"fields\" (the text of every field by its index),\n"
      "           \"results\" (every result by name, null where not finite; numbers\n"
      "           read back exactly) and \"messages\" (the message boxes the window\n"
      "           would have shown, in order).\n"
      "  fluid    density and dynamic viscosity of water (IAPWS-IF97, IAPWS 2008)\n"
      "           or of ethylene or propylene glycol in water (Melinder's fits) as\n"
      "           one JSON line; T in degrees Celsius, P in bar absolute (default\n"
      "           1.01325), C in % by mass. Outside the formulation's range: a\n"
      "           message on standard error and exit status 2. 'zeptor-cli fluid\n"
      "           --help' tells more.\n"
      "\n"
      "Options:\n"
      "  --locale NAME  format field texts and dates for this locale (for example\n"
      "                 nl_NL); by default the user's locale, as in the window.\n"
      "                 A name the locale data does not know is refused.\n"
      "  --help         show this text.\n"
      "  --version      show the version.\n"
      "  --             the arguments that follow are file names.\n"
      "\n"
      "Where the window would ask for a missing or unusable entry, the tool cannot:\n"
      "it writes the prompt's message and the file name to standard error, writes\n"
      "nothing for that file and goes on with the next. A file that cannot be loaded\n"
      "is reported on standard error with its name and the line at fault.\n"
      "\n"
      "Exit status:\n"
      "  0   every file was loaded and calculated\n"
      "  1   a file could not be loaded (wins over 2)\n"
      "  2   a case needed an answer to a prompt; for fluid, the request lies\n"
      "      outside the range of its formulation\n"
      "  64  the command line is wrong\n";

int usageError(const QString &message)
{
    std::fprintf(stderr, "zeptor-cli: %s\nTry 'zeptor-cli --help'.\n", qPrintable(message));
    return Batch::ExitUsage;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zeptor-cli"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(ZeptorVersion::text));
    QStringList args = QCoreApplication::arguments().mid(1);

    if (args.isEmpty())
        return usageError(QStringLiteral("a command is missing"));
    const QString command = args.takeFirst();
    if (command == QLatin1String("fluid")) {
        QFile out;
        QFile err;
        if (!out.open(stdout, QIODevice::WriteOnly) || !err.open(stderr, QIODevice::WriteOnly))
            return Batch::ExitLoadFailed;
        return runFluidCommand(args, out, err);
    }
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        std::fputs(Usage, stdout);
        return Batch::ExitOk;
    }
    if (command == QLatin1String("--version")) {
        std::printf("%s\n", qPrintable(QCoreApplication::applicationVersion()));
        return Batch::ExitOk;
    }
    Batch::Mode mode;
    if (command == QLatin1String("report"))
        mode = Batch::Mode::Report;
    else if (command == QLatin1String("json"))
        mode = Batch::Mode::Json;
    else
        return usageError(QStringLiteral("unknown command '%1'").arg(command));

    QStringList files;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            files << arg;
        } else if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (arg == QLatin1String("--locale") || arg.startsWith(QLatin1String("--locale="))) {
            QString name = arg.section(QLatin1Char('='), 1);
            if (arg == QLatin1String("--locale")) {
                if (++i >= args.size())
                    return usageError(QStringLiteral("--locale needs a name"));
                name = args.at(i);
            }
            const std::optional<QLocale> locale = localeNamed(name);
            if (!locale)
                return usageError(QStringLiteral("unknown locale '%1'").arg(name));
            QLocale::setDefault(*locale);
        } else {
            return usageError(QStringLiteral("unknown option '%1'").arg(arg));
        }
    }
    if (files.isEmpty())
        return usageError(QStringLiteral("no project file given"));

    Batch::prepareProcess();
    QFile out;
    QFile err;
    if (!out.open(stdout, QIODevice::WriteOnly) || !err.open(stderr, QIODevice::WriteOnly))
        return Batch::ExitLoadFailed;
    const int status = Batch::run(mode, files, out, err);
    out.flush();
    err.flush();
    return status;
}
