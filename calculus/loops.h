#pragma once
// The loops behind the calculus pages, written once over any point function
// (x -> expr::Evaluation) so that the formula evaluator, a test's own
// function and a benchmark's peer evaluator all run the very same loop.
//
// Every loop polls the cancellation flag and reports progress every
// pollInterval points, and before its first point.
#include <cmath>
#include <cstdint>

#include "calculus/result.h"
#include "common/work_control.h"
#include "expr/jxjs.h"

namespace numerelle::calculus {

inline constexpr std::uint32_t pollInterval = 4096;

enum class Accumulation : std::uint8_t { Sum, Product };

// Σ or Π of f(x) for x = start, start + 1, … while x ≤ end, with x stepped by
// adding 1. The sum of an empty range is Empty; the product is 1. The first
// term becomes the sum as it is; the product multiplies term × product.
template <typename PointFunction>
Result accumulateOverRange(PointFunction&& evaluate, double start, double end, Accumulation kind,
                           WorkControl& control) {
    if (control.cancelled()) return Result::cancelled();
    const double span = end - start + 1;
    double total = kind == Accumulation::Product ? 1.0 : 0.0;
    bool any = false;
    std::uint32_t untilPoll = pollInterval;
    for (double x = start; x <= end;) {
        if (--untilPoll == 0) {
            untilPoll = pollInterval;
            if (control.cancelled()) return Result::cancelled();
            control.setProgress((x - start) / span);
        }
        const expr::Evaluation term = evaluate(x);
        if (!term.ok()) return Result::failedWith(term.failure);
        if (kind == Accumulation::Sum) total = any ? total + term.value : term.value;
        else total = term.value * total;
        any = true;
        if (!std::isfinite(total)) return Result::failedWith(FailureKind::Overflow);
        const double next = x + 1.0;
        // Past 2^53 the step vanishes and the loop would never end.
        if (next == x) return Result::failedWith(InputFault::StepLost);
        x = next;
    }
    control.setProgress(1);
    if (kind == Accumulation::Sum && !any) return Result::empty();
    return Result::valueOf(total);
}

// The trapezoidal rule over n intervals between start and end. The points
// are start + i·h for i = 0 … n (the last one exactly end), so no end point
// is lost or repeated by rounding. Each trapezoid has width |h|: the result
// is the integral in increasing direction whichever limit is larger.
template <typename PointFunction>
Result integrateTrapezoids(PointFunction&& evaluate, double start, double end, double intervals, WorkControl& control) {
    if (control.cancelled()) return Result::cancelled();
    if (intervals == 0) return Result::failedWith(FailureKind::DivisionByZero);
    if (!(intervals >= 1 && intervals <= maxIntervals && intervals == std::floor(intervals)))
        return Result::failedWith(InputFault::IntervalCount);
    const expr::Evaluation first = evaluate(start);
    if (!first.ok()) return Result::failedWith(first.failure);
    if (start == end) return Result::valueOf(0);

    const double h = (end - start) / intervals;
    if (!std::isfinite(h)) return Result::failedWith(FailureKind::Overflow);
    const double width = std::fabs(h);
    const auto count = static_cast<std::uint64_t>(intervals);
    double previous = first.value;
    double sum = 0;
    std::uint32_t untilPoll = pollInterval;
    for (std::uint64_t i = 1; i <= count; ++i) {
        if (--untilPoll == 0) {
            untilPoll = pollInterval;
            if (control.cancelled()) return Result::cancelled();
            control.setProgress(static_cast<double>(i) / intervals);
        }
        const double x = i == count ? end : start + static_cast<double>(i) * h;
        const expr::Evaluation f = evaluate(x);
        if (!f.ok()) return Result::failedWith(f.failure);
        sum += (f.value + previous) * width / 2;
        if (!std::isfinite(sum)) return Result::failedWith(FailureKind::Overflow);
        previous = f.value;
    }
    control.setProgress(1);
    return Result::valueOf(sum);
}

// The symmetric difference quotient (f(p + 1/n) − f(p − 1/n)) · n / 2. A
// failing evaluation fails the derivative; it never counts as 0.
template <typename PointFunction>
Result differenceQuotient(PointFunction&& evaluate, double point, double n) {
    if (n == 0) return Result::failedWith(FailureKind::DivisionByZero);
    const double step = 1 / n;
    if (!std::isfinite(step)) return Result::failedWith(FailureKind::Overflow);
    const expr::Evaluation below = evaluate(point - step);
    if (!below.ok()) return Result::failedWith(below.failure);
    const expr::Evaluation above = evaluate(point + step);
    if (!above.ok()) return Result::failedWith(above.failure);
    const double quotient = (above.value - below.value) * n / 2;
    if (!std::isfinite(quotient)) return Result::failedWith(FailureKind::Overflow);
    return Result::valueOf(quotient);
}

}  // namespace numerelle::calculus
