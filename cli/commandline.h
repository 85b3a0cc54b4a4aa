#pragma once

#include <QCommandLineParser>
#include <QStringList>

#include <optional>

class CommandIo;

// The command line of one zeptor-cli command, read the same way by every command:
// options before or after the file names, "--" ends the options, --help prints the
// command's usage, an option given twice or an unknown one is a usage error (64).
class CommandLine
{
public:
    // `command` is empty for the commands whose help is the program's own.
    CommandLine(const char *command, const char *usage);

    // An option that takes a value; `what` names the value in "--to needs a number".
    void addOption(const QCommandLineOption &option, const QString &what);
    QCommandLineOption addOption(const char *name, const char *valueName, const char *what);

    // Parses `arguments` (those after the command's name). False when the command
    // must end: then status() is 0 after --help, 64 after a usage error (both said).
    bool parse(const QStringList &arguments, CommandIo &io);
    int status() const { return m_status; }

    bool isSet(const QCommandLineOption &option) const { return m_parser.isSet(option); }
    QString value(const QCommandLineOption &option) const { return m_parser.value(option); }
    QStringList positional() const { return m_parser.positionalArguments(); }

    // A "."-decimal number; nothing after saying what is wrong.
    std::optional<double> number(const QCommandLineOption &option, CommandIo &io);
    // --locale: the named locale becomes the default; false after refusing an unknown one.
    bool applyLocale(const QCommandLineOption &option, CommandIo &io);
    // --format json|csv of the commands that write either.
    enum class Format { Json, Csv };
    std::optional<Format> format(const QCommandLineOption &option, CommandIo &io);
    // The one file name of the commands that take one; nothing after saying what is wrong.
    std::optional<QString> oneFile(CommandIo &io);

    // Says what is wrong and how to get help; returns 64.
    int usageError(CommandIo &io, const QString &message);

private:
    QString m_command;
    const char *m_usage;
    QCommandLineParser m_parser;
    QList<std::pair<QStringList, QString>> m_valueNames;
    QList<QCommandLineOption> m_options;
    int m_status = 0;
};
