#pragma once

#include <QString>

// A file's path as every message shows it: absolute, with the platform's separators,
// so that the user can find the file whatever the current folder was.
QString shownPath(const QString &path);
