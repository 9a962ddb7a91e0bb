// The decimal-string routines: normal form, splitting, sign and exponent,
// sum, difference and product of unsigned decimals.
#include <gtest/gtest.h>

#include "bignum/longjs.h"

namespace nb = numerelle::bignum;

namespace {

struct TextRow {
    const char* name;
    const char* input;
    const char* expected;
};

TEST(NormaliseDecimal, GivesTheNormalForm) {
    const TextRow rows[] = {
        {"leading zeros go", "000123", "123"},
        {"zero alone stays", "0", "0"},
        {"zero with a point becomes signed text", "0.0", " 0"},
        {"a whole value with a point becomes signed text", "3.0", " 3"},
        {"three characters keep their point", "21.0", "21."},
        {"a half", "0.50", " .5"},
        {"a lone point", ".", " 0"},
        {"trailing fraction zeros go", "12.340", "12.34"},
        {"a negative keeps its zero-free form", "-3.0", "-3."},
        {"a negative fraction", "-.20", "-.2"},
        {"the blank of a signed text is not a zero", " 2500", " 2500"},
        {"leading zeros before a fraction", "007.5", "7.5"},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        std::string s = row.input;
        nb::normaliseDecimal(s);
        EXPECT_EQ(s, row.expected);
    }
}

TEST(SplitDecimal, SeparatesDigitsSignAndPowerOfTen) {
    struct Row {
        const char* name;
        const char* input;
        const char* digits;
        std::int64_t x10;
        int negative;
    };
    const Row rows[] = {
        {"trailing zeros of a whole number", "1200", "12", 2, 0},
        {"negative fraction", "-0.5", "05", -1, -1},
        {"fraction keeps its trailing zeros", "123.40", "12340", -2, 0},
        {"long negative whole", "-12345678", "12345678", 0, -1},
        {"zero", "0", "", 1, 0},
        {"point at the end", "25.", "25", 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string s = row.input;
        std::int64_t x10 = 99;
        int negative = 99;
        nb::splitDecimal(s, x10, negative);
        EXPECT_EQ(s, row.digits);
        EXPECT_EQ(x10, row.x10);
        EXPECT_EQ(negative, row.negative);
    }
}

TEST(ApplySignAndExponent, PlacesSignZerosAndPoint) {
    struct Row {
        const char* name;
        const char* input;
        std::int64_t x;
        int g;
        const char* expected;
    };
    const Row rows[] = {
        {"point inside a signed text", " 25", -2, 0, " .25"},
        {"digits fewer than places get zeros after the blank", " 4", -2, 0, " .04"},
        {"one digit, three places", "1", -3, 0, ".001"},
        {"sign before a signed text", " 8", 0, -1, "- 8"},
        {"no second sign", "-5", 0, -1, "-5"},
        {"even power of a negative stays positive", "16", 0, 1, "16"},
        {"zeros appended", "1", 3, 0, "1000"},
        {"point between digits", "15625", -2, 0, "156.25"},
        {"sign, blank, point", " 125", -3, -1, "- .125"},
        {"zeros after the sign of a plain text", "-7", -3, 0, "-.007"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string r = row.input;
        nb::applySignAndExponent(r, row.x, row.g);
        EXPECT_EQ(r, row.expected);
    }
}

// The sums, differences, products and each refusal by its message are
// golden cases (add, sub, mul); no command line types an empty box or a
// stray high byte.
TEST(BigArithmetic, EmptyBoxAndHighBytes) {
    std::string out;
    nb::bigAdd("", "5", out);
    EXPECT_EQ(out, "5");
    EXPECT_EQ(nb::checkDecimalText(""), nb::DecimalTextProblem::None);
    // A high byte whose low nibble is a digit's.
    EXPECT_EQ(nb::checkDecimalText("1234567\xB5"
                                   "12345678"),
              nb::DecimalTextProblem::OtherCharacter);
}

TEST(DecimalText, FocusLossShowsMinusThenPointMessages) {
    EXPECT_EQ(nb::decimalBoxFocusMessages("1-2"), std::vector<std::string>{"不能把负号放在这里"});
    EXPECT_EQ(nb::decimalBoxFocusMessages("1.2.3"), std::vector<std::string>{"不能有两个小数点"});
    EXPECT_EQ(nb::decimalBoxFocusMessages("1.2-.3"),
              (std::vector<std::string>{"不能把负号放在这里", "不能有两个小数点"}));
    EXPECT_TRUE(nb::decimalBoxFocusMessages("-1.5").empty());
    EXPECT_TRUE(nb::decimalBoxFocusMessages(" -1.5").empty());
}

TEST(LeadingWholeNumber, ReadsLeadingDigitsAndSaturates) {
    EXPECT_EQ(nb::leadingWholeNumber("12abc"), 12u);
    EXPECT_EQ(nb::leadingWholeNumber("  007"), 7u);
    EXPECT_EQ(nb::leadingWholeNumber(""), 0u);
    EXPECT_EQ(nb::leadingWholeNumber("x5"), 0u);
    EXPECT_EQ(nb::leadingWholeNumber("99999999999999999999999"), UINT64_MAX);
}

}  // namespace
