#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/number_text.h"
#include "expr/jxjs.h"

namespace {

using namespace numerelle::expr;

struct ValueRow {
    const char* formula;
    const char* expected;  // number text of the value
};

void expectValues(const ValueRow* begin, const ValueRow* end) {
    for (const ValueRow* row = begin; row != end; ++row) {
        SCOPED_TRACE(row->formula);
        const Evaluation result = evaluateFormula(row->formula);
        ASSERT_TRUE(result.ok()) << numerelle::failureText(result.failure);
        EXPECT_EQ(numerelle::numberText(result.value), row->expected);
    }
}

// The language row by row (precedence, signs, number forms, every function
// and each failure kind) is in tests/cases/expr.cases; here what a command
// line cannot pass as one argument.
TEST(Evaluate, EmptyAndBlankFormulas) {
    const ValueRow rows[] = {{"", "0"}, {" 1 + 2 ", "3"}};
    expectValues(std::begin(rows), std::end(rows));
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
