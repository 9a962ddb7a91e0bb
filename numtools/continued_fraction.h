#pragma once
// The continued-fraction expansion of a double, shared by the fraction page,
// the complex power and the square-root page. Its rounding steps decide which
// inputs end in a fraction and which fall back to a power of ten, so they
// are kept exactly as they are.
#include "common/failure.h"

namespace numerelle::numtools {

// Partial quotients after a0 that the fraction page and the complex power
// allow; the square-root page allows fewer.
inline constexpr int fractionPageQuotients = 2999;
inline constexpr int squareRootQuotients = 1199;

enum class FractionKind {
    Whole,       // x has no fractional part: numerator x, denominator 1
    Expanded,    // the expansion ended: numerator a0*p + q, denominator p
    PowerOfTen,  // it did not: numerator x*10^j, denominator 10^j (not reduced)
};

struct Fraction {
    FractionKind kind = FractionKind::Whole;
    double numerator = 0;
    double denominator = 1;
    FailureKind failure = FailureKind::None;
    bool ok() const { return failure == FailureKind::None; }
};

// round15(v): the integer part of v * 10^15 + 0.5, divided by 10^15.
double roundTo15Places(double value);

// x as a fraction, with at most `maxQuotients` partial quotients after a0.
Fraction expandContinuedFraction(double x, int maxQuotients);

// The fraction page: what its three result boxes show for the value of the
// input box; a whole value is shown as 0 and value/1. A failure writes
// "Error" and its description into the denominator box only, with a beep.
struct FractionPageOutput {
    std::string wholePart;    // Text34
    std::string numerator;    // Text14
    std::string denominator;  // Text15
    bool wholePartWritten = false;
    bool numeratorWritten = false;
    bool beep = false;
};
FractionPageOutput fractionPageResult(double x);

}  // namespace numerelle::numtools
