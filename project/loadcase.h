#pragma once

#include "project/projectcase.h"

#include <QString>
#include <QStringList>

class CalcSheet;
struct BasGeneral;

// The steps of File > Load after the file has been read, without windows. The main
// window's Load command runs them with its own count windows in between; the batch
// tool and the tests run loadCase(), which does all of them in order.
namespace LoadCase {

// The opened path becomes the project file name (the name recorded in the file is
// not used); entries, project information and counts go into the record.
void storeLoadedCase(BasGeneral &general, const ProjectCase &loaded, const QString &openedPath);

// Text0(1..7) and Text0(23) show the plain text of the record's entries. The field
// checks do not run.
void showEntries(CalcSheet &sheet);

// The texts that the count fields show after a load: each count as a whole number.
QStringList bendCountTexts(const BasGeneral &general);
QStringList valveCountTexts(const BasGeneral &general);

// The whole sequence: store, show the entries, recompute both l/d totals from the
// count texts into the record and into Text0(9) and Text0(10) (whose change
// handling refreshes Text0(8) and Text0(25) and recalculates), then Calc.
void loadCase(CalcSheet &sheet, const ProjectCase &loaded, const QString &openedPath);

} // namespace LoadCase
