#pragma once

#include <QLatin1StringView>
#include <QString>

// The names of project files. They sit below the reader and writer because the record's
// start state and the file dialogs' set-up need them as well.
namespace DvlFile {

// The suffix of a project file, without the dot.
inline constexpr QLatin1StringView Suffix("dvl");

// The project name of a new case, which also names its file until Save as.
inline constexpr QLatin1StringView NewProjectName("new");

// The file that a project of this name is saved to: "new" gives "new.dvl".
inline QString fileNameFor(const QString &projectName)
{
    return QString(projectName).append(QLatin1Char('.')).append(Suffix);
}

inline QString newFileName()
{
    return fileNameFor(NewProjectName);
}

} // namespace DvlFile
