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
    const int last = static_cast<int>(FailureKind::Unexpected);
    for (int k = 1; k <= last; ++k) {
        const std::string text = numerelle::failureText(static_cast<FailureKind>(k));
        SCOPED_TRACE(k);
        EXPECT_FALSE(text.empty());
        EXPECT_TRUE(texts.insert(text).second) << text;
    }
    EXPECT_EQ(numerelle::failureText(FailureKind::None), "");
}

TEST(Failure, FormulaFieldMessages) {
    const struct {
        const char* name;
        FailureKind kind;
        std::vector<std::string> messages;
    } rows[] = {
        {"brackets first, then the field's own", FailureKind::Brackets, {"括号错了!", "式子有问题"}},
        {"any other failure", FailureKind::DivisionByZero, {"式子有问题"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(numerelle::formulaFailureMessages(row.kind), row.messages);
    }
}

}  // namespace
