#include "numtools/square_root.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

namespace {

// The radical forms are rows of tests/cases/numtools.cases.
using namespace numerelle::numtools;

SquareRootOutput simplify(double x) {
    numerelle::WorkControl control;
    return finishSquareRoot(planSquareRoot(x), control);
}

TEST(SquareRoot, AsksBeforeLargeDenominators) {
    EXPECT_FALSE(planSquareRoot(0.5).askFirst);
    EXPECT_FALSE(planSquareRoot(1e-12).askFirst);  // exactly 10^12 is not asked about
    EXPECT_TRUE(planSquareRoot(1e-13).askFirst);
    EXPECT_FALSE(planSquareRoot(0).askFirst);
}

TEST(SquareRoot, NegativeInputFails) {
    const SquareRootOutput out = simplify(-4);
    EXPECT_TRUE(out.beep);
    EXPECT_EQ(out.underRoot, "Error" + numerelle::failureText(numerelle::FailureKind::InvalidArgument));
    EXPECT_FALSE(out.factorNumerator);
}

TEST(SquareRoot, CancelledSearchWritesNothing) {
    // A 16-digit prime: the numerator search runs to 10^8 unless stopped.
    numerelle::WorkControl control;
    control.cancel();
    const SquareRootOutput out = finishSquareRoot(planSquareRoot(9999999999999937.0), control);
    EXPECT_TRUE(out.cancelled);
    EXPECT_FALSE(out.factorNumerator);
    EXPECT_FALSE(out.underRoot);
}

bool squareFree(long long c) {
    for (long long k = 2; k * k <= c; ++k)
        if (c % (k * k) == 0) return false;
    return true;
}

// For whole inputs the form must be exact: (a / b)^2 * c = x with c free of
// square factors.
TEST(SquareRoot, WholeNumbersGiveExactForms) {
    for (long long x = 1; x <= 3000; ++x) {
        SCOPED_TRACE(x);
        const SquareRootOutput out = simplify(static_cast<double>(x));
        const long long a = std::stoll(*out.factorNumerator);
        const long long b = std::stoll(*out.factorDenominator);
        const long long c = std::stoll(*out.underRoot);
        ASSERT_EQ(b, 1);
        EXPECT_EQ(a * a * c, x);
        EXPECT_TRUE(squareFree(c));
    }
}

}  // namespace
