#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The files of a batch run, in order: those named on the command line, then those of
// a list file, one name per line. The list is read as the run goes, so that its
// length costs no memory.
class PathSource
{
public:
    explicit PathSource(QStringList arguments);
    ~PathSource();
    PathSource(const PathSource &) = delete;
    PathSource &operator=(const PathSource &) = delete;

    // Reads the rest of the names from `listName` ("-" for standard input). Empty
    // lines are skipped and a carriage return before the line end is dropped. False,
    // with the reason in errorString(), when the list cannot be opened.
    bool openList(const QString &listName);

    // The next name; false at the end of the names, or when the list cannot be read
    // any further (errorString() then says why).
    bool next(QString &path);

    QString errorString() const { return m_error; }

private:
    bool fillBuffer();

    QStringList m_arguments;
    qsizetype m_nextArgument = 0;
    int m_fd = -1;
    bool m_ownsFd = false;
    bool m_endOfList = true;
    QString m_listName;
    QByteArray m_buffer;
    qsizetype m_position = 0;
    QString m_error;
};
