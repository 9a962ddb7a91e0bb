// The button actions of the big-number pages: what each result box shows,
// the messages, the beep and the elapsed time.
#include <gtest/gtest.h>

#include "bignum/longjs.h"

namespace nb = numerelle::bignum;

namespace {

// Expected outcome: a result text (nullptr: box unchanged) and the messages.
struct Row {
    const char* name;
    const char* a;
    const char* b;
    const char* result;
    std::vector<std::string> messages = {};
};

void expectOutcome(const nb::PageOutcome& outcome, const Row& row) {
    if (row.result) {
        ASSERT_TRUE(outcome.result.has_value());
        EXPECT_EQ(*outcome.result, row.result);
    } else {
        EXPECT_FALSE(outcome.result.has_value());
    }
    EXPECT_EQ(outcome.messages, row.messages);
    EXPECT_FALSE(outcome.cancelled);
}

const std::vector<std::string> kMinusMessage{"不能把负号放在这里"};
const std::vector<std::string> kPointsMessage{"不能有两个小数点"};
const std::vector<std::string> kCharacterMessage{"只能输入数字、小数点和负号"};

TEST(SumPage, HandlesTheFourSignCases) {
    const Row rows[] = {
        {"both positive", "5", "3", "8"},
        {"negative first", "-5", "3", "-2"},
        {"negative second", "5", "-7", "-2"},
        {"both negative", "-5", "-3", "-8"},
        {"both negative halves: sign before the signed text", "-1.5", "-1.5", "- 3"},
        {"blanks of a pasted number are dropped", "1 000", "1", "1001"},
        {"two negative zeros sum to an unsigned zero", "-0", "-0", "0"},
        {"negative halves that cancel", "-0.5", "0.5", " 0"},
        {"minus inside is refused", "1-2", "3", nullptr, kMinusMessage},
        {"two points are refused", "1", "1.2.3", nullptr, kPointsMessage},
        {"letters are refused", "12abc", "1", nullptr, kCharacterMessage},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        expectOutcome(nb::computeSum(row.a, row.b), row);
    }
}

TEST(DifferencePage, HandlesTheFourSignCases) {
    const Row rows[] = {
        {"both positive", "5", "7", "-2"},
        {"minus a negative", "5", "-3", "8"},
        {"negative minus positive", "-5", "3", "-8"},
        {"negative minus negative", "-5", "-3", "-2"},
        {"negative minus smaller negative", "-3", "-5", "2"},
        {"negative zero minus zero has no sign", "-0", "0", "0"},
        {"fractions", "2.5", "3.5", "-1."},
        {"junk is refused", "5", "--3", nullptr, kMinusMessage},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        expectOutcome(nb::computeDifference(row.a, row.b), row);
    }
}

TEST(ProductPage, MultipliesSignedDecimals) {
    const Row rows[] = {
        {"halves", "0.5", "0.5", ".25"},
        {"negative times positive", "-1.5", "2", "- 3"},
        {"positive times negative", "2", "-3", "-6"},
        {"two negatives", "-2", "-3", "6"},
        {"negative fraction", "-0.1", "0.1", "-.01"},
        {"a zero product has no sign", "-5", "0", "0"},
        {"tiny factors", ".000001", ".000001", ".000000000001"},
        {"two points are refused", "1.2.3", "1", nullptr, kPointsMessage},
        {"letters are refused", "2", "x", nullptr, kCharacterMessage},
    };
    numerelle::WorkControl control;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const nb::PageOutcome outcome = nb::computeProduct(row.a, row.b, control);
        expectOutcome(outcome, row);
        EXPECT_EQ(outcome.elapsedSeconds.has_value(), row.result != nullptr);
    }
}

TEST(FactorialPage, WritesFactorialsAndRefusals) {
    const Row rows[] = {
        {"zero", "0", "", "1"},
        {"empty box reads as zero", "", "", "1"},
        {"one has the leading blank", "1", "", " 1"},
        {"five", "5", "", " 120"},
        {"largest double result", "17", "", " 355687428096000"},
        {"first exact path", "18", "", "6402373705728000"},
        {"twenty", "20", "", "2432902008176640000"},
        {"leading number of pasted text", "12abc", "", " 479001600"},
        {"above the limit", "100000", "", "太大了！"},
        {"far above the limit", "99999999999999999999999", "", "太大了！"},
    };
    numerelle::WorkControl control;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        expectOutcome(nb::computeFactorial(row.a, control), row);
    }
}

