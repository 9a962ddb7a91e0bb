#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "common/number_text.h"
#include "expr/jxjs.h"
#include "tests/core/expr/reference_rows.h"

namespace {

using namespace numerelle::expr;

using reference::runRows;

// The same rows without their compact form, as a hand-made program has them.
Evaluation runWithoutCompactForm(DecodedProgram decoded, double x) {
    decoded.fast = nullptr;
    return runDecodedProgram(decoded, x);
}

bool sameEvaluation(const Evaluation& a, const Evaluation& b) {
    if (a.failure != b.failure) return false;
    return !a.ok() || a.value == b.value;
}

TEST(DecodedProgram, RowsFollowTheInstructions) {
    const FormulaProgram program{"", "3", "x1", "x0", "h1", "f3", "x2", "2.5", "s2", "S4", "f2", "sx1", "junk"};
    const DecodedProgram decoded = decodeProgram(program);
    ASSERT_EQ(decoded.resultSlot, 3);
    const std::vector<std::vector<double>> expected{
        {3, 0, 0}, {1.5, 1, 0}, {5, 1, 0}, {2, 3, 0}, {1, 2, 2.5}, {3, 0, 2}, {4, 0, 4}, {2, 2, 0}, {3, 1, 1},
    };
    ASSERT_EQ(decoded.rows.size(), expected.size());
    for (std::size_t r = 0; r < expected.size(); ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(decoded.rows[r].kind, expected[r][0]);
        EXPECT_EQ(decoded.rows[r].a, expected[r][1]);
        EXPECT_EQ(decoded.rows[r].b, expected[r][2]);
    }
}

// Values and failures of formulas in x are one-point sums in
// tests/cases/expr.cases; here the inputs no command line passes.
TEST(DecodedProgram, InputsNoCommandLinePasses) {
    const DecodedProgram empty = prepareFormulaInX("");
    EXPECT_EQ(evaluateFormulaAt(empty, 4).value, 4);
    EXPECT_TRUE(sameEvaluation(evaluateFormulaAt(empty, 4), runRows(empty, 4)));
    EXPECT_EQ(evaluateFormulaAt(prepareFormulaInX("x"), std::nan("")).failure, Failure::Overflow);
    EXPECT_TRUE(prepareFormulaInX("SIN(x").bracketsMismatched);
    EXPECT_EQ(evaluateFormulaAt(DecodedProgram{}, 1).failure, Failure::Malformed);
}

// Hand-made programs: the text interpreter, the rows and the compact form
// must fail in the same way at the same instruction.
TEST(DecodedProgram, MalformedProgramsFailAlikeEverywhere) {
    struct Row {
        const char* name;
        FormulaProgram program;
        Failure expected;
        double value;
    };
    const Row rows[] = {
        {"empty", {}, Failure::Malformed, 0},
        {"header only", {""}, Failure::Malformed, 0},
        {"no instructions", {"", "1"}, Failure::None, 0},
        {"result slot beyond the bound", {"", "5000000"}, Failure::Malformed, 0},
        {"negative result slot", {"", "-1"}, Failure::Malformed, 0},
        {"load without operand", {"", "1", "x1"}, Failure::Malformed, 0},
        {"load into a missing slot", {"", "1", "x2", "3"}, Failure::Malformed, 0},
        {"load from a missing slot", {"", "1", "x1", "x9"}, Failure::Malformed, 0},
        {"fractional slot", {"", "1", "x1.5", "2"}, Failure::Malformed, 0},
        {"step before any level", {"", "1", "x1", "2", "s3"}, Failure::Malformed, 0},
        {"inverse power", {"", "1", "f3", "x1", "2", "S3"}, Failure::Malformed, 0},
        {"unknown level", {"", "1", "f7"}, Failure::Malformed, 0},
        {"unknown function", {"", "1", "x1", "2", "h36"}, Failure::Malformed, 0},
        {"function zero", {"", "1", "x1", "2", "h0"}, Failure::Malformed, 0},
        {"overflowing literal", {"", "1", "x1", "1E+999"}, Failure::Overflow, 0},
        {"overflowing operand", {"", "1", "f1", "x1", "1", "s-1E+999"}, Failure::Overflow, 0},
        {"first failure wins", {"", "1", "x1", "2", "f2", "S0", "h99"}, Failure::DivisionByZero, 0},
        {"unknown elements are skipped", {"", "1", "q", "x1", "4", "", "zz"}, Failure::None, 4},
        {"step on slot 0 before a load", {"", "0", "f1", "s1"}, Failure::None, 1},
        {"slot read before it is written", {"", "2", "x2", "x1", "f1", "s5"}, Failure::None, 5},
        {"operand is the current slot", {"", "1", "x1", "3", "f2", "sx1", "sx1"}, Failure::None, 81},
        {"result is not the last slot", {"", "2", "x2", "5", "x1", "7"}, Failure::None, 5},
        {"overflow in a slot nobody reads", {"", "2", "x1", "1E300", "f2", "s1E300", "x2", "5"}, Failure::Overflow, 0},
        {"overflow overwritten by a load", {"", "1", "x1", "1E300", "f2", "s1E300", "x1", "5"}, Failure::Overflow, 0},
        {"overflow then a zero divisor", {"", "1", "x1", "1E300", "f2", "s1E300", "S0"}, Failure::Overflow, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Evaluation text = runProgram(row.program, 0);
        const DecodedProgram decoded = decodeProgram(row.program);
        EXPECT_EQ(text.failure, row.expected);
        if (row.expected == Failure::None) {
            EXPECT_EQ(text.value, row.value);
        }
        EXPECT_TRUE(sameEvaluation(text, runDecodedProgram(decoded, 0)));
        EXPECT_TRUE(sameEvaluation(text, runRows(decoded, 0)));
        EXPECT_TRUE(sameEvaluation(text, runWithoutCompactForm(decoded, 0)));
    }
}

// Differential check: the text interpreter, the rows and the compact form
// agree bit for bit (the chains of sums, products and small powers are in
// the next test; values at chosen points are one-point sums in
// tests/cases/expr.cases; a formula of more slots than the stack holds is
// the seed tests/fuzz/corpus/formula/many_slots).
TEST(DecodedProgram, AgreesWithTheTextInterpreter) {
    const char* formulas[] = {
        "SIN(x)*x^2+1",
        "1/x",
        "x^x",
        "(-x)^0.5",
        "2^-x",
        "x*-x^-2",
        "x/(x-1)/(x+1)",
        "LN(x)+LG(x)+LOG2(x)",
        "SQRT(x)*SQRT(x)",
        "E(x)-EXP(x)",
        "ARCSIN(x)+ARCCOS(x)",
        "ARCCSC(x)-ARCSEC(x)",
        "ARCTGH(x)+ARCCTGH(x)",
        "ARCCOSH(x)*ARCSECH(x)",
        "ARCSINH(x)/ARCCSCH(x)",
        "TG(x)*CTG(x)",
        "SEC(x)*CSC(x)",
        "SINH(x)+COSH(x)+TGH(x)+CTGH(x)+SECH(x)+CSCH(x)",
        "INT(x)+FIX(x)+FIX0(x)+SGN(x)+ABS(x)+|(x)",
        "A(x)+ARCTG(x)+ARCCTG(x)",
        "x^3^x",
        "-x^2+x*2-x/3",
        "x--x",
        "x+-(x*2)",
        "1E300*x*x",
        "x0+x1",
        "(x)+x1*x2",
        "2*x^2^0.5",
        "-(x)^2",
        "x^-2",
        "0^x",
        "(x-x)^-1",
        "S(C(T(x)))",
        "(x+1)^3/(x-1)^4",
        "3/x^3^2",
        "x*x*x*x*x*x/(x*x)",
    };
    const double points[] = {0, 1, -1, 0.5, -0.5, 2, -2, 3.75, -7.25, 1e-300, 1e300, 100, -1000, 1.0 / 3, 1e80, -1e80,
                             1e103, -1e103, 1e-80, 1e155,
                             // (x*x)*(x*x) and x*x*x*x round apart here.
                             0.1, 1.1};
    for (const char* formula : formulas) {
        const CompiledFormula compiled = compileFormula(substituteVariable(formula));
        const DecodedProgram decoded = prepareFormulaInX(formula);
        for (double x : points) {
            SCOPED_TRACE(std::string(formula) + " at " + numerelle::numberText(x));
            const Evaluation text = runProgram(compiled.program, x);
            const Evaluation fast = evaluateFormulaAt(decoded, x);
            EXPECT_TRUE(sameEvaluation(text, fast)) << text.value << " " << fast.value;
            EXPECT_TRUE(sameEvaluation(text, runRows(decoded, x)));
            if (fast.ok()) {
                EXPECT_TRUE(std::isfinite(fast.value));
            }
        }
    }
}

// A fault inside a chain of sums, products and small powers must fail the
// run with the kind of the first fault in program order, even where a later
// step would turn the infinity back into a finite value.
TEST(DecodedProgram, FaultsCarriedPastLaterStepsStillFail) {
    struct Row {
        const char* formula;
        double x;
        Failure expected;
        double value;
    };
    const Row rows[] = {
        {"x^3-2*x^2+3*x/(x+1)-4*x", 2, Failure::None, -6},
        {"x^4*x^3", -2, Failure::None, -128},
        {"2*x^4", 1.1, Failure::None, 2.928200000000001},  // (x*x)*(x*x), not x*x*x*x
        {"x^3", 1e80, Failure::None, 1e240},
        {"x^3-2*x^2+3*x/(x+1)-4*x", 1e200, Failure::Overflow, 0},
        {"x^3-2*x^2+3*x/(x-x)-4*x", 0, Failure::DivisionByZero, 0},
        // Overflow comes first; a later zero divisor must not be named.
        {"x^3-2*x^2+3*x/(x-x)-4*x", 1e200, Failure::Overflow, 0},
        {"x^3-1/(x-x)", 1e200, Failure::Overflow, 0},
        // The logarithm of the bracket runs before the power.
        {"-x^3+LN(x-x)", 1e200, Failure::InvalidArgument, 0},
        {"x^4-1/(x-x)+LN(x-x)", 1e200, Failure::InvalidArgument, 0},
        // Steps that would turn an infinity back into a finite value.
        {"1/x^3", 1e200, Failure::Overflow, 0},
        {"2/(1/x^4)", 1e80, Failure::Overflow, 0},
        {"ARCTG(x^3)", 1e200, Failure::Overflow, 0},
        {"FIX(x^3*0)", 1e200, Failure::Overflow, 0},
        {"(x^3)^0", 1e200, Failure::Overflow, 0},
        {"SQRT(x^3-x^3)", 1e200, Failure::Overflow, 0},
        // Infinities that meet become NaN.
        {"x^3-x^3", 1e200, Failure::Overflow, 0},
        {"0*x^4", 1e80, Failure::Overflow, 0},
        {"x^4/x^4", 1e80, Failure::Overflow, 0},
        {"x^3+1E300*1E300", 2, Failure::Overflow, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.formula) + " at " + numerelle::numberText(row.x));
        const DecodedProgram decoded = prepareFormulaInX(row.formula);
        const Evaluation fast = evaluateFormulaAt(decoded, row.x);
        EXPECT_EQ(fast.failure, row.expected);
        if (row.expected == Failure::None) {
            EXPECT_EQ(fast.value, row.value);
        }
        const CompiledFormula compiled = compileFormula(substituteVariable(row.formula));
        EXPECT_TRUE(sameEvaluation(runProgram(compiled.program, row.x), fast));
        EXPECT_TRUE(sameEvaluation(runRows(decoded, row.x), fast));
    }
}

// A failing run that draws a random number takes exactly one number from the
// generator, as the text interpreter does. The generator is per thread, so
// two fresh threads start from the same state.
TEST(DecodedProgram, FailingRunDrawsEachRandomNumberOnce) {
    const char* failing = "x^3*RND(x)-1/(x-x)";
    const auto nextDraw = [failing](bool decoded) {
        Evaluation first, next;
        std::thread worker([&] {
            if (decoded) {
                first = evaluateFormulaAt(prepareFormulaInX(failing), 1e200);
            } else {
                first = runProgram(compileFormula(substituteVariable(failing)).program, 1e200);
            }
            next = evaluateFormula("RND(1)");
        });
        worker.join();
        EXPECT_EQ(first.failure, Failure::Overflow);
        return next.value;
    };
    EXPECT_EQ(nextDraw(true), nextDraw(false));
}

}  // namespace
