#pragma once

#include "calc/fittingmethod.h"
#include "calc/record.h"

// A case to evaluate: the eight entries, the l/d totals of its bends and valves, the
// counts they come from and the method by which the fittings are reckoned. Every
// window and command that calculates a case builds one (ProjectCase::caseInput for a
// loaded file, CaseInput::of for what the main window computed) and hands it to
// CalcEngine::evaluate. The totals and the counts describe the same fittings; the l/d
// method, the main window's, needs the totals alone.
struct CaseInput
{
    Inputs inputs;
    double bendsLd = 0; // l/d, a whole number
    double valvesLd = 0; // l/d, a whole number
    FittingCounts counts{};
    FittingMethod fittings = FittingMethod::Ld;

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
    // The same case with its fittings reckoned by another method.
    CaseInput withFittings(FittingMethod method) const
    {
        CaseInput c = *this;
        c.fittings = method;
        return c;
    }

    // The case that the main window calculated last: its entries, the l/d totals its
    // results were computed with and the counts behind them.
    static CaseInput of(const Inputs &inputs, const Results &computed, const FittingCounts &counts)
    {
        return {inputs, computed.BendsLd, computed.ValvesLd, counts};
    }
};
