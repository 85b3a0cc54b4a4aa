#include "cli/usage.h"

#include "cli/batchrun.h"

#include <cerrno>
#include <cstdio>

namespace Usage {

const char *const Text
    = "Usage: zeptor-cli report [OPTIONS] FILE.dvl...\n"
      "       zeptor-cli json [OPTIONS] FILE.dvl...\n"
      "       zeptor-cli fluid water --temperature T [--pressure P]\n"
      "       zeptor-cli fluid ethylene-glycol|propylene-glycol --concentration C\n"
      "                  --temperature T\n"
      "       zeptor-cli curve FILE.dvl [OPTIONS]  (see zeptor-cli curve --help)\n"
      "       zeptor-cli size FILE.dvl [OPTIONS]   (see zeptor-cli size --help)\n"
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
      "  curve    the system curve of a case with a pump curve and the duty point.\n"
      "  size     the case at every diameter of the ISO and DIN tables or of a pipe\n"
      "           table.\n"
      "\n"
      "Options:\n"
      "  --locale NAME      format field texts and dates for this locale (for example\n"
      "                     nl_NL); by default the user's locale, as in the window.\n"
      "                     A name the locale data does not know is refused.\n"
      "  -j, --jobs N       calculate N files at a time; by default as many as there\n"
      "                     are processors this process may use. The output is the\n"
      "                     same whatever N is: in the order of the files, and for each\n"
      "                     file the same bytes.\n"
      "  --files-from LIST  read further file names from the file LIST (- for standard\n"
      "                     input), one name per line, after those on the command line;\n"
      "                     empty lines are skipped. For more files than a command line\n"
      "                     holds.\n"
      "  --help             show this text.\n"
      "  --version          show the version.\n"
      "  --                 the arguments that follow are file names.\n"
      "\n"
      "Where the window would ask for a missing or unusable entry, the tool cannot:\n"
      "it writes the prompt's message and the file name to standard error, writes\n"
      "nothing for that file and goes on with the next. A file that cannot be loaded\n"
      "is reported on standard error with its name and the line at fault.\n"
      "\n"
      "Exit status:\n"
      "  0   every file was loaded and calculated\n"
      "  1   a file could not be loaded, or the file list could not be read (wins\n"
      "      over 2)\n"
      "  2   a case needed an answer to a prompt; for fluid, the request lies\n"
      "      outside the range of its formulation\n"
      "  3   the output could not be written, for example to a full disk; the run\n"
      "      stops there, and this wins over 1 and 2\n"
      "  64  the command line is wrong\n";

int print(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size())
        && std::fflush(stdout) == 0)
        return Batch::ExitOk;
    std::fprintf(stderr, "zeptor-cli: cannot write to standard output: %s\n",
        qPrintable(qt_error_string(errno)));
    return Batch::ExitOutputFailed;
}

int error(const QString &message)
{
    std::fprintf(stderr, "zeptor-cli: %s\nTry 'zeptor-cli --help'.\n", qPrintable(message));
    return Batch::ExitUsage;
}

QString parseError(const QCommandLineParser &parser, const QStringList &arguments,
    const QList<std::pair<QStringList, QString>> &valueNames)
{
    auto nameOf = [](const QString &argument) {
        QString name = argument;
        while (name.startsWith(QLatin1Char('-')))
            name.remove(0, 1);
        return name.section(QLatin1Char('='), 0, 0);
    };
    const qsizetype end = arguments.indexOf(QStringLiteral("--"));
    const QStringList options = arguments.mid(1, (end < 0 ? arguments.size() : end) - 1);
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString unknown = parser.unknownOptionNames().constFirst();
        for (const QString &argument : options) {
            if (argument.startsWith(QLatin1Char('-')) && nameOf(argument) == unknown)
                return QStringLiteral("unknown option '%1'").arg(argument);
        }
        return QStringLiteral("unknown option '%1%2'")
            .arg(unknown.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), unknown);
    }
    // Otherwise an option that takes a value came last, without it.
    if (!options.isEmpty()) {
        const QString last = nameOf(options.constLast());
        for (const auto &[names, what] : valueNames) {
            if (names.contains(last))
                return QStringLiteral("--%1 needs %2").arg(names.constLast(), what);
        }
    }
    return parser.errorText();
}

} // namespace Usage
