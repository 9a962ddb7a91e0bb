#include "calculus/calculus.h"

#include "calculus/loops.h"

namespace numerelle::calculus {

namespace {
struct DecodedPoint {
    const expr::DecodedProgram& decoded;
    expr::Evaluation operator()(double x) const { return expr::evaluateFormulaAt(decoded, x); }
};
}  // namespace

Result sumOverRange(const expr::DecodedProgram& decoded, double start, double end, WorkControl& control) {
    return accumulateOverRange(DecodedPoint{decoded}, start, end, Accumulation::Sum, control);
}

Result productOverRange(const expr::DecodedProgram& decoded, double start, double end, WorkControl& control) {
    return accumulateOverRange(DecodedPoint{decoded}, start, end, Accumulation::Product, control);
}

Result trapezoidIntegral(const expr::DecodedProgram& decoded, double start, double end, double intervals,
                         WorkControl& control) {
    return integrateTrapezoids(DecodedPoint{decoded}, start, end, intervals, control);
}

Result centralDerivative(const expr::DecodedProgram& decoded, double point, double n) {
    return differenceQuotient(DecodedPoint{decoded}, point, n);
}

}  // namespace numerelle::calculus
