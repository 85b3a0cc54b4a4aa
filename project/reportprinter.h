#pragma once

#include "project/reportlayout.h"

#include <QString>

class QPrinter;

// The printed report on a printer: what the windows show, placed at the report's
// columns in the printer's own default font.
namespace ReportPrinter {

struct PrintResult
{
    bool ok = false;
    QString errorMessage; // names the printer or file and the reason
};

// Prints the lines on the printer that the printer dialog set up. A column is the
// average character width of the printer's default font; lines that do not fit on a
// page go on the next one. Nothing is printed when the printer cannot be started.
PrintResult print(QPrinter &printer, const QList<ReportLayout::Line> &lines);

} // namespace ReportPrinter
