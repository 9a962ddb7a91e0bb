#pragma once
// Sums and products over a range, integral and derivative of a formula in x,
// each running the formula's decoded program once per point.
#include "calculus/result.h"
#include "common/work_control.h"
#include "expr/jxjs.h"

namespace numerelle::calculus {

// Σ f(x) for x = start, start + 1, … ≤ end; Empty when the range is empty.
Result sumOverRange(const expr::DecodedProgram& decoded, double start, double end, WorkControl& control);
// Π f(x) over the same points; 1 for an empty range.
Result productOverRange(const expr::DecodedProgram& decoded, double start, double end, WorkControl& control);
// Trapezoidal rule with `intervals` intervals (a whole number from 1 to
// maxIntervals; 0 fails as a division by zero); equal limits give 0.
Result trapezoidIntegral(const expr::DecodedProgram& decoded, double start, double end, double intervals,
                         WorkControl& control);
// Central difference with step 1/n at `point`.
Result centralDerivative(const expr::DecodedProgram& decoded, double point, double n);

}  // namespace numerelle::calculus
