#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "numtools/number_base.h"

namespace numerelle::numtools {
namespace {

using Failure = FailureKind;

TEST(FormatInBase, WritesWholeAndFractionalDigitsOrFailsWithEmptyText) {
    const struct {
        const char* name;
        double value;
        int base;
        const char* expected;
        Failure failure = Failure::None;
    } rows[] = {
        {"255 to hex", 255, 16, "FF"},
        {"negative zero is zero", -0.0, 2, "0"},
        {"binary fraction", 10.5, 2, "1010.1"},
        {"hex fraction below one", 0.5, 16, "0.8"},
        {"negative with fraction", -2.5, 2, "-10.1"},
        {"base 36 two digits", 36 * 35 + 10, 36, "ZA"},
        {"largest 32-bit whole", 2147483647, 16, "7FFFFFFF"},
        {"just below the limit keeps its fraction", 2147483647.5, 2, "1111111111111111111111111111111.1"},
        // The double 0.1 ends after 55 binary digits, before the limit of 80.
        {"0.1 to binary", 0.1, 2, "0.0001100110011001100110011001100110011001100110011001101"},
        // A third never ends: base 3 gives 1 exactly; others stop at their digit limit.
        {"third in base 3", 1.0 / 3, 3, "0.1"},
        {"base 36 stops after 4 digits", 0.1, 36, "0.3LLL"},
        {"base 16 stops after 10 digits", 0.1, 16, "0.1999999999"},
        {"three thousand million overflows 32 bits", 3000000000.0, 16, "", Failure::Overflow},
        {"exactly 2^31", 2147483648.0, 2, "", Failure::Overflow},
        {"infinity", INFINITY, 2, "", Failure::Overflow},
        {"unset output base", 5, 0, "", Failure::DivisionByZero},
        {"base one would never end", 5, 1, "", Failure::InvalidArgument},
        {"base beyond Z", 5, 37, "", Failure::InvalidArgument},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const BaseText result = formatInBase(row.value, row.base);
        EXPECT_EQ(result.failure, row.failure);
        EXPECT_EQ(result.text, row.expected);
    }
}

TEST(ParseInBase, ReadsSignWholeAndFraction) {
    const struct {
        const char* name;
        const char* text;
        int base;
        double expected;
    } rows[] = {
        {"hex upper", "FF", 16, 255},
        {"negative hex", "-FF", 16, -255},
        {"binary fraction", "1010.1", 2, 10.5},
        {"point without whole digits", ".8", 16, 0.5},
        {"point at the end", "12.", 8, 10},
        {"lone minus", "-", 2, 0},
        {"base 36", "ZZ", 36, 35 * 36 + 35},
        // Not checked against the base: "G" counts 16 in base 16.
        {"digit outside the base", "1G", 16, 32},
        {"second point counts as a digit", "1.1.", 2, 1.5 - 2.0 / 4},
        {"0.1 in binary", "0.0001100110011001100110011001100110011001100110011001101", 2, 0.1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const expr::Evaluation result = parseInBase(row.text, row.base);
        EXPECT_TRUE(result.ok());
        EXPECT_EQ(result.value, row.expected);
    }
}

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

TEST(ConvertNumberBase, WholeConversion) {
    const struct {
        const char* name;
        const char* input;
        int from;
        int to;
        const char* expected;
    } rows[] = {
        {"lower-case hex to decimal", "ff", 16, 10, " 255"},
        {"decimal fraction to decimal drops the zero", "0.5", 10, 10, " .5"},
        {"decimal text with trailing letters", "12abc", 10, 2, "1100"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const BaseText result = convertNumberBase(row.input, row.from, row.to);
        EXPECT_TRUE(result.ok());
        EXPECT_EQ(result.text, row.expected);
    }
    const BaseText tooBig = convertNumberBase("3000000000", 10, 16);
    EXPECT_EQ(tooBig.failure, Failure::Overflow);
    EXPECT_EQ(tooBig.text, "");
    EXPECT_EQ(convertNumberBase(std::string(300, 'Z'), 36, 10).failure, Failure::Overflow);
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
        {"minus in base 10", U'-', 10, true},
        {"nine passes even in base 2", U'9', 2, true},
        {"slash never", U'/', 16, false},
        {"A in base 11", U'A', 11, true},
        {"B in base 11", U'B', 11, false},
        {"F in base 16", U'F', 16, true},
        {"G in base 16", U'G', 16, false},
        {"g in base 16", U'g', 16, false},
        {"z in base 36", U'z', 36, true},
        {"colon just past the digits", U':', 10, false},
        {"Chinese character", U'进', 36, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(baseKeyAccepted(row.key, row.base), row.accepted);
    }
}

}  // namespace
}  // namespace numerelle::numtools
