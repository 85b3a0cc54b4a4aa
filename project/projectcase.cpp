#include "project/projectcase.h"

#include "appendages/fittings.h"
#include "calc/basgeneral.h"
#include "calc/entrytable.h"

ProjectCase ProjectCase::fromGeneral(const BasGeneral &general)
{
    ProjectCase c;
    c.entries = general.inputs();
    c.fileName = general.ProjectFileName;
    c.projectName = general.ProjectName;
    c.pipeName = general.PipeName;
    c.owner = general.ProjectOwner;
    c.date = general.ProjectDate;
    c.bendCounts = general.BendCounts;
    c.valveCounts = general.ValveCounts;
    return c;
}

CaseInput ProjectCase::caseInput() const
{
    const FittingTotals totals = fittingTotals(bendCounts, valveCounts);
    return {entries, double(totals.bendsLd), double(totals.valvesLd), {bendCounts, valveCounts}};
}

void ProjectCase::applyTo(BasGeneral &general) const
{
    general.inputs() = entries;
    general.ProjectName = projectName;
    general.PipeName = pipeName;
    general.ProjectOwner = owner;
    general.ProjectDate = date;
    general.BendCounts = bendCounts;
    general.ValveCounts = valveCounts;
}

bool operator==(const ProjectCase &a, const ProjectCase &b)
{
    // Compared as numbers: 0 equals -0.
    return entryValues(a.entries) == entryValues(b.entries) && a.fileName == b.fileName
        && a.projectName == b.projectName && a.pipeName == b.pipeName && a.owner == b.owner
        && a.date == b.date && a.bendCounts == b.bendCounts && a.valveCounts == b.valveCounts;
}
