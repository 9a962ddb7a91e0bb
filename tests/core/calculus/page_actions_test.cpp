// The sums and integral pages' buttons, from the boxes' texts to what the
// page shows, through the real formula evaluator. The result boxes of each
// button are rows of tests/cases/calculus.cases; here what the command line
// cannot reach: cancelling and the range-order check on leaving a box.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "calculus/page_actions.h"

namespace {

TEST(SumsPage, CancelledSumKeepsTheBox) {
    numerelle::WorkControl control;
    control.cancel();
    EXPECT_FALSE(numerelle::calculus::sumAction("x", "1E+9", "1", control).resultText.has_value());
}

TEST(SumsPage, RangeOrderComparesNumbers) {
    struct Row {
        const char* upper;
        const char* lower;
        bool wrong;
    };
    const Row rows[] = {
        {"1", "5", true}, {"10", "9", false}, {"5", "5", false},    {"-1", "-2", false}, {"-2", "-1", true},
        {"", "1", true},  {"", "", false},    {"0.5", "1/2", true},  // "/" is no division here: 1/2 reads as 1
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.upper) + " over " + row.lower);
        EXPECT_EQ(numerelle::calculus::rangeOrderWrong(row.upper, row.lower), row.wrong);
    }
}

}  // namespace
