#pragma once

#include "calc/dvlname.h"
#include "project/projectcase.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The project file (.dvl): 32 values, one per line, each line ended by CR LF.
// Lines 1-8 the entries, 9 the file name, 10-12 project, pipe name and owner in
// double quotes, 13 the date between number signs, 14-19 the bend counts and
// 20-32 the valve counts. Numbers always use "." whatever the locale.
namespace DvlFile {

inline constexpr int ValueCount = 32;

struct LoadResult
{
    std::optional<ProjectCase> projectCase;
    QString errorMessage; // names the file and, for a fault in the contents, the line

    bool ok() const { return projectCase.has_value(); }
};

struct SaveResult
{
    bool ok = false;
    QString errorMessage; // names the file and the reason
};

// Reads a project file into a fresh case; nothing else is touched, so a caller
// that commits only on success keeps its case when the file is faulty.
LoadResult load(const QString &path);
// The same from bytes already read; `path` only names the file in messages.
LoadResult parse(const QByteArray &bytes, const QString &path);

// Writes the case atomically: on any failure the file on disk stays as it was.
SaveResult save(const QString &path, const ProjectCase &projectCase);
// The bytes that save() writes (UTF-8, 32 lines with CR LF).
QByteArray format(const ProjectCase &projectCase);

// The notation of one number in the file: the shortest digits that read back to the
// same double, "." as separator, decimal from 1E-04 up to but not including 1E+15
// and exponent form (1E-05, 1.5E+20) outside. Finite values only.
QByteArray numberText(double value);

// The text of a file: UTF-8, or Windows-1252 when the bytes are not valid UTF-8.
QString decode(const QByteArray &bytes);

} // namespace DvlFile
