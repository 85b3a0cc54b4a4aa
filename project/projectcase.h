#pragma once

#include "calc/caseinput.h"
#include "calc/dvlname.h"
#include "calc/record.h"

#include <QString>

#include <array>

struct BasGeneral;

// One case as a project file holds it: the entries, the file name that was current
// when it was written, the project information and the appendage counts.
struct ProjectCase
{
    ProjectCase() = default;
    // A case whose date is given, without asking the clock for today's.
    explicit ProjectCase(const CaseDate &caseDate)
        : date(caseDate)
    { }

    Inputs entries;
    QString fileName = DvlFile::newFileName();
    QString projectName;
    QString pipeName;
    QString owner;
    CaseDate date = CaseDate::today();
    std::array<qint16, 6> bendCounts{};
    std::array<qint16, 13> valveCounts{};

    // The case to evaluate: the entries, the counts and their l/d totals.
    CaseInput caseInput() const;

    // The case that the shared state holds now (file name included).
    static ProjectCase fromGeneral(const BasGeneral &general);

    // Entries, project information and counts into the shared state. The file name
    // is left alone: a loaded project keeps the name it was opened under, whatever
    // name the file recorded.
    void applyTo(BasGeneral &general) const;

    // Field by field; entries compare as numbers (0 equals -0).
    friend bool operator==(const ProjectCase &a, const ProjectCase &b);
};
