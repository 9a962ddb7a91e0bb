#include "numtools/continued_fraction.h"

#include "common/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

namespace {

using namespace numerelle::numtools;

TEST(FractionPage, ResultBoxes) {
    struct Row {
        const char* name;
        double x;
        std::string whole, numerator, denominator;
    };
    const Row rows[] = {
        {"three quarters", 0.75, " 0", " 3", " 4"},
        {"one tenth", 0.1, " 0", " 1", " 10"},
        {"two and a half", 2.5, " 2", " 1", " 2"},
        {"negative: floor as whole part, positive proper fraction", -0.75, "-1", " 1", " 4"},
        {"nearest double to a third", 1.0 / 3, " 0", " 1", " 3"},
        {"two thirds", 2.0 / 3, " 0", " 2", " 3"},
        {"seven sixteenths", 7.0 / 16, " 0", " 7", " 16"},
        {"large whole part", 123456.125, " 123456", " 1", " 8"},
        // The rounding noise of 0.333333 keeps its remainder above 10^-10,
        // so the expansion never ends and the power of ten is used instead.
        {"0.333333 falls back to a power of ten", 0.333333, " 0", " 333333", " 1000000"},
        {"3.14159 keeps its whole part in the numerator", 3.14159, " 0", " 314159", " 100000"},
        {"negative fallback", -0.333333, " 0", "-333333", " 1000000"},
        {"whole input over one", 5, " 0", " 5", " 1"},
        {"negative whole input", -7, " 0", "-7", " 1"},
        {"large whole input in number text", 1e20, " 0", " 1E+20", " 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FractionPageOutput out = fractionPageResult(row.x);
        EXPECT_TRUE(out.wholePartWritten);
        EXPECT_TRUE(out.numeratorWritten);
        EXPECT_FALSE(out.beep);
        EXPECT_EQ(out.wholePart, row.whole);
        EXPECT_EQ(out.numerator, row.numerator);
        EXPECT_EQ(out.denominator, row.denominator);
    }
}

TEST(FractionPage, OverflowOnlyWritesTheDenominatorBox) {
    // 1 / 10^-300 rounded to 15 places overflows on the way.
    const FractionPageOutput out = fractionPageResult(1e-300);
    EXPECT_FALSE(out.wholePartWritten);
    EXPECT_FALSE(out.numeratorWritten);
    EXPECT_TRUE(out.beep);
    EXPECT_EQ(out.denominator,
              "Error" + numerelle::failureText(numerelle::FailureKind::Overflow));
}

TEST(ContinuedFraction, KindsAndLimits) {
    struct Row {
        const char* name;
        double x;
        int maxQuotients;
        FractionKind kind;
        double numerator, denominator;
    };
    const Row rows[] = {
        {"whole", 4, fractionPageQuotients, FractionKind::Whole, 4, 1},
        {"half", 0.5, fractionPageQuotients, FractionKind::Expanded, 1, 2},
        {"improper", 4.5, squareRootQuotients, FractionKind::Expanded, 9, 2},
        {"negative improper", -2.25, fractionPageQuotients, FractionKind::Expanded, -9, 4},
        {"tiny remainder ends at once", 1e-13, squareRootQuotients, FractionKind::Expanded, 1, 1e13},
        // 0.75 needs two partial quotients (1 and 3); one is not enough.
        {"quotient limit reached", 0.75, 1, FractionKind::PowerOfTen, 75, 100},
        {"fallback", 0.333333, squareRootQuotients, FractionKind::PowerOfTen, 333333, 1e6},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Fraction fraction = expandContinuedFraction(row.x, row.maxQuotients);
        ASSERT_TRUE(fraction.ok());
        EXPECT_EQ(fraction.kind, row.kind);
        EXPECT_EQ(fraction.numerator, row.numerator);
        EXPECT_EQ(fraction.denominator, row.denominator);
    }
}

}  // namespace

namespace {

// Whatever the route, the three boxes together must be worth x: a whole part,
// then a fraction that is proper unless the fallback kept x in the numerator.
TEST(FractionPage, RandomDecimalsAreWorthTheirInput) {
    std::mt19937 random(4242);
    std::uniform_int_distribution<int> digits(0, 99999999);
    std::uniform_int_distribution<int> places(1, 8);
    for (int i = 0; i < 1000; ++i) {
        const int decimals = places(random);
        const double x = (digits(random) - 50000000) / std::pow(10.0, decimals);
        SCOPED_TRACE(x);
        const FractionPageOutput out = fractionPageResult(x);
        ASSERT_FALSE(out.beep);
        const double whole = numerelle::numberFromText(out.wholePart);
        const double numerator = numerelle::numberFromText(out.numerator);
        const double denominator = numerelle::numberFromText(out.denominator);
        EXPECT_EQ(std::floor(numerator), numerator);
        EXPECT_EQ(std::floor(denominator), denominator);
        EXPECT_GT(denominator, 0);
        EXPECT_NEAR(whole + numerator / denominator, x, 1e-9 * std::max(1.0, std::fabs(x)));
        if (denominator != std::pow(10.0, std::round(std::log10(denominator)))) {
            EXPECT_GE(numerator, 0);
            EXPECT_LT(numerator, denominator);
        }
    }
}

}  // namespace
