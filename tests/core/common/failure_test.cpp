#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/failure.h"

namespace {

using numerelle::FailureKind;

// A kind added without its own text falls through to another kind's.
TEST(Failure, EachKindHasItsOwnText) {
    std::set<std::string> texts;
    for (int k = 1; k <= static_cast<int>(FailureKind::Unexpected); ++k) {
        const std::string text = numerelle::failureText(static_cast<FailureKind>(k));
        EXPECT_FALSE(text.empty()) << k;
        EXPECT_TRUE(texts.insert(text).second) << k << ' ' << text;
    }
    EXPECT_EQ(numerelle::failureText(FailureKind::None), "");
}

TEST(Failure, FormulaFieldMessagesPutBracketsFirst) {
    using Messages = std::vector<std::string>;
    EXPECT_EQ(numerelle::formulaFailureMessages(FailureKind::Brackets), (Messages{"括号错了!", "式子有问题"}));
    EXPECT_EQ(numerelle::formulaFailureMessages(FailureKind::DivisionByZero), Messages{"式子有问题"});
}

}  // namespace
