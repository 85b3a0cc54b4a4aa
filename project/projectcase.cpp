#include "project/projectcase.h"

#include "calc/basgeneral.h"

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
    const Inputs &x = a.entries;
    const Inputs &y = b.entries;
    return x.FlowRate == y.FlowRate && x.Density == y.Density && x.Viscosity == y.Viscosity
        && x.InnerDiameter == y.InnerDiameter && x.PipeLength == y.PipeLength
        && x.Elevation == y.Elevation && x.ExtraLoss == y.ExtraLoss
        && x.WallRoughness == y.WallRoughness && a.fileName == b.fileName
        && a.projectName == b.projectName && a.pipeName == b.pipeName && a.owner == b.owner
        && a.date == b.date && a.bendCounts == b.bendCounts && a.valveCounts == b.valveCounts;
}
