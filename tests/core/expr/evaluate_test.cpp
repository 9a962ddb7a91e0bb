#include <gtest/gtest.h>

#include <set>
#include <string>

#include "expr/jxjs.h"

namespace {

using namespace numerelle::expr;

// The language row by row (precedence, signs, number forms, every function
// and each failure kind) is in tests/cases/expr.cases; here what a command
// line cannot pass as one argument.
TEST(Evaluate, EmptyAndBlankFormulas) {
    const Evaluation empty = evaluateFormula(""), blanks = evaluateFormula(" 1 + 2 ");
    ASSERT_TRUE(empty.ok() && blanks.ok());
    EXPECT_EQ(empty.value, 0);
    EXPECT_EQ(blanks.value, 3);
}

TEST(Evaluate, RandomFractionsAreDrawnFromOneSequence) {
    std::set<double> seen;
    for (int i = 0; i < 100; ++i) {
        const Evaluation r = evaluateFormula("RND(1)");
        ASSERT_TRUE(r.ok());
        EXPECT_GE(r.value, 0);
        EXPECT_LT(r.value, 1);
        seen.insert(r.value);
    }
    EXPECT_GT(seen.size(), 90u);
    const Evaluation scaled = evaluateFormula("RND(-10)");
    EXPECT_LE(scaled.value, 0);
    EXPECT_GT(scaled.value, -10);
}

}  // namespace
