#include "numtools/continued_fraction.h"

#include "common/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

namespace {

// The three result boxes are rows of tests/cases/numtools.cases.
using namespace numerelle::numtools;

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
