#include "cli/usage.h"

#include "cli/commandio.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"

namespace Usage {

namespace {

const char *const Introduction
    = "Calculates saved Zeptor cases without a window. Each file is loaded as the\n"
      "program's File > Load does it, starting from the program's start state, and\n"
      "calculated; the window itself takes no arguments. 'zeptor-cli COMMAND --help'\n"
      "tells more about a command.\n";

const char *const Rest
    = "Options of report and json:\n"
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
      "An option given twice is refused, in every command.\n"
      "\n"
      "Where the window would ask for a missing or unusable entry, the tool cannot:\n"
      "it writes the prompt's message and the file name to standard error, writes\n"
      "nothing for that file and goes on with the next. A file that cannot be loaded\n"
      "is reported on standard error with its name and the line at fault.\n"
      "\n"
      "Exit status, of every command:\n"
      "  0   done\n"
      "  1   a file (project file, pump curve, pipe table, file list) could not be\n"
      "      loaded (wins over 2)\n"
      "  2   a case needed an answer to a prompt; for fluid, the request lies\n"
      "      outside the range of its formulation\n"
      "  3   the output could not be written, for example to a full disk; the run\n"
      "      stops there, and this wins over 1 and 2\n"
      "  64  the command line is wrong\n";

} // namespace

QString text()
{
    QString out;
    QString lead = QStringLiteral("Usage: ");
    for (const Commands::Command &command : Commands::all()) {
        const QStringList lines = QString::fromLatin1(command.synopsis).split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            out += lead + (i == 0 ? QStringLiteral("zeptor-cli ") : QStringLiteral("           "))
                + lines[i] + QLatin1Char('\n');
            lead = QStringLiteral("       ");
        }
    }
    out += lead + QStringLiteral("zeptor-cli --help | --version\n\n");
    out += QString::fromLatin1(Introduction) + QStringLiteral("\nCommands:\n");
    for (const Commands::Command &command : Commands::all()) {
        const QStringList lines = QString::fromUtf8(command.summary).split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString name = i == 0 ? QString::fromLatin1(command.name) : QString();
            out += QStringLiteral("  %1 %2\n").arg(name, -8).arg(lines[i]);
        }
    }
    return out + QLatin1Char('\n') + QString::fromLatin1(Rest);
}

int error(CommandIo &io, const QString &message)
{
    io.error(QStringLiteral("zeptor-cli: %1\nTry 'zeptor-cli --help'.").arg(message));
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
