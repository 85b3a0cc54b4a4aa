#pragma once

#include <QString>

#include <sys/types.h>

// What the project file's reader and writer share about the file itself.
namespace DvlFile {

// Why a file of this type (st_mode) cannot be a project file, or empty for a regular
// file. Reading a named pipe waits for a writer that may never come, and saving over a
// pipe or a device would replace it with a plain file.
QString notRegularFileReason(mode_t mode);

} // namespace DvlFile
