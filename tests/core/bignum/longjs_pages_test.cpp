// The button actions of the big-number pages: what each result box shows,
// the messages, the beep and the elapsed time. Plain signed arithmetic is
// cross-checked at random in longjs_random_test.cpp; these rows hold the
// refusals, the normal-form corners and the faults once found.
#include <gtest/gtest.h>

#include "bignum/longjs.h"
#include "common/failure.h"

namespace nb = numerelle::bignum;

namespace {

numerelle::WorkControl control;

using Page = nb::PageOutcome (*)(std::string_view, std::string_view);
nb::PageOutcome sum(std::string_view a, std::string_view b) { return nb::computeSum(a, b); }
nb::PageOutcome difference(std::string_view a, std::string_view b) { return nb::computeDifference(a, b); }
nb::PageOutcome product(std::string_view a, std::string_view b) { return nb::computeProduct(a, b, control); }
nb::PageOutcome factorial(std::string_view n, std::string_view) { return nb::computeFactorial(n, control); }
nb::PageOutcome power(std::string_view a, std::string_view b) { return nb::computePower(a, b, control); }
// a = upper box (selection m), b = lower box (set size n).
nb::PageOutcome perm(std::string_view a, std::string_view b) { return nb::computePermutation(a, b, control); }
nb::PageOutcome comb(std::string_view a, std::string_view b) { return nb::computeCombination(a, b, control); }

const std::vector<std::string> kMinus{"不能把负号放在这里"}, kPoints{"不能有两个小数点"},
    kCharacter{"只能输入数字、小数点和负号"}, kWarning{"数据要上小，下大？"},
    kTooLarge{"数据太大？需要很长时间，所以不能计算！"}, kDigitsOnly{"只能输入数字"};

// Expected outcome: a result text (nullptr: box unchanged) and the messages.
struct Row {
    const char* name;
    Page page;
    const char* a;
    const char* b;
    const char* result;
    std::vector<std::string> messages = {};
};

TEST(BigPages, ResultsAndRefusals) {
    const Row rows[] = {
        {"sum: sign before the signed text", sum, "-1.5", "-1.5", "- 3"},
        {"sum: blanks of a pasted number are dropped", sum, "1 000", "1", "1001"},
        {"sum: two negative zeros sum to an unsigned zero", sum, "-0", "-0", "0"},
        {"sum: negative halves that cancel", sum, "-0.5", "0.5", " 0"},
        {"sum: minus inside is refused", sum, "1-2", "3", nullptr, kMinus},
        {"sum: two points are refused", sum, "1", "1.2.3", nullptr, kPoints},
        {"sum: letters are refused", sum, "12abc", "1", nullptr, kCharacter},
        {"difference: negative zero minus zero has no sign", difference, "-0", "0", "0"},
        {"difference: junk is refused", difference, "5", "--3", nullptr, kMinus},
        {"product: negative times positive", product, "-1.5", "2", "- 3"},
        {"product: a zero product has no sign", product, "-5", "0", "0"},
        {"product: tiny factors", product, ".000001", ".000001", ".000000000001"},
        {"product: letters are refused", product, "2", "x", nullptr, kCharacter},
        {"factorial: zero", factorial, "0", "", "1"},
        {"factorial: empty box reads as zero", factorial, "", "", "1"},
        {"factorial: one has the leading blank", factorial, "1", "", " 1"},
        {"factorial: largest double result", factorial, "17", "", " 355687428096000"},
        {"factorial: first exact path", factorial, "18", "", "6402373705728000"},
        // A whole-number box holds digits; what only a paste or the command
        // line brings there gives no result.
        {"factorial: pasted text with letters", factorial, "12abc", "", nullptr, kDigitsOnly},
        {"factorial: letters only", factorial, "abc", "", nullptr, kDigitsOnly},
        {"factorial: a sign", factorial, "-5", "", nullptr, kDigitsOnly},
        {"factorial: full-width digits", factorial, "１０", "", nullptr, kDigitsOnly},
        {"factorial: a Chinese character", factorial, "十", "", nullptr, kDigitsOnly},
        {"factorial: blanks of a pasted number are dropped", factorial, " 1 0 ", "", " 3628800"},
        {"factorial: above the limit", factorial, "100000", "", "太大了！"},
        {"factorial: far above the limit", factorial, "99999999999999999999999", "", "太大了！"},
        {"power: zero to the zero", power, "0", "0", "无意义！"},
        {"power: zero with a point to the zero", power, "0.0", "0", "无意义！"},
        {"power: power zero", power, "5", "0", "1"},
        {"power: zero base", power, "0", "5", "0"},
        {"power: power one keeps the text", power, "123.40", "1", "123.40"},
        {"power: short result as signed text", power, "5", "2", " 25"},
        {"power: trailing zeros come back", power, "50", "2", " 2500"},
        {"power: power of ten", power, "1000", "3", "1000000000"},
        {"power: fraction", power, "12.5", "2", "156.25"},
        {"power: half squared", power, "0.5", "2", " .25"},
        {"power: negative odd", power, "-2", "3", "- 8"},
        {"power: negative even", power, "-2", "64", "18446744073709551616"},
        {"power: long negative base", power, "-12345678", "3", "-1881675960266558605752"},
        {"power: negative fraction cubed", power, "-0.5", "3", "- .125"},
        {"power: 0.2 squared", power, "0.2", "2", " .04"},
        {"power: 0.1 cubed", power, "0.1", "3", ".001"},
        {"power: six-digit base stays exact", power, "999999", "3", "999997000002999999"},
        {"power: six-digit base, many factors", power, "999999", "4", "999996000005999996000001"},
        {"power: zeros only is zero", power, "00", "2", "0"},
        {"power: negative zero to an odd power has no sign", power, "-0", "3", "0"},
        {"power: negative zeros to an odd power", power, "-000", "5", "0"},
        {"power: zero with a point", power, "0.0", "5", " 0"},
        {"power: base with junk is refused", power, "2x", "2", nullptr, kCharacter},
        {"power: minus inside is refused", power, "2-", "2", nullptr, kMinus},
        {"power: one to a huge power", power, "1", "99999999999999999999", "1"},
        // Minus one keeps the parity of an exponent too long for any integer type.
        {"power: -1, huge even exponent", power, "-1", "100000000000000000000000", "1"},
        {"power: -1, huge odd exponent", power, "-1", "100000000000000000000001", "-1"},
        {"power: -1, exponent 2^64", power, "-1", "18446744073709551616", "1"},
        {"power: full-width exponent", power, "2", "１０", nullptr, kDigitsOnly},
        {"power: negative exponent", power, "2", "-2", nullptr, kDigitsOnly},
        {"power: exponent with a point", power, "2", "2.0", nullptr, kDigitsOnly},
        {"power: exponent with blanks, parity of its last digit", power, "-2", " 1 1", "- 2048"},
        // Short results of long powers: their length comes from the value.
        {"power: one with a point, long power", power, "1.0", "40000000", " 1"},
        {"power: one with trailing fraction zeros", power, "1.000", "3", " 1"},
        {"power: one with a point, short power keeps the point", power, "1.0", "2", " 1."},
        {"power: minus one with a point, long odd power", power, "-1.0", "40000001", "-1."},
        {"power: ten with a point keeps its point", power, "10.0", "3", "1000."},
        {"power: fraction zeros after other digits", power, "2.50", "3", "15.625"},
        {"power: padded one", power, "01", "5", "1"},
        {"power: padded one, long power", power, "0001", "99999999999", "1"},
        {"power: zeros to a huge power", power, "00", "100000000000", "0"},
        {"power: zero with a point to a long power", power, "0.0", "200000000", " 0"},
        {"power: minus zero with a point", power, "-0.0", "3", " 0"},
        {"perm: P(5, 2)", perm, "2", "5", "20"},
        {"perm: P(5, 0)", perm, "0", "5", "1"},
        {"perm: long set size", perm, "2", "1000000", "999999000000"},
        {"perm: six characters take the long path", perm, "3", "100000", "999970000200000"},
        {"perm: selection above the set warns and gives 0", perm, "5", "3", "0", kWarning},
        {"perm: selection too large", perm, "100000", "5", nullptr, kTooLarge},
        {"perm: set size with letters is refused", perm, "2", "5a", nullptr, kDigitsOnly},
        {"perm: full-width selection", perm, "３", "10", nullptr, kDigitsOnly},
        {"perm: full-width set size", perm, "3", "１０", nullptr, kDigitsOnly},
        {"perm: negative selection", perm, "-3", "10", nullptr, kDigitsOnly},
        {"comb: Chinese characters in the set size", comb, "2", "五", nullptr, kDigitsOnly},
        {"comb: letters in the selection", comb, "x", "5", nullptr, kDigitsOnly},
        {"comb: C(5, 3) by symmetry", comb, "3", "5", "10"},
        {"comb: C(5, 5)", comb, "5", "5", "1"},
        {"comb: C(5, 0)", comb, "0", "5", "1"},
        {"comb: C(100, 50)", comb, "50", "100", "100891344545564193334812497256"},
        {"comb: long set size", comb, "2", "1000000", "499999500000"},
        {"comb: twelve-digit set size", comb, "3", "123456789012", "313612728715354493283007925103220"},
        {"comb: selection above the set warns and gives 0", comb, "5", "3", "0", kWarning},
        {"comb: padded set size below the selection takes the long path", comb, "5", "000003", "0"},
        {"comb: selection too large", comb, "100000", "5", nullptr, kTooLarge},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const nb::PageOutcome outcome = row.page(row.a, row.b);
        EXPECT_EQ(outcome.result.has_value(), row.result != nullptr);
        if (row.result && outcome.result) {
            EXPECT_EQ(*outcome.result, row.result);
        }
        EXPECT_EQ(outcome.messages, row.messages);
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

TEST(BigPages, PowerRefusesResultsBeyondMemory) {
    const nb::PageOutcome outcome = nb::computePower("7", "100000000000", control);
    ASSERT_TRUE(outcome.result.has_value());
    EXPECT_EQ(*outcome.result, numerelle::failureText(numerelle::FailureKind::OutOfMemory));
    EXPECT_TRUE(outcome.beep);
    EXPECT_TRUE(outcome.resultIsFailure);
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
    // A power whose length is near the cap is counted, not built.
    for (const auto& [base, e] : {std::pair{"2", "332192810"}, {"10", "100000000"}, {"0.1", "100000000"}}) {
        SCOPED_TRACE(base);
        const nb::PageOutcome outcome = nb::computePower(base, e, control);
        ASSERT_TRUE(outcome.result.has_value());
        EXPECT_EQ(*outcome.result, numerelle::failureText(numerelle::FailureKind::OutOfMemory));
    }
    const nb::PageOutcome shorter = nb::computePower("2", "3000000", control);
    ASSERT_TRUE(shorter.result.has_value());
    EXPECT_EQ(shorter.result->size(), 903090u);
}

// Strips the sign and blank of a result box and reports the sign.
std::string magnitude(std::string shown, bool& negative) {
    negative = !shown.empty() && shown[0] == '-';
    return shown.substr(shown.find_first_not_of("- "));
}

TEST(BigPages, PowerAgreesWithRepeatedMultiplication) {
    for (const char* base : {"-3.7", "123456.789", "0.0625", "98765"}) {
        std::string expected = "1";
        bool negative = false;
        for (int e = 1; e <= 12; ++e) {
            SCOPED_TRACE(std::string(base) + "^" + std::to_string(e));
            std::string next;
            ASSERT_TRUE(nb::bigMultiply(expected, base[0] == '-' ? base + 1 : base, next, control));
            expected = next;
            const nb::PageOutcome outcome = nb::computePower(base, std::to_string(e), control);
            ASSERT_TRUE(outcome.result.has_value());
            const std::string got = magnitude(*outcome.result, negative);
            EXPECT_EQ(negative, base[0] == '-' && e % 2 == 1);
            if (e == 1) continue;  // the base comes back as typed
            // Both sides in one normal form: compare the values.
            std::string diff;
            nb::bigSubtract(got, magnitude(expected, negative), diff);
            EXPECT_TRUE(diff == "0" || diff == " 0") << got << " vs " << expected;
        }
    }
}

TEST(BigPages, CombinationIdentitiesOnLargeSets) {
    const std::string n = "123456789012";
    for (const char* m : {"3", "40"}) {
        SCOPED_TRACE(m);
        // C(n, m) * m! = P(n, m).
        bool negative = false;
        std::string product;
        ASSERT_TRUE(nb::bigMultiply(*comb(m, n).result, magnitude(*factorial(m, "").result, negative), product,
                                    control));
        EXPECT_EQ(product, *perm(m, n).result);
    }
    // C(n, m) = C(n, n - m) on a short set size, across the symmetry step.
    EXPECT_EQ(*comb("9997", "10000").result, *comb("3", "10000").result);
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
