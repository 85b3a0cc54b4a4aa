#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// Numbers as the command line and the CSV files write them: "." as decimal separator
// whatever the locale, an optional exponent, nothing else.
namespace DotNumber {

// The whole text as a finite number (surrounding blanks allowed); nothing otherwise.
std::optional<double> parse(QByteArrayView text);

// The shortest text that reads back to the same double; empty for a value that is not
// finite. Files that other programs read use it, so that they hold the same bytes
// under every locale.
QByteArray text(double value);

// Appends text(value) to `out`, without a temporary.
void append(QByteArray &out, double value);

} // namespace DotNumber
