// The greatest-common-divisor page: its boxes and both results.
#include <gtest/gtest.h>

#include "bignum/longjs.h"

namespace nb = numerelle::bignum;

namespace {

// Divisors and multiples row by row, the huge numbers whose smallest fits,
// a divisor too large and the whole digits kept from each box are in
// tests/cases/bignum.cases.
TEST(GcdPage, RefusesZeroAndTooLargeNumbers) {
    numerelle::WorkControl control;
    const nb::GcdOutcome zeroDivisor = nb::computeGcd({"12", "0", "5"}, control);
    EXPECT_EQ(zeroDivisor.messages, std::vector<std::string>{"数据不可以有0"});
    EXPECT_EQ(zeroDivisor.divisorBox, "1");
    EXPECT_TRUE(zeroDivisor.failed);

    // The multiple box keeps the largest number met before the zero.
    const nb::GcdOutcome zeroMultiple = nb::computeLcm({"12", "30", "0", "99"}, control);
    EXPECT_EQ(zeroMultiple.messages, std::vector<std::string>{"数据不可以有0"});
    EXPECT_EQ(zeroMultiple.multipleBox, "30");

    // An empty box counts as zero.
    EXPECT_EQ(nb::computeGcd({"", "5"}, control).messages, std::vector<std::string>{"数据不可以有0"});

    // The multiple's refusal replaces the largest number in its own box and
    // leaves the divisor box alone.
    for (const std::vector<std::string>& numbers : {std::vector<std::string>{"6", "10000000000000001"},
                                                    {"10000000000000001", "3"},
                                                    {"3", "5", "99999999999999999"}}) {
        SCOPED_TRACE(numbers.back());
        const nb::GcdOutcome tooLargeMultiple = nb::computeLcm(numbers, control);
        EXPECT_EQ(tooLargeMultiple.multipleBox, "数太大了！");
        EXPECT_FALSE(tooLargeMultiple.divisorBox.has_value());
        EXPECT_TRUE(tooLargeMultiple.failed);
    }
}

TEST(GcdPage, NumberBoxesKeepWholeDigits) {
    EXPECT_EQ(nb::gcdNumberText(""), "0");
    const std::string digits = "123456789012345678901234567890";
    EXPECT_EQ(nb::gcdNumberText(digits), digits);
}

TEST(GcdPage, CountBoxNeedsTwoAndStaysBounded) {
    const struct {
        const char* input;
        const char* text;
        bool beep;
        std::size_t count;
    } rows[] = {
        {"1", "2", true, 0},
        {"", "2", true, 0},
        {"5", "5", false, 5},
        {"0003", "3", false, 3},
        {"999999999999", "100000", true, 100000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.input);
        const nb::GcdCount count = nb::gcdCountFromText(row.input);
        EXPECT_EQ(count.text, row.text);
        EXPECT_EQ(count.beep, row.beep);
        EXPECT_EQ(count.count, row.count);
    }
}

}  // namespace
