#pragma once

#include <QDateTime>
#include <QString>

// The project file this run last loaded or wrote, and how it stood on disk at that
// moment. Save replaces that file, unchanged, without a question; any other file it
// would replace (yesterday's new.dvl, a file another program or a second instance has
// changed since) needs the user's consent first.
class KnownFile
{
public:
    // After a successful load or save of `path`.
    void remember(const QString &path);

    // The question to ask before Save writes to `path`, or the empty text when Save
    // may write at once: nothing is there, it is the known file as it was, or it is
    // not a regular file (which the save itself refuses with its own message).
    QString questionBeforeSave(const QString &path) const;

private:
    // Size and both times: a rewrite of the same size still changes the inode's
    // change time, which no program can set back.
    struct DiskState
    {
        qint64 size = -1;
        QDateTime modified;
        QDateTime changed;

        bool operator==(const DiskState &) const = default;
    };
    static DiskState diskState(const QString &path);
    static QString absolute(const QString &path);

    QString m_path; // absolute; empty until the first load or save
    DiskState m_state;
};
