#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// The files the program reads (project files, pump files, pipe tables) are small regular
// files. Whatever name the user gives, reading one must neither wait nor run on: a named
// pipe waits for a writer that may never come, and a device such as /dev/zero never ends.
namespace RegularFile {

// Why a file of this type (st_mode) is not read or replaced, or empty for a regular file:
// "it is a named pipe, not a regular file". Saving over a pipe or a device would replace
// it with a plain file.
QString notRegularReason(mode_t mode);

struct Read
{
    enum class Status { Ok, Failed, TooLarge };

    Status status = Status::Failed;
    QByteArray bytes; // the whole file, when Ok
    QString reason; // why it could not be read, when Failed: the system's words or the type's

    bool ok() const { return status == Status::Ok; }
};

// The bytes of the file at `path`: opened without blocking, refused unless it is a regular
// file, read up to `limit` bytes and refused as TooLarge beyond them. The size the file
// system reports serves only as a hint, since a file may grow while it is read.
Read read(const QString &path, qint64 limit);

} // namespace RegularFile
