#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/number_text.h"
#include "expr/jxjs.h"

namespace {

using namespace numerelle::expr;

struct ValueRow {
    const char* formula;
    const char* expected;  // number text of the value
};

void expectValues(const ValueRow* begin, const ValueRow* end) {
    for (const ValueRow* row = begin; row != end; ++row) {
        SCOPED_TRACE(row->formula);
        const Evaluation result = evaluateFormula(row->formula);
        ASSERT_TRUE(result.ok()) << numerelle::failureText(result.failure);
        EXPECT_EQ(numerelle::numberText(result.value), row->expected);
    }
}

TEST(Evaluate, LanguageRules) {
    const ValueRow rows[] = {
        {"", "0"},
        {"1+2*3+4", "11"},
        {"2*3^2*4", "72"},
        {"2*3+4*5", "26"},
        {"2*4^2/2^3", "4"},
        {"2*3^2+1", "19"},
        {"1+2^2*3", "13"},
        {"2^3^2", "64"},
        {"8/4/2", "1"},
        {"10-2-3", "5"},
        {"-2^2", "-4"},
        {"-3^2", "-9"},
        {"(-3)^2", "9"},
        {"pi*2", "6.28318530717958"},
        {"Pi*2", "6.28318530717958"},
        {" 1 + 2 ", "3"},
        {"1e-3*1000", "1"},
        {"2E+2", "200"},
        {"1E-5", "1E-05"},
        {"1D+3", "1000"},
        {"1d-3", "0.001"},
        {"2d-1*10", "2"},
        {"2x", "2"},
        {"12abc", "12"},
        {"e", "0"},
        {"E(1)", "2.71828182845905"},
        {"ASIN(1)", "0"},
        {"2SIN(1)", "2"},
        {"()", "0"},
        {"((2))", "2"},
        {")1+2(", "2"},
        {"unknown(3)+1", "1"},
        {"SIN(PI/2)+1", "2"},
        {"1.23456789012345678", "1.23456789012346"},
        {"2*x+1", "1"},          // x is 0 here, and x is slot 0 wherever it stands
        {"(5)+x1", "10"},        // a typed slot reference reads that slot
    };
    expectValues(std::begin(rows), std::end(rows));
}

TEST(Evaluate, SignAfterAnOperatorBelongsToTheNextOperand) {
    const ValueRow rows[] = {
        {"2*-3", "-6"},     {"2^-1", "0.5"},   {"2--3", "5"},     {"2+-3", "-1"},
        {"2/-4", "-0.5"},   {"2*+3", "6"},     {"2---3", "-1"},   {"2*-3^2", "18"},
        {"2*-(1+2)", "-6"}, {"2^-(1)", "0.5"}, {"3*-SIN(PI/2)", "-3"},
        {"2*1E-1", "0.2"},  {"1E+2-1", "99"},
    };
    expectValues(std::begin(rows), std::end(rows));
}

TEST(Evaluate, Functions) {
    const ValueRow rows[] = {
        {"sin(0)", "0"},      {"S(PI/6)", "0.5"},        {"COS(0)", "1"},        {"C(PI)", "-1"},
        {"ABS(-2)", "2"},     {"|(-2)", "2"},            {"LN(E(2))", "2"},      {"L(1)", "0"},
        {"EXP(0)", "1"},      {"FIX(-2.5)", "-2"},       {"F(2.7)", "2"},        {"FIX0(-2.5)", "-2"},
        {"TG(A(1))", "1"},    {"T(0)", "0"},             {"ARCTG(1)", "0.785398163397448"},
        {"A(1)", "0.785398163397448"},                   {"LG(1000)", "3"},      {"CTG(A(1))", "1"},
        {"RND(0)", "0"},      {"ARCSIN(1)", "1.5707963267949"},                  {"ARCSIN(-1)", "-1.5707963267949"},
        {"ARCCOS(0)", "1.5707963267949"},                {"ARCCOS(-0.5)", "2.0943951023932"},
        {"ARCCOS(1)", "0"},   {"ARCCTG(1)", "0.785398163397448"},                {"ARCCSC(2)", "0.523598775598299"},
        {"ARCSEC(2)", "1.0471975511966"},                {"SINH(1)", "1.1752011936438"},
        {"HSIN(1)", "1.1752011936438"},                  {"SH(1)", "1.1752011936438"},
        {"COSH(1)", "1.54308063481524"},                 {"CH(1)", "1.54308063481524"},
        {"TGH(1)", "0.761594155955765"},                 {"HTG(1)", "0.761594155955765"},
        {"CTGH(1)", "1.31303528549933"},                 {"SECH(0)", "1"},       {"HSEC(0)", "1"},
        {"CSCH(1)", "0.850918128239322"},                {"ARCSINH(-2)", "-1.44363547517881"},
        {"HARCSIN(1)", "0.881373587019543"},             {"ARCCOSH(2)", "1.31695789692482"},
        {"ARCTGH(0.5)", "0.549306144334055"},            {"ARCCTGH(2)", "0.549306144334055"},
        {"ARCSECH(0.5)", "1.31695789692482"},            {"ARCCSCH(2)", "0.481211825059603"},
        {"LOG2(8)", "3"},     {"INT(-2.5)", "-3"},       {"INT(2.5)", "2"},      {"SGN(-3)", "-1"},
        {"SGN(0)", "0"},      {"SGN(0.1)", "1"},         {"SQR(16)", "4"},       {"SQRT(2)", "1.4142135623731"},
        {"SEC(0)", "1"},      {"CSC(PI/2)", "1"},        {"SECH(1000)", "0"},    {"CSCH(-1000)", "0"},
        {"SQRT(SQRT(16))", "2"},                         {"EXP(LN(3))", "3"},
    };
    expectValues(std::begin(rows), std::end(rows));
}

TEST(Evaluate, RandomFractionsAreDrawnFromOneSequence) {
    std::set<double> seen;
    for (int i = 0; i < 100; ++i) {
        const Evaluation r = evaluateFormula("RND(1)");
        ASSERT_TRUE(r.ok());
        EXPECT_GE(r.value, 0);
        EXPECT_LT(r.value, 1);
        seen.insert(r.value);
    }
    EXPECT_GT(seen.size(), 90u);
    const Evaluation scaled = evaluateFormula("RND(-10)");
    EXPECT_LE(scaled.value, 0);
    EXPECT_GT(scaled.value, -10);
}

TEST(Evaluate, FailureKinds) {
    struct Row {
        const char* formula;
        Failure expected;
    };
    const Row rows[] = {
        {"1/0", Failure::DivisionByZero},        {"1/(1-1)", Failure::DivisionByZero},
        {"0^-1", Failure::DivisionByZero},       {"CTG(0)", Failure::DivisionByZero},
        {"CSC(0)", Failure::DivisionByZero},     {"CTGH(0)", Failure::DivisionByZero},
        {"CSCH(0)", Failure::DivisionByZero},    {"ARCCTG(0)", Failure::DivisionByZero},
        {"ARCSEC(0)", Failure::DivisionByZero},  {"ARCTGH(1)", Failure::DivisionByZero},
        {"LN(0)", Failure::InvalidArgument},     {"LN(-1)", Failure::InvalidArgument},
        {"LG(0)", Failure::InvalidArgument},     {"LOG2(-1)", Failure::InvalidArgument},
        {"SQRT(-1)", Failure::InvalidArgument},  {"(-8)^(1/3)", Failure::InvalidArgument},
        {"ARCSIN(1.5)", Failure::InvalidArgument}, {"ARCCOS(-2)", Failure::InvalidArgument},
        {"ARCCSC(0.5)", Failure::InvalidArgument}, {"ARCSEC(0.5)", Failure::InvalidArgument},
        {"ARCTGH(-1)", Failure::InvalidArgument}, {"ARCTGH(2)", Failure::InvalidArgument},
        {"ARCCOSH(0.5)", Failure::InvalidArgument}, {"ARCSECH(2)", Failure::InvalidArgument},
        {"10^400", Failure::Overflow},           {"EXP(1000)", Failure::Overflow},
        {"1E308*10", Failure::Overflow},         {"1E308+1E308", Failure::Overflow},
        {"-1E308-1E308", Failure::Overflow},     {"1E999", Failure::Overflow},
        {"SINH(1000)", Failure::Overflow},       {"COSH(-1000)", Failure::Overflow},
        {"1/1E-308/1E-10", Failure::Overflow},   {"(-2)^1E5", Failure::Overflow},
        {"(1+2", Failure::Brackets},             {"1+2)", Failure::Brackets},
        {"x99", Failure::Malformed},             {"x1.5", Failure::Malformed},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.formula);
        const Evaluation result = evaluateFormula(row.formula);
        EXPECT_EQ(result.failure, row.expected) << result.value;
    }
}

}  // namespace
