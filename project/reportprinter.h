#pragma once

#include "project/reportlayout.h"

#include <QString>

class QPrinter;
class frmStart;

// The printed report on a printer: what the windows show, placed at the report's
// columns in the printer's own default font.
namespace ReportPrinter {

// The texts of the main window's fields and labels as they are on screen (an entry
// still being edited as typed), the count windows' labels and fields (created hidden
// where they do not exist yet) and the record's project information.
ReportLayout::Source sourceFromWindows(frmStart &main);

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
