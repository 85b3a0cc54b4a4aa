#pragma once

#include "calc/frictionfactor.h"

#include <cmath>

// The friction factor scan in its original form: every trial value in order, built by
// repeated addition, each with the full right-hand side. It is the reference that the
// shipped search must match bit for bit, and the baseline of the benchmarks.
// Returns 0 when no trial value fits; trials receives the number of values tried.
inline double literalFrictionScan(double e, double D, double Re, int *trials = nullptr)
{
    int n = 0;
    double f = 0.007;
    while (f <= 0.99) {
        ++n;
        const double t = 2.5 / (std::sqrt(f) * Re);
        const double r = e / (3.7 * D);
        const double F = std::pow(-2 * Log10(r + t), -2);
        if (std::fabs(f - F) < 0.0001) {
            if (trials)
                *trials = n;
            return f;
        }
        f += 0.0001;
    }
    if (trials)
        *trials = n;
    return 0;
}
