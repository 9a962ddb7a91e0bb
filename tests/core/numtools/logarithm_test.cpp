#include <gtest/gtest.h>

#include "common/number_text.h"
#include "numtools/logarithm.h"

namespace {

using Failure = numerelle::FailureKind;
using numerelle::numtools::LogarithmInputCheck;

TEST(Logarithm, Values) {
    struct Row { const char* name; double number; double base; bool natural; const char* text; };
    const Row rows[] = {
        {"thousand to base ten rounds to 3", 1000, 10, false, "3"},
        {"one to any base", 1, 7, false, "0"},
        {"base two", 8, 2, false, "3"},
        {"base below one", 8, 0.5, false, "-3"},
        {"natural of one", 1, 10, true, "0"},
        {"natural ignores the base", 2.718281828459045, 1, true, "1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto result = numerelle::numtools::computeLogarithm(row.number, row.base, row.natural);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(numerelle::numberText(result.value), row.text);
    }
}

TEST(Logarithm, FailuresAreValues) {
    struct Row { const char* name; double number; double base; bool natural; Failure failure; };
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