TEST(FactorialPage, LongResultsHaveTheirLengthAndTime) {
    numerelle::WorkControl control;
    const struct {
        const char* n;
        std::size_t digits;
    } rows[] = {{"50", 65}, {"100", 158}, {"1000", 2568}, {"4000", 12674}, {"4001", 12677}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.n);
        const nb::PageOutcome outcome = nb::computeFactorial(row.n, control);
        ASSERT_TRUE(outcome.result.has_value());
        EXPECT_EQ(outcome.result->size(), row.digits);
        EXPECT_TRUE(outcome.elapsedSeconds.has_value());
    }
    // A result and its neighbour: n! / (n - 1)! = n.
    std::string smaller = *nb::computeFactorial("751", control).result;
    std::string larger = *nb::computeFactorial("752", control).result;
    std::string product;
    ASSERT_TRUE(nb::bigMultiply(smaller, "752", product, control));
    EXPECT_EQ(product, larger);
    EXPECT_FALSE(nb::computeFactorial("17", control).elapsedSeconds.has_value());
}

TEST(PowerPage, RaisesSignedDecimals) {
    const Row rows[] = {
        {"zero to the zero", "0", "0", "无意义！"},
        {"zero with a point to the zero", "0.0", "0", "无意义！"},
        {"power zero", "5", "0", "1"},
        {"zero base", "0", "5", "0"},
        {"power one keeps the text", "123.40", "1", "123.40"},
        {"two to the 64", "2", "64", "18446744073709551616"},
        {"short result as signed text", "5", "2", " 25"},
        {"trailing zeros come back", "50", "2", " 2500"},
        {"power of ten", "1000", "3", "1000000000"},
        {"fraction", "12.5", "2", "156.25"},
        {"half squared", "0.5", "2", " .25"},
        {"negative odd", "-2", "3", "- 8"},
        {"negative even", "-2", "64", "18446744073709551616"},
        {"long negative base", "-12345678", "3", "-1881675960266558605752"},
        {"long base once multiplied", "12345678", "2", "152415765279684"},
        {"negative fraction cubed", "-0.5", "3", "- .125"},
        {"fewer digits than places: 0.2 squared", "0.2", "2", " .04"},
        {"fewer digits than places: 0.1 cubed", "0.1", "3", ".001"},
        {"six-digit base stays exact", "999999", "3", "999997000002999999"},
        {"six-digit base, many factors", "999999", "4", "999996000005999996000001"},
        {"zeros only is zero", "00", "2", "0"},
        {"negative zero to an odd power has no sign", "-0", "3", "0"},
        {"negative zeros to an odd power", "-000", "5", "0"},
        {"zero with a point", "0.0", "5", " 0"},
        {"base with junk is refused", "2x", "2", nullptr, kCharacterMessage},
        {"minus inside is refused", "2-", "2", nullptr, kMinusMessage},
    };
    numerelle::WorkControl control;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        expectOutcome(nb::computePower(row.a, row.b, control), row);
    }
}

TEST(PowerPage, RefusesResultsBeyondMemory) {
    numerelle::WorkControl control;
    const nb::PageOutcome outcome = nb::computePower("7", "100000000000", control);
    ASSERT_TRUE(outcome.result.has_value());
    EXPECT_EQ(*outcome.result, nb::outOfMemoryDescription());
    EXPECT_TRUE(outcome.beep);
    EXPECT_TRUE(outcome.resultIsFailure);
    // One to any power is cheap however large the exponent.
    EXPECT_EQ(*nb::computePower("1", "99999999999999999999", control).result, "1");
    // Minus one keeps the parity of an exponent too long for any integer type.
    const struct {
        const char* exponent;
        const char* result;
    } signs[] = {{"100000000000000000000000", "1"}, {"100000000000000000000001", "-1"}, {"18446744073709551616", "1"}};
    for (const auto& row : signs) {
        SCOPED_TRACE(row.exponent);
        EXPECT_EQ(*nb::computePower("-1", row.exponent, control).result, row.result);
    }
}

