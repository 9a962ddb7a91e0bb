#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "expr/jxjs.h"

namespace {

using namespace numerelle::expr;

TEST(FormulaText, RemoveSpacesAndNormalise) {
    struct Row {
        const char* name;
        const char* input;
        const char* spacesRemoved;
        const char* normalised;
    };
    const Row rows[] = {
        {"blanks everywhere", "  1 +  2 ", "1+2", "1+2"},
        {"only blanks", "   ", "", ""},
        {"leading minus gets a zero", " - 3", "-3", "0-3"},
        {"leading plus gets a zero", "+x", "+x", "0+x"},
        {"PI in any case", "pi*2+Pi", "pi*2+Pi", "3.14159265358979*2+3.14159265358979"},
        {"P I split by a blank is not PI", "P I", "PI", "PI"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(removeSpaces(row.input), row.spacesRemoved);
        EXPECT_EQ(normaliseFormula(row.input), row.normalised);
    }
}

TEST(FormulaText, ReplaceTextIsCaseBlindAndRescansFromTheSecondCharacter) {
    struct Row {
        const char* name;
        const char* text;
        const char* find;
        const char* replacement;
        const char* expected;
    };
    const Row rows[] = {
        {"every occurrence, any case", "xaXbx", "x", "x0", "x0ax0bx0"},
        {"no occurrence", "abc", "z", "q", "abc"},
        {"empty find leaves the text", "abc", "", "q", "abc"},
        {"empty replacement deletes", "abab", "ab", "", ""},
        {"a match joining a replacement's end to the text", "aaa", "aa", "ba", "bba"},
        {"replacement containing the searched text ends", "aa", "a", "aa", "aaaa"},
        {"growing replacement at the end", "ab", "ab", "xab", "xab"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(replaceText(row.text, row.find, row.replacement), row.expected);
    }
    // Long inputs stay linear.
    const std::string longText(200000, 'x');
    EXPECT_EQ(replaceText(longText, "x", "x0").size(), 400000u);
}

TEST(FormulaText, LeadingNumber) {
    struct Row {
        const char* input;
        double expected;
    };
    const double inf = std::numeric_limits<double>::infinity();
    // Number forms a formula can hold are golden rows of tests/cases/expr.cases
    // (eval &HFF, eval 1.2.3, ...); here the signs of program operands, the
    // stop at an operator and what overflows.
    const Row rows[] = {
        {"3+4", 3}, {"", 0},    {"-2.5", -2.5}, {"+7", 7},        {"-", 0},
        {"--3", 0}, {"1E+", 1}, {"1E999", inf}, {"-1E999", -inf},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        EXPECT_EQ(leadingNumber(row.input), row.expected);
    }
    // Hundreds of digits still read as one number.
    EXPECT_EQ(leadingNumber("1" + std::string(400, '0')), inf);
    EXPECT_EQ(leadingNumber("0." + std::string(400, '0') + "1"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber("0." + std::string(300, '0') + "1E+301"), 1.0);
}

TEST(FormulaText, NumberToProgramText) {
    struct Row {
        double value;
        const char* expected;
    };
    const Row rows[] = {
        {0.5, ".5"},
        {-0.5, "-.5"},
        {10.5, "10.5"},  // a zero inside stays
        {1e20, "1E+20"},
        {1e-20, "1E-20"},
        {3.14159265358979, "3.14159265358979"},
        {1.234567890123456789, "1.23456789012346"},
        {std::numeric_limits<double>::infinity(), "1E+999"},
        {-std::numeric_limits<double>::infinity(), "-1E+999"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(numberToProgramText(row.value), row.expected);
    }
}

TEST(FormulaText, SubstituteVariableOnlyForALoneX) {
    struct Row {
        const char* input;
        const char* expected;
    };
    const Row rows[] = {
        {"x", "x0"},         {"X^2+x", "x0^2+x0"}, {"EXP(x)", "EXP(x0)"}, {"FIX(X)+FIX0(x)", "FIX(x0)+FIX0(x0)"},
        {"2*x+1", "2*x0+1"}, {"x12+X3", "x12+x3"}, {"xx", "xx"},          {"(x)", "(x0)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        EXPECT_EQ(substituteVariable(row.input), row.expected);
    }
}

}  // namespace
