#include <gtest/gtest.h>

#include "numtools/logarithm.h"

// The values the page shows are rows of tests/cases/logarithm.cases; here the
// failures of what the boxes never let through, and the focus-loss checks.
namespace {

using Failure = numerelle::FailureKind;
using numerelle::numtools::LogarithmInputCheck;

TEST(Logarithm, FailuresAreValues) {
    struct Row {
        const char* name;
        double number;
        double base;
        bool natural;
        Failure failure;
    };
    const Row rows[] = {
        {"log of zero", 0, 10, false, Failure::InvalidArgument},
        {"log of a negative", -2, 10, true, Failure::InvalidArgument},
        {"base one divides by zero", 5, 1, false, Failure::DivisionByZero},
        {"base zero", 5, 0, false, Failure::InvalidArgument},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(numerelle::numtools::computeLogarithm(row.number, row.base, row.natural).failure, row.failure);
    }
}

TEST(Logarithm, InputChecksPreferTheBase) {
    EXPECT_EQ(numerelle::numtools::checkLogarithmInputs(0, 1), LogarithmInputCheck::ResetBase);
    EXPECT_EQ(numerelle::numtools::checkLogarithmInputs(0, 0), LogarithmInputCheck::ResetBase);
    EXPECT_EQ(numerelle::numtools::checkLogarithmInputs(0, 2), LogarithmInputCheck::ResetNumber);
    EXPECT_EQ(numerelle::numtools::checkLogarithmInputs(3, 0.5), LogarithmInputCheck::Fine);
}

}  // namespace
