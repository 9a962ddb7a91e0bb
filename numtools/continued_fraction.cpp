#include "numtools/continued_fraction.h"

#include <cmath>
#include <vector>

#include "common/number_text.h"

namespace numerelle::numtools {

namespace {

constexpr double remainderThreshold = 1e-10;
constexpr int largestPowerOfTen = 400;

Fraction failed(FailureKind failure) {
    Fraction fraction;
    fraction.failure = failure;
    return fraction;
}

// x * 10^j / 10^j for the smallest j that makes the numerator whole.
Fraction powerOfTenFraction(double x) {
    for (int j = 1; j <= largestPowerOfTen; ++j) {
        const double scale = std::pow(10.0, j);
        const double scaled = x * scale;
        if (!std::isfinite(scaled)) return failed(FailureKind::Overflow);
        if (std::floor(scaled) == scaled) return {FractionKind::PowerOfTen, scaled, scale};
    }
    // Unreachable for finite doubles: above about 10^23 every double is whole.
    return failed(FailureKind::Overflow);
}

}  // namespace

double roundTo15Places(double value) {
    return std::floor(value * 1e15 + 0.5) / 1e15;
}

Fraction expandContinuedFraction(double x, int maxQuotients) {
    if (!std::isfinite(x)) return failed(FailureKind::Overflow);
    const double a0 = std::floor(x);
    double r = x - a0;
    if (r == 0) return {FractionKind::Whole, x, 1};

    std::vector<double> quotients{a0};
    for (int i = 1;; ++i) {
        r = 1 / r;
        r = roundTo15Places(r);
        if (!std::isfinite(r)) return failed(FailureKind::Overflow);
        quotients.push_back(std::floor(r));
        r = r - std::trunc(r);
        r = roundTo15Places(r);
        if (r < remainderThreshold) r = 0;
        if (r == 0) break;
        if (i == maxQuotients) return powerOfTenFraction(x);
    }

    double p = 1;
    double q = 0;
    for (std::size_t k = quotients.size() - 1; k >= 1; --k) {
        const double product = quotients[k] * p;
        const double next = product + q;
        q = p;
        p = next;
    }
    const double numerator = a0 * p + q;
    if (!std::isfinite(p) || !std::isfinite(numerator)) return failed(FailureKind::Overflow);
    return {FractionKind::Expanded, numerator, p};
}

FractionPageOutput fractionPageResult(double x) {
    FractionPageOutput out;
    const Fraction fraction = expandContinuedFraction(x, fractionPageQuotients);
    if (!fraction.ok()) {
        out.denominator = "Error" + failureText(fraction.failure);
        out.beep = true;
        return out;
    }
    out.wholePartWritten = true;
    out.numeratorWritten = true;
    switch (fraction.kind) {
        case FractionKind::Whole:
            // The numerator holds the whole value over 1, written in signed
            // number text like every other result; the whole-part box is
            // cleared so the three boxes never mix two results.
            out.wholePart = signedNumberText(0);
            out.numerator = signedNumberText(x);
            out.denominator = signedNumberText(1);
            break;
        case FractionKind::PowerOfTen:
            out.wholePart = signedNumberText(0);
            out.numerator = signedNumberText(fraction.numerator);
            out.denominator = signedNumberText(fraction.denominator);
            break;
        case FractionKind::Expanded: {
            const double whole = std::floor(fraction.numerator / fraction.denominator);
            out.wholePart = signedNumberText(whole);
            out.numerator = signedNumberText(fraction.numerator - whole * fraction.denominator);
            out.denominator = signedNumberText(fraction.denominator);
            break;
        }
    }
    return out;
}

}  // namespace numerelle::numtools
