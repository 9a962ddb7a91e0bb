#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expr/jxjs.h"

namespace {

using namespace numerelle::expr;

TEST(Compiler, ProgramTexts) {
    struct Row {
        const char* formula;
        FormulaProgram expected;
    };
    const Row rows[] = {
        {"1+2*3+4", {"1+2*3+4", "2", "f2", "x1", "2", "s3", "f1", "x2", "1", "sx1", "s4"}},
        {"2*3^2*4", {"2*3^2*4", "2", "f3", "x1", "3", "s2", "f2", "x2", "2", "sx1", "s4"}},
        {"SIN(PI/2)+1",
         {"SIN(3.14159265358979/2)+1", "2", "f2", "x1", "3.14159265358979", "S2", "h1", "f1", "x2", "x1", "s1"}},
        {"((2))", {"((2))", "3", "x1", "2", "x2", "x1", "x3", "x2"}},
        {"", {"", "0"}},
        {"7", {"7", "1", "x1", "7"}},
        {"0.5*2", {"0.5*2", "1", "f2", "x1", ".5", "s2"}},
        {"1.234567890123456789", {"1.234567890123456789", "1", "x1", "1.23456789012346"}},
        {" - 3 ^ 2", {"0-3^2", "2", "f3", "x1", "3", "s2", "f1", "x2", "0", "Sx1"}},
        {"2*-3", {"2*-3", "1", "f2", "x1", "2", "s-3"}},
        {"1E-5+1", {"1E-5+1", "1", "f1", "x1", "1E-05", "s1"}},
        // A negated bracket gets its own slot: 0 - slot.
        {"2*-(1+2)", {"2*-(1+2)", "3", "f1", "x1", "1", "s2", "f1", "x2", "0", "Sx1", "f2", "x3", "2", "sx2"}},
        {"8/4/2", {"8/4/2", "1", "f2", "x1", "8", "S4", "S2"}},
        {"()", {"()", "1", "x1", "0"}},
        {"ARCSINH(1)", {"ARCSINH(1)", "2", "x1", "1", "h23", "x2", "x1"}},
        {"sqrt(4)", {"sqrt(4)", "2", "x1", "4", "h33", "x2", "x1"}},
        {"ASIN(1)", {"ASIN(1)", "2", "x1", "1", "h1", "x2", "0"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.formula);
        const CompiledFormula compiled = compileFormula(row.formula);
        EXPECT_FALSE(compiled.bracketsMismatched);
        EXPECT_EQ(compiled.program, row.expected);
    }
}

TEST(Compiler, BracketMismatchLeavesTheProgramEmpty) {
    for (const char* formula : {"(1+2", "1+2)", "((1)"}) {
        SCOPED_TRACE(formula);
        const CompiledFormula compiled = compileFormula(formula);
        EXPECT_TRUE(compiled.bracketsMismatched);
        EXPECT_TRUE(compiled.program.empty());
    }
}

TEST(Compiler, FirstSlotAndFlatCompilationContinueTheCounters) {
    const CompiledFormula compiled = compileFormula("1+2", 5);
    EXPECT_EQ(compiled.program, (FormulaProgram{"1+2", "5", "f1", "x5", "1", "s2"}));

    FormulaProgram program{"", ""};
    int nextSlot = 3, nextInstruction = 2;
    compileFlat("2^3", program, nextSlot, nextInstruction);
    EXPECT_EQ(nextSlot, 4);
    EXPECT_EQ(nextInstruction, 6);
    EXPECT_EQ(program, (FormulaProgram{"", "", "f3", "x3", "2", "s3"}));
    compileFlat("", program, nextSlot, nextInstruction);
    EXPECT_EQ(nextSlot, 4);
}

TEST(Compiler, DeepAndLongInputCompilesWithoutRecursion) {
    const int depth = 10000;
    const std::string nested = std::string(depth, '(') + "1+1" + std::string(depth, ')');
    const CompiledFormula compiled = compileFormula(nested);
    ASSERT_FALSE(compiled.bracketsMismatched);
    EXPECT_EQ(compiled.program[1], std::to_string(depth + 1));
    EXPECT_EQ(runProgram(compiled.program, 0).value, 2);

    std::string sum = "0";
    for (int i = 0; i < 30000; ++i) sum += "+1";
    EXPECT_EQ(evaluateFormula(sum).value, 30000);

    // ")))...(((": no "(" has a ")" after it; all stay as text.
    const std::string inverted = std::string(50000, ')') + std::string(50000, '(');
    const Evaluation value = evaluateFormula(inverted);
    EXPECT_TRUE(value.ok());
    EXPECT_EQ(value.value, 0);
}

}  // namespace
