#pragma once

#include "calc/record.h"

#include <QString>
#include <QStringView>

#include <optional>

// The notation of single values in a project file as the reader takes them, and how
// its messages quote a value.
namespace DvlFile {

enum class NumberStatus { Ok, NotANumber, OutOfRange };

struct FileNumber
{
    NumberStatus status = NumberStatus::NotANumber;
    double value = 0;
};

// Digits with an optional sign, decimal point (with or without a digit before it)
// and exponent; "." is the only decimal separator. A number whose size no double
// holds (1E999, or 1E-400, which would become 0) is out of range.
FileNumber fileNumber(QStringView text);

// yyyy-mm-dd, optionally followed by a blank and hh:mm:ss (or hh:mm).
std::optional<CaseDate> fileDate(QStringView text);

// A value between `mark`s as a message quotes it: at most its first 40 characters,
// then "...", and control characters escaped (\x1B, \u2028). A value of a megabyte
// would otherwise freeze the message box that lays it out, and escape sequences
// would reach the terminal of the batch tool.
QString quotedValue(QStringView text, QChar mark);

} // namespace DvlFile
