// The button actions of the big-number pages: what each result box shows,
// the messages, the beep and the elapsed time. Plain signed arithmetic is
// cross-checked by the decimal fuzz target and its seeds; the refusals, the
// normal-form corners and the faults once found are rows of
// tests/cases/bignum.cases. Here: what no command line can type (blanks,
// empty boxes), lengths, times and cancellation.
#include <gtest/gtest.h>

#include "bignum/longjs.h"
#include "common/failure.h"

namespace nb = numerelle::bignum;

namespace {

numerelle::WorkControl control;

using Page = nb::PageOutcome (*)(std::string_view, std::string_view);
nb::PageOutcome sum(std::string_view a, std::string_view b) {
    return nb::computeSum(a, b);
}
nb::PageOutcome factorial(std::string_view n, std::string_view) {
    return nb::computeFactorial(n, control);
}
nb::PageOutcome power(std::string_view a, std::string_view b) {
    return nb::computePower(a, b, control);
}
// a = upper box (selection m), b = lower box (set size n).
nb::PageOutcome perm(std::string_view a, std::string_view b) {
    return nb::computePermutation(a, b, control);
}
nb::PageOutcome comb(std::string_view a, std::string_view b) {
    return nb::computeCombination(a, b, control);
}

// The result box, and no message.
struct Row {
    const char* name;
    Page page;
    const char* a;
    const char* b;
    const char* result;
};

TEST(BigPages, BlanksAndEmptyBoxes) {
    const Row rows[] = {
        {"sum: blanks of a pasted number are dropped", sum, "1 000", "1", "1001"},
        {"factorial: empty box reads as zero", factorial, "", "", "1"},
        {"factorial: blanks of a pasted number are dropped", factorial, " 1 0 ", "", " 3628800"},
        {"power: exponent with blanks, parity of its last digit", power, "-2", " 1 1", "- 2048"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const nb::PageOutcome outcome = row.page(row.a, row.b);
        EXPECT_EQ(outcome.result, row.result);
        EXPECT_TRUE(outcome.messages.empty());
        EXPECT_FALSE(outcome.cancelled);
    }
}

TEST(BigPages, LongResultsHaveTheirLengthAndTime) {
    for (const auto& [n, digits] : {std::pair{"100", 158u}, {"4000", 12674u}, {"4001", 12677u}}) {
        SCOPED_TRACE(n);
        const nb::PageOutcome outcome = nb::computeFactorial(n, control);
        ASSERT_TRUE(outcome.result.has_value());
        EXPECT_EQ(outcome.result->size(), digits);
        EXPECT_TRUE(outcome.elapsedSeconds.has_value());
    }
    EXPECT_FALSE(nb::computeFactorial("17", control).elapsedSeconds.has_value());
    EXPECT_TRUE(nb::computeProduct("2", "3", control).elapsedSeconds.has_value());
    EXPECT_FALSE(nb::computeProduct("2", "x", control).elapsedSeconds.has_value());
}

TEST(BigPages, PowerLengthIsCountedFromTheValue) {
    const double cap = static_cast<double>(nb::kMaxPowerDigits);
    struct Case {
        const char* name;
        const char* digits;
        std::int64_t shift;
        std::uint64_t e;
        double length;
    };
    const Case cases[] = {
        {"2^64", "2", 0, 64, 20},
        {"largest power of 2 under the cap", "2", 0, 332192809, cap},
        {"first power of 2 over the cap", "2", 0, 332192810, cap + 1},
        {"10^99999999 is the cap", "1", 1, 99999999, cap},
        {"0.1^3 is a point and three places", "1", -1, 3, 4},
        {"0.5^2: the digits fill the places", "5", -1, 2, 3},
        {"1.5^2: more digits than places", "15", -1, 2, 4},
        {"one to any power", "1", 0, 18446744073709551615u, 1},
        {"a long base", "123456789012345678901234567890", 0, 3, 88},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(nb::powerTextLength(c.digits, c.shift, c.e), c.length);
    }
    // A power whose length is near the cap, or far beyond it, is counted,
    // not built, and refused with a beep.
    for (const auto& [base, e] :
         {std::pair{"2", "332192810"}, {"10", "100000000"}, {"0.1", "100000000"}, {"7", "100000000000"}}) {
        SCOPED_TRACE(base);
        const nb::PageOutcome outcome = nb::computePower(base, e, control);
        ASSERT_TRUE(outcome.result.has_value());
        EXPECT_EQ(*outcome.result, numerelle::failureText(numerelle::FailureKind::OutOfMemory));
        EXPECT_TRUE(outcome.resultIsFailure);
        EXPECT_TRUE(outcome.beep);
    }
    const nb::PageOutcome shorter = nb::computePower("2", "3000000", control);
    ASSERT_TRUE(shorter.result.has_value());
    EXPECT_EQ(shorter.result->size(), 903090u);
}

TEST(BigPages, LongSetSizesAreRefusedBeforeAnyWork) {
    // 100000 digits chosen 99999 or 1001 times: about 10^10 and 10^8 digits.
    const std::string n = "1" + std::string(99999, '7');
    for (const char* m : {"99999", "1001"}) {
        for (Page page : {perm, comb}) {
            SCOPED_TRACE(m);
            const nb::PageOutcome outcome = page(m, n);
            ASSERT_TRUE(outcome.result.has_value());
            EXPECT_EQ(*outcome.result, numerelle::failureText(numerelle::FailureKind::OutOfMemory));
            EXPECT_TRUE(outcome.resultIsFailure);
            EXPECT_TRUE(outcome.beep);
        }
    }
    // A short selection of the same set still computes.
    const nb::PageOutcome two = perm("2", n);
    ASSERT_TRUE(two.result.has_value());
    EXPECT_EQ(two.result->size(), 199999u);
}

TEST(BigPages, ElapsedTextShowsSignedSecondsWithSevenDigits) {
    EXPECT_EQ(nb::elapsedSecondsText(0.25), " .25秒");
    EXPECT_EQ(nb::elapsedSecondsText(1.0 / 3.0), " .3333333秒");
    EXPECT_EQ(nb::elapsedSecondsText(12), " 12秒");
}

TEST(BigPages, CancellationStopsLongWorkWithoutAResult) {
    numerelle::WorkControl cancelled;
    cancelled.cancel();
    const nb::PageOutcome outcome = nb::computeFactorial("99999", cancelled);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_FALSE(outcome.result.has_value());
    // A long set size stops while its factors are being laid out.
    const std::string n(5000, '9');
    for (auto page : {nb::computePermutation, nb::computeCombination}) {
        const nb::PageOutcome selection = page("9999", n, cancelled);
        EXPECT_TRUE(selection.cancelled);
        EXPECT_FALSE(selection.result.has_value());
    }
}

}  // namespace
