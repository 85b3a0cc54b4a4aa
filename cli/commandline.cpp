#include "cli/commandline.h"

#include "calc/dotnumber.h"
#include "cli/commandio.h"
#include "cli/exitstatus.h"
#include "cli/localename.h"
#include "cli/usage.h"

#include <QLocale>

CommandLine::CommandLine(const char *command, const char *usage)
    : m_command(QString::fromLatin1(command))
    , m_usage(usage)
{
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    m_parser.addOption(help);
    m_options << help;
}

void CommandLine::addOption(const QCommandLineOption &option, const QString &what)
{
    m_parser.addOption(option);
    m_options << option;
    if (!what.isEmpty())
        m_valueNames.append({option.names(), what});
}

QCommandLineOption CommandLine::addOption(const char *name, const char *valueName, const char *what)
{
    const QCommandLineOption option(
        QString::fromLatin1(name), QString(), QString::fromLatin1(valueName));
    addOption(option, QString::fromLatin1(what));
    return option;
}

bool CommandLine::parse(const QStringList &arguments, CommandIo &io)
{
    // The parser takes the program's name first.
    const QStringList withName = QStringList{QStringLiteral("zeptor-cli")} + arguments;
    if (!m_parser.parse(withName)) {
        usageError(io, Usage::parseError(m_parser, withName, m_valueNames));
        return false;
    }
    if (m_parser.isSet(QStringLiteral("help"))) {
        io.out().write(QByteArray(m_usage));
        m_status = Batch::ExitOk;
        return false;
    }
    for (const QCommandLineOption &option : std::as_const(m_options)) {
        if (!option.valueName().isEmpty() && m_parser.values(option).size() > 1) {
            usageError(io, QStringLiteral("--%1 is given twice").arg(option.names().constLast()));
            return false;
        }
    }
    return true;
}

std::optional<double> CommandLine::number(const QCommandLineOption &option, CommandIo &io)
{
    const QString text = m_parser.value(option);
    const std::optional<double> value = DotNumber::parse(text.toUtf8());
    if (!value) {
        usageError(io,
            QStringLiteral("--%1 needs a number, not '%2'").arg(option.names().constLast(), text));
    }
    return value;
}

bool CommandLine::applyLocale(const QCommandLineOption &option, CommandIo &io)
{
    if (!m_parser.isSet(option))
        return true;
    const std::optional<QLocale> named = localeNamed(m_parser.value(option));
    if (!named) {
        usageError(io, QStringLiteral("unknown locale '%1'").arg(m_parser.value(option)));
        return false;
    }
    QLocale::setDefault(*named);
    return true;
}

std::optional<CommandLine::Format> CommandLine::format(
    const QCommandLineOption &option, CommandIo &io)
{
    const QString name = m_parser.value(option);
    if (!m_parser.isSet(option) || name == QLatin1String("json"))
        return Format::Json;
    if (name == QLatin1String("csv"))
        return Format::Csv;
    usageError(io, QStringLiteral("--format takes json or csv, not '%1'").arg(name));
    return std::nullopt;
}

std::optional<QString> CommandLine::oneFile(CommandIo &io)
{
    const QStringList files = m_parser.positionalArguments();
    if (files.size() == 1)
        return files.first();
    usageError(io,
        files.isEmpty() ? QStringLiteral("no project file given")
                        : QStringLiteral("one project file at a time"));
    return std::nullopt;
}

int CommandLine::usageError(CommandIo &io, const QString &message)
{
    const QString help = m_command.isEmpty()
        ? QStringLiteral("zeptor-cli --help")
        : QStringLiteral("zeptor-cli %1 --help").arg(m_command);
    io.error(QStringLiteral("zeptor-cli: %1\nTry '%2'.").arg(message, help));
    m_status = Batch::ExitUsage;
    return m_status;
}
