// The greatest-common-divisor page: its boxes and both results.
#include <gtest/gtest.h>

#include "bignum/longjs.h"

namespace nb = numerelle::bignum;

namespace {

struct Row {
    const char* name;
    std::vector<std::string> numbers;
    const char* divisor;   // Text46 after the divisor button
    const char* multiple;  // Text45 after the multiple button
};

TEST(GcdPage, FindsDivisorAndMultiple) {
    const Row rows[] = {
        {"12 and 18", {"12", "18"}, "6", "36"},
        {"coprime", {"7", "13"}, "1", "91"},
        {"three numbers", {"4", "6", "10"}, "2", "60"},
        {"equal numbers", {"15", "15"}, "15", "15"},
        {"one divides the other", {"1000000007", "3000000021"}, "1000000007", "3000000021"},
        {"largest accepted numbers, exact multiple", {"10000000000000000", "9999999999999999"}, "1",
         "99999999999999990000000000000000"},
        {"every digit of a 16-digit number counts", {"1234567890123456", "1234567890123457"}, "1",
         "1524157875323882961438811507392"},
        {"many primes make a long multiple",
         {"9999999967", "9999999943", "9999999929", "9999999881", "9999999851"},
         "1",
         "99999995710000069149999479513001824447687632007219"},
    };
    numerelle::WorkControl control;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const nb::GcdOutcome divisor = nb::computeGcd(row.numbers, control);
        ASSERT_TRUE(divisor.divisorBox.has_value());
        EXPECT_EQ(*divisor.divisorBox, row.divisor);
        EXPECT_FALSE(divisor.failed);
        const nb::GcdOutcome multiple = nb::computeLcm(row.numbers, control);
        ASSERT_TRUE(multiple.multipleBox.has_value());
        EXPECT_EQ(*multiple.multipleBox, row.multiple);
        EXPECT_FALSE(multiple.divisorBox.has_value());
        EXPECT_FALSE(multiple.failed);
    }
}

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

    const nb::GcdOutcome tooLargeDivisor = nb::computeGcd({"10000000000000001", "20000000000000002"}, control);
    EXPECT_EQ(tooLargeDivisor.divisorBox, "数太大了！");
    EXPECT_TRUE(tooLargeDivisor.failed);

    // The multiple's refusal replaces the largest number in its own box and
    // leaves the divisor box alone.
    for (const std::vector<std::string>& numbers :
         {std::vector<std::string>{"6", "10000000000000001"}, {"10000000000000001", "3"}, {"3", "5", "99999999999999999"}}) {
        SCOPED_TRACE(numbers.back());
        const nb::GcdOutcome tooLargeMultiple = nb::computeLcm(numbers, control);
        EXPECT_EQ(tooLargeMultiple.multipleBox, "数太大了！");
        EXPECT_FALSE(tooLargeMultiple.divisorBox.has_value());
        EXPECT_TRUE(tooLargeMultiple.failed);
    }
}

TEST(GcdPage, DivisorOfHugeNumbersWhenTheSmallestFits) {
    numerelle::WorkControl control;
    // 10^20 + 2 is divisible by 6.
    EXPECT_EQ(nb::computeGcd({"100000000000000000002", "6"}, control).divisorBox, "6");
    EXPECT_EQ(nb::computeGcd({"100000000000000000005", "10"}, control).divisorBox, "5");
    EXPECT_EQ(nb::computeGcd({"100000000000000000003", "6"}, control).divisorBox, "1");
}

TEST(GcdPage, NumberBoxesKeepWholeDigits) {
    const struct {
        const char* input;
        const char* expected;
    } rows[] = {
        {"1234567890123456", "1234567890123456"},
        {"0012", "12"},
        {"", "0"},
        {"12abc", "12"},
        {"-3.7", "4"},
        {"-3.0", "3"},
        {"3.9", "3"},
        {"123456789012345678901234567890", "123456789012345678901234567890"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.input);
        EXPECT_EQ(nb::gcdNumberText(row.input), row.expected);
    }
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
