#include <gtest/gtest.h>

#include <string>

#include "bignum/natural.h"

namespace numerelle::bignum {
namespace {

struct BinaryCase {
    const char* name;
    const char* a;
    const char* b;
    const char* expected;
};

TEST(NaturalBasic, Add) {
    const BinaryCase cases[] = {
        {"zeros", "0", "0", "0"},
        {"zero left", "0", "123", "123"},
        {"carry out of a limb", "999999999", "1", "1000000000"},
        {"carry through many limbs", "99999999999999999999999999999", "1", "100000000000000000000000000000"},
        {"different lengths", "123456789012345678901234567890", "1", "123456789012345678901234567891"},
        {"carry into new digit", "5", "5", "10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(naturalAdd(c.a, c.b), c.expected);
        EXPECT_EQ(naturalAdd(c.b, c.a), c.expected);
    }
}

TEST(NaturalBasic, Subtract) {
    const BinaryCase cases[] = {
        {"equal", "12345678901234567890", "12345678901234567890", "0"},
        {"borrow across limbs", "100000000000000000000", "1", "99999999999999999999"},
        {"minus zero", "42", "0", "42"},
        {"leading zeros removed", "1000000000", "999999999", "1"},
        {"short", "7", "5", "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(naturalSubtract(c.a, c.b), c.expected);
    }
}

TEST(NaturalBasic, Compare) {
    EXPECT_EQ(naturalCompare("0", "0"), 0);
    EXPECT_EQ(naturalCompare("9", "10"), -1);
    EXPECT_EQ(naturalCompare("10", "9"), 1);
    EXPECT_EQ(naturalCompare("123", "124"), -1);
    EXPECT_EQ(naturalCompare("124", "123"), 1);
}

TEST(NaturalBasic, KnownValues) {
    WorkControl control;
    EXPECT_EQ(naturalFactorial(0, control).value(), "1");
    EXPECT_EQ(naturalFactorial(1, control).value(), "1");
    EXPECT_EQ(naturalFactorial(25, control).value(), "15511210043330985984000000");
    EXPECT_EQ(naturalPower("2", 64, control).value(), "18446744073709551616");
    EXPECT_EQ(naturalPower("12345678", 3, control).value(), "1881675960266558605752");
    EXPECT_EQ(naturalPower("0", 5, control).value(), "0");
    EXPECT_EQ(naturalPower("7", 0, control).value(), "1");
    EXPECT_EQ(naturalBinomial("100", 50, control).value(), "100891344545564193334812497256");
    EXPECT_EQ(naturalBinomial("5", 7, control).value(), "0");
    EXPECT_EQ(naturalFallingFactorial("1000000", 2, control).value(), "999999000000");
    EXPECT_EQ(naturalFallingFactorial("5", 0, control).value(), "1");
    EXPECT_EQ(naturalFallingFactorial("3", 5, control).value(), "0");
    EXPECT_EQ(naturalMultiply("12345678", "12345678", control).value(), "152415765279684");
    std::uint64_t r = 99;
    EXPECT_EQ(naturalDivideSmall("1000000000000000000001", 7, &r), "142857142857142857143");
    EXPECT_EQ(r, 0u);
    EXPECT_EQ(naturalModSmall("1000000000000000000000", 7), 6u);
    EXPECT_EQ(naturalMultiplySmall("18446744073709551615", 18446744073709551615ull),
              "340282366920938463426481119284349108225");
}

}  // namespace
}  // namespace numerelle::bignum
