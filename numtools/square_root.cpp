#include "numtools/square_root.h"

#include <cmath>

#include "common/number_text.h"
#include "numtools/continued_fraction.h"

namespace numerelle::numtools {

namespace {

// A number written into a box and read back: 15 significant digits.
double throughBox(double value) {
    return numberFromText(numberText(value));
}

SquareRootOutput failure(FailureKind kind) {
    SquareRootOutput out;
    out.underRoot = "Error" + failureText(kind);
    out.beep = true;
    return out;
}

bool dividesSquare(double number, double k) {
    const double quotient = number / (k * k);
    return std::floor(quotient) == quotient;
}

// Removes square factors k*k from `number` while multiplying `product` (a
// box's value, kept to 15 digits) by k. None, or Cancelled or Overflow.
FailureKind takeOutSquares(double& number, double& product, WorkControl& control, double progressBase) {
    double k = 2;
    std::uint64_t polls = 0;
    for (;;) {
        if (!dividesSquare(number, k)) {
            const double limit = std::floor(std::sqrt(number));
            bool found = false;
            for (k = 3; k <= limit; ++k) {
                if ((++polls & 0xFFFF) == 0) {
                    if (control.cancelled()) return FailureKind::Cancelled;
                    control.setProgress(progressBase + 0.5 * k / limit);
                }
                if (dividesSquare(number, k)) {
                    found = true;
                    break;
                }
            }
            if (!found) return FailureKind::None;
        }
        number = number / (k * k);
        product = throughBox(product * k);
        if (!std::isfinite(product)) return FailureKind::Overflow;
    }
}

}  // namespace

SquareRootPlan planSquareRoot(double x) {
    SquareRootPlan plan;
    plan.x = x;
    if (!std::isfinite(x) || x < 0) {
        plan.finished = failure(FailureKind::InvalidArgument);
        return plan;
    }
    if (x == 0) {
        // Every square divides 0; the answer is simply 0.
        plan.finished = SquareRootOutput{"0", "1", "0", "0"};
        return plan;
    }
    if (std::floor(x) == x) {
        plan.numerator = x;
        plan.denominator = 1;
    } else {
        const Fraction fraction = expandContinuedFraction(x, squareRootQuotients);
        if (!fraction.ok()) {
            plan.finished = failure(fraction.failure);
            return plan;
        }
        // Both pass through a box as signed number text.
        plan.numerator = throughBox(fraction.numerator);
        plan.denominator = throughBox(fraction.denominator);
    }
    plan.askFirst = plan.denominator > squareRootQuestionAbove;
    return plan;
}

SquareRootOutput finishSquareRoot(const SquareRootPlan& plan, WorkControl& control) {
    if (plan.finished) return *plan.finished;
    double numerator = plan.numerator;
    double denominator = plan.denominator;
    double rootOfDenominatorSquares = 1;
    double rootOfNumeratorSquares = 1;

    auto stopped = [](FailureKind end) -> std::optional<SquareRootOutput> {
        if (end == FailureKind::Cancelled) {
            SquareRootOutput out;
            out.cancelled = true;
            return out;
        }
        if (end != FailureKind::None) return failure(end);
        return std::nullopt;
    };
    if (auto out = stopped(takeOutSquares(denominator, rootOfDenominatorSquares, control, 0))) return *out;

    // The square-free rest d of the denominator goes under the root:
    // sqrt(N / (s^2 d)) = sqrt(N d) / (s d).
    const double factorDenominator = throughBox(rootOfDenominatorSquares * denominator);
    numerator = numerator * denominator;
    if (!std::isfinite(factorDenominator) || !std::isfinite(numerator)) return failure(FailureKind::Overflow);
    if (auto out = stopped(takeOutSquares(numerator, rootOfNumeratorSquares, control, 0.5))) return *out;

    SquareRootOutput out;
    out.factorNumerator = numberText(rootOfNumeratorSquares);
    out.factorDenominator = numberText(factorDenominator);
    out.underRoot = numberText(numerator);
    out.decimal = numberText(std::sqrt(plan.x));
    return out;
}

}  // namespace numerelle::numtools
