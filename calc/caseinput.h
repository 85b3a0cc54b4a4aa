#pragma once

#include "calc/record.h"

// A case to evaluate: the eight entries and the l/d totals of its bends and valves. Every
// window and command that calculates a case builds one (ProjectCase::caseInput for a
// loaded file, caseOf for what the main window computed) and hands it to
// CalcEngine::evaluate.
struct CaseInput
{
    Inputs inputs;
    double bendsLd = 0; // l/d, a whole number
    double valvesLd = 0; // l/d, a whole number

    // The same case at another flow rate (l/h) or inner diameter (mm); the fittings keep
    // their l/d, so that their length in metres follows the diameter.
    CaseInput atFlow(double flowRate) const
    {
        CaseInput c = *this;
        c.inputs.FlowRate = flowRate;
        return c;
    }
    CaseInput withDiameter(double innerDiameter) const
    {
        CaseInput c = *this;
        c.inputs.InnerDiameter = innerDiameter;
        return c;
    }

    // The case that the main window calculated last: its entries and the l/d totals
    // its results were computed with.
    static CaseInput of(const Inputs &inputs, const Results &computed)
    {
        return {inputs, computed.BendsLd, computed.ValvesLd};
    }
};
