#include "numtools/square_root.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

namespace {

using namespace numerelle::numtools;

SquareRootOutput simplify(double x) {
    numerelle::WorkControl control;
    return finishSquareRoot(planSquareRoot(x), control);
}

TEST(SquareRoot, SimplestRadicalForm) {
    struct Row {
        const char* name;
        double x;
        std::string a, b, c, decimal;
    };
    const Row rows[] = {
        {"twelve", 12, "2", "1", "3", "3.46410161513775"},
        {"seventy-two", 72, "6", "1", "2", "8.48528137423857"},
        {"prime", 7, "1", "1", "7", "2.64575131106459"},
        {"perfect square", 1000000, "1000", "1", "1", "1000"},
        {"composite square factor found once", 36, "6", "1", "1", "6"},
        {"one half: denominator moved under the root", 0.5, "1", "2", "2", "0.707106781186548"},
        {"three quarters", 0.75, "1", "2", "3", "0.866025403784439"},
        {"four and a half", 4.5, "3", "2", "2", "2.12132034355964"},
        {"square of a fraction", 2.25, "3", "2", "1", "1.5"},
        {"a third", 1.0 / 3, "1", "3", "3", "0.577350269189626"},
        {"not reduced: 8/3", 8.0 / 3, "2", "3", "6", "1.63299316185545"},
        {"zero", 0, "0", "1", "0", "0"},
        {"denominator 10^13", 1e-13, "1", "10000000", "10", "3.16227766016838E-07"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const SquareRootOutput out = simplify(row.x);
        EXPECT_FALSE(out.beep);
        EXPECT_EQ(out.factorNumerator, row.a);
        EXPECT_EQ(out.factorDenominator, row.b);
        EXPECT_EQ(out.underRoot, row.c);
        EXPECT_EQ(out.decimal, row.decimal);
    }
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
    EXPECT_EQ(out.underRoot,
              "Error" + numerelle::failureText(numerelle::FailureKind::InvalidArgument));
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

}  // namespace

namespace {

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
