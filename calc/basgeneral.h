#pragma once

#include "calc/dvlname.h"
#include "calc/record.h"

#include <QString>

#include <array>
#include <vector>

// The state that every window shares: the entries of the case, the appendage counts
// and totals, the project information and the pickers' memory. Each program owns one
// in main(); a batch worker or an analysis window may hold copies of its own.
struct BasGeneral : Inputs
{
    std::array<qint16, 6> BendCounts{};
    std::array<qint16, 13> ValveCounts{};
    qint32 BendsTotalLd = 0;
    qint32 ValvesTotalLd = 0;

    QString ProjectFileName = DvlFile::newFileName();
    QString ProjectName;
    QString PipeName;
    QString ProjectOwner;
    CaseDate ProjectDate = CaseDate::today();

    qint16 RoughnessChoice = 4; // steel pipe, new
    qint16 DiameterStandard = 0; // 0 ISO, 1 DIN
    std::array<qint16, 2> DiameterChoice{}; // last list position per standard
    std::vector<double> IsoDiameters; // mm, filled by the start procedure
    std::vector<double> DinDiameters; // mm, filled by the start procedure

    qint16 AboutTimerFired = 0;

    Inputs &inputs() { return *this; }
    const Inputs &inputs() const { return *this; }
};