TEST(PowerPage, AgreesWithRepeatedMultiplication) {
    numerelle::WorkControl control;
    for (const char* base : {"-3.7", "123456.789", "0.0625", "98765", "7"}) {
        std::string expected = "1";
        for (int e = 1; e <= 12; ++e) {
            SCOPED_TRACE(std::string(base) + "^" + std::to_string(e));
            std::string next;
            ASSERT_TRUE(nb::bigMultiply(expected, base[0] == '-' ? base + 1 : base, next, control));
            expected = next;
            const nb::PageOutcome outcome = nb::computePower(base, std::to_string(e), control);
            ASSERT_TRUE(outcome.result.has_value());
            std::string got = *outcome.result;
            const bool negative = !got.empty() && got[0] == '-';
            EXPECT_EQ(negative, base[0] == '-' && e % 2 == 1);
            if (negative) got.erase(0, 1);
            if (e == 1) continue;  // the base comes back as typed
            // Both sides in one normal form: compare the values.
            std::string difference;
            nb::bigSubtract(got.substr(got.find_first_not_of(' ')), expected.substr(expected.find_first_not_of(' ')),
                            difference);
            EXPECT_TRUE(difference == "0" || difference == " 0") << got << " vs " << expected;
        }
    }
}

TEST(PermutationPage, CountsArrangementsAndSelections) {
    // a = upper box (selection m), b = lower box (set size n).
    const std::vector<std::string> warning{"数据要上小，下大？"};
    const std::vector<std::string> tooLarge{"数据太大？需要很长时间，所以不能计算！"};
    const Row permutations[] = {
        {"P(5, 2)", "2", "5", "20"},
        {"P(5, 0)", "0", "5", "1"},
        {"long set size", "2", "1000000", "999999000000"},
        {"six characters take the long path", "3", "100000", "999970000200000"},
        {"selection above the set warns and gives 0", "5", "3", "0", warning},
        {"selection too large", "100000", "5", nullptr, tooLarge},
        {"set size with letters is refused", "2", "5a", nullptr, {"只能输入数字"}},
    };
    numerelle::WorkControl control;
    for (const Row& row : permutations) {
        SCOPED_TRACE(row.name);
        expectOutcome(nb::computePermutation(row.a, row.b, control), row);
    }
    const Row combinations[] = {
        {"C(5, 2)", "2", "5", "10"},
        {"C(5, 3) by symmetry", "3", "5", "10"},
        {"C(5, 5)", "5", "5", "1"},
        {"C(5, 0)", "0", "5", "1"},
        {"C(100, 50)", "50", "100", "100891344545564193334812497256"},
        {"long set size", "2", "1000000", "499999500000"},
        {"twelve-digit set size", "3", "123456789012", "313612728715354493283007925103220"},
        {"selection above the set warns and gives 0", "5", "3", "0", warning},
        {"padded set size below the selection takes the long path", "5", "000003", "0"},
        {"selection too large", "100000", "5", nullptr, tooLarge},
    };
    for (const Row& row : combinations) {
        SCOPED_TRACE(row.name);
        expectOutcome(nb::computeCombination(row.a, row.b, control), row);
    }
}

TEST(PermutationPage, SymmetryAndPascalHoldOnLargeSets) {
    numerelle::WorkControl control;
    const std::string n = "123456789012";
    for (const char* m : {"3", "17", "40"}) {
        SCOPED_TRACE(m);
        const std::string c = *nb::computeCombination(m, n, control).result;
        // C(n, m) * m! = P(n, m).
        const std::string p = *nb::computePermutation(m, n, control).result;
        std::string factorial = *nb::computeFactorial(m, control).result;
        factorial.erase(0, factorial.find_first_not_of(' '));
        std::string product;
        ASSERT_TRUE(nb::bigMultiply(c, factorial, product, control));
        EXPECT_EQ(product, p);
    }
    // C(n, m) = C(n, n - m) on a short set size, across the symmetry step.
    EXPECT_EQ(*nb::computeCombination("9997", "10000", control).result,
              *nb::computeCombination("3", "10000", control).result);
}

TEST(ElapsedText, ShowsSignedSecondsWithSevenDigits) {
    EXPECT_EQ(nb::elapsedSecondsText(0.25), " .25秒");
    EXPECT_EQ(nb::elapsedSecondsText(1.0 / 3.0), " .3333333秒");
    EXPECT_EQ(nb::elapsedSecondsText(12), " 12秒");
}

TEST(Cancellation, StopsLongWorkWithoutAResult) {
    numerelle::WorkControl control;
    control.cancel();
    EXPECT_TRUE(nb::computeFactorial("99999", control).cancelled);
    EXPECT_FALSE(nb::computeFactorial("99999", control).result.has_value());
}

}  // namespace
