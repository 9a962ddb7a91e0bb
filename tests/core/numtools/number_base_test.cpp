#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "numtools/number_base.h"

namespace numerelle::numtools {
namespace {

using Failure = FailureKind;

// The conversions row by row are in tests/cases/conversion.cases; here the
// round trips, the overlong inputs, the custom base and the key filter.
TEST(ParseInBase, OverlongInputFails) {
    // 300 hex digits exceed a double; 300 zeros would even give 0 times infinity.
    EXPECT_EQ(parseInBase(std::string(300, 'F'), 16).failure, Failure::Overflow);
    EXPECT_EQ(parseInBase(std::string(300, '0'), 16).failure, Failure::Overflow);
    EXPECT_TRUE(parseInBase(std::string(200, '1'), 2).ok());
}

TEST(BaseRoundTrip, WholeNumbersInEveryBase) {
    const double values[] = {0, 1, 7, 35, 36, 1295, 65535, 99999999, 2147483647, -1, -123456789, -2147483647};
    for (int base = kSmallestBase; base <= kLargestBase; ++base) {
        for (double value : values) {
            SCOPED_TRACE("base " + std::to_string(base) + " value " + std::to_string(value));
            const BaseText text = formatInBase(value, base);
            ASSERT_TRUE(text.ok());
            const expr::Evaluation back = parseInBase(text.text, base);
            ASSERT_TRUE(back.ok());
            EXPECT_EQ(back.value, value);
        }
    }
}

TEST(BaseRoundTrip, BinaryFractionsInPowerOfTwoBases) {
    // Fractions with few binary digits are exact in bases 2, 4, 8, 16 and 32
    // as long as the digit limit (160 / base) holds them.
    const double values[] = {0.5, 0.75, 10.5, -2.5, 0.1, 1234.0625, -0.001953125, 1.0 / 1024};
    for (int base : {2, 4, 8, 16}) {
        for (double value : values) {
            SCOPED_TRACE("base " + std::to_string(base) + " value " + std::to_string(value));
            const BaseText text = formatInBase(value, base);
            ASSERT_TRUE(text.ok());
            if (base == 16 && value == 0.1) continue;  // 55 bits do not fit 10 hex digits
            EXPECT_EQ(parseInBase(text.text, base).value, value);
        }
    }
    EXPECT_EQ(parseInBase(formatInBase(0.40625, 32).text, 32).value, 0.40625);
}

TEST(CustomBase, TakesWholePartOfMagnitudeWithinTwoToThirtySix) {
    const struct {
        double answer;
        int expected;
    } rows[] = {{40, 36}, {36, 36}, {35.9, 35}, {1, 2}, {0, 2}, {2, 2}, {-5, 5}, {12.7, 12}, {-1e300, 36}, {NAN, 2}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.answer);
        EXPECT_EQ(customBase(row.answer), row.expected);
    }
}

TEST(BaseKeyFilter, LettersOnlyUpToTheBase) {
    const struct {
        const char* name;
        char32_t key;
        int base;
        bool accepted;
    } rows[] = {
        {"minus in base 10", U'-', 10, true},    {"nine passes even in base 2", U'9', 2, true},
        {"slash never", U'/', 16, false},        {"A in base 11", U'A', 11, true},
        {"B in base 11", U'B', 11, false},       {"F in base 16", U'F', 16, true},
        {"G in base 16", U'G', 16, false},       {"g in base 16", U'g', 16, false},
        {"z in base 36", U'z', 36, true},        {"colon just past the digits", U':', 10, false},
        {"Chinese character", U'进', 36, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(baseKeyAccepted(row.key, row.base), row.accepted);
    }
}

}  // namespace
}  // namespace numerelle::numtools
