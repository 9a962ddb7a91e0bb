// The sums and integral pages' buttons, from the boxes' texts to what the
// page shows, through the real formula evaluator.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "calculus/page_actions.h"
#include "expr/jxjs.h"

namespace {

using numerelle::WorkControl;
using numerelle::calculus::PageAnswer;
using Failure = numerelle::FailureKind;

std::string failed(Failure failure) { return "出了错！" + numerelle::failureText(failure); }

struct RangeRow {
    const char* name;
    const char* formula;
    const char* upper;
    const char* lower;
    std::string sum;
    std::string product;
};

TEST(SumsPage, ResultBoxes) {
    const RangeRow rows[] = {
        {"x over 1..100 and 1..10", "x", "100", "1", "5050", "9.33262154439441E+157"},
        {"empty range: sum empty, product one", "x", "1", "5", "", "1"},
        {"range boxes read by their leading number", "x", "4abc", "2x", "9", "24"},
        {"sum overflows", "10^300*x", "1E+10", "1", failed(Failure::Overflow), failed(Failure::Overflow)},
    };
    for (const RangeRow& row : rows) {
        SCOPED_TRACE(row.name);
        WorkControl control;
        const PageAnswer sum = numerelle::calculus::sumAction(row.formula, row.upper, row.lower, control);
        EXPECT_EQ(sum.resultText, std::optional<std::string>(row.sum));
        EXPECT_TRUE(sum.messages.empty());
        EXPECT_GE(sum.seconds, 0);
        const PageAnswer product = numerelle::calculus::productAction(row.formula, row.upper, row.lower, control);
        EXPECT_EQ(product.resultText, std::optional<std::string>(row.product));
    }
}

TEST(SumsPage, BracketMismatchIsAnnouncedThenFails) {
    WorkControl control;
    const PageAnswer answer = numerelle::calculus::sumAction("(x", "3", "1", control);
    ASSERT_EQ(answer.messages.size(), 1u);
    EXPECT_EQ(answer.messages[0], "括号错了!");
    ASSERT_TRUE(answer.resultText.has_value());
    EXPECT_EQ(answer.resultText->rfind("出了错！", 0), 0u);
}

TEST(SumsPage, CancelledSumKeepsTheBox) {
    WorkControl control;
    control.cancel();
    const PageAnswer answer = numerelle::calculus::sumAction("x", "1E+9", "1", control);
    EXPECT_FALSE(answer.resultText.has_value());
}

TEST(SumsPage, RangeOrderComparesNumbers) {
    struct Row {
        const char* upper;
        const char* lower;
        bool wrong;
    };
    const Row rows[] = {
        {"1", "5", true}, {"10", "9", false}, {"5", "5", false}, {"-1", "-2", false},
        {"-2", "-1", true}, {"", "1", true},  {"", "", false},   {"0.5", "1/2", true},  // "/" is no division here: 1/2 reads as 1
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.upper) + " over " + row.lower);
        EXPECT_EQ(numerelle::calculus::rangeOrderWrong(row.upper, row.lower), row.wrong);
    }
}

struct IntegralRow {
    const char* name;
    const char* formula;
    const char* a;  // upper box
    const char* b;  // lower box
    const char* n;
    std::string text;
};

TEST(IntegralPage, ResultBox) {
    const IntegralRow rows[] = {
        {"defaults", "x", "1", "2", "1000", "1.5"},
        {"x^2 over [0, 1]", "x^2", "1", "0", "1000", "0.3333335"},
        {"line over large limits", "2*x+1", "1000001", "1000000", "1000", "2000002"},
        {"n = 0", "x", "1", "2", "0", failed(Failure::DivisionByZero)},
        {"empty n reads as 0", "x", "1", "2", "", failed(Failure::DivisionByZero)},
    };
    for (const IntegralRow& row : rows) {
        SCOPED_TRACE(row.name);
        WorkControl control;
        const PageAnswer answer = numerelle::calculus::integralAction(row.formula, row.a, row.b, row.n, control);
        EXPECT_EQ(answer.resultText, std::optional<std::string>(row.text));
    }
}

struct DerivativeRow {
    const char* name;
    const char* formula;
    const char* point;
    const char* n;
    std::optional<std::string> text;  // none: the box keeps its text
};

TEST(DerivativePage, ResultBox) {
    const DerivativeRow rows[] = {
        {"SIN at 0", "SIN(x)", "0", "1000", "0.999999833333342"},
        {"parabola is exact when the step is a power of 2", "x*x", "3", "1024", "6"},
        {"SQRT at 0 fails rather than counting 0", "SQRT(x)", "0", "1000", failed(Failure::InvalidArgument)},
        {"n = 0 leaves the box", "x", "1", "0", std::nullopt},
    };
    for (const DerivativeRow& row : rows) {
        SCOPED_TRACE(row.name);
        const PageAnswer answer = numerelle::calculus::derivativeAction(row.formula, row.point, row.n);
        EXPECT_EQ(answer.resultText, row.text);
        EXPECT_TRUE(answer.messages.empty());
    }
}

}  // namespace
