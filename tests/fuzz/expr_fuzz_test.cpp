// Randomised robustness of the formula compiler and evaluators: arbitrary and
// mutated text, very long and deeply bracketed input, and hand-made programs.
// Nothing may crash, hang or read out of bounds (run under the sanitizers),
// and every evaluator must agree: the libFuzzer target's checks, over
// generated input.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "expr/jxjs.h"
#include "targets/formula_checks.h"

namespace {

// A letter followed by a number or operand text (built without operator+ on
// a literal, which trips a false -Wrestrict in this compiler).
std::string tagged(char letter, const std::string& rest) {
    std::string text(1, letter);
    text += rest;
    return text;
}
std::string tagged(char letter, int number) {
    return tagged(letter, std::to_string(number));
}

using namespace numerelle::expr;
using Clock = std::chrono::steady_clock;

constexpr auto timeBudget = std::chrono::seconds(3);

class FormulaMaker {
public:
    explicit FormulaMaker(unsigned seed) : random_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // Mostly well-formed formulas in x: numbers, x, operators, signs,
    // function calls, brackets.
    std::string formula(int depth = 0) {
        std::string out;
        const int terms = 1 + below(4);
        for (int t = 0; t < terms; ++t) {
            if (t > 0) out += "+-*/^"[below(5)];
            if (below(4) == 0) out += "+-"[below(2)];
            out += operand(depth);
        }
        return out;
    }

    // Arbitrary characters from the language's alphabet and a few others.
    std::string noise(std::size_t length) {
        static const std::string alphabet = "0123456789.+-*/^()xXeEdD&HOSINCOTGLPRQABFHX| \t,;#";
        std::string out;
        for (std::size_t i = 0; i < length; ++i)
            out += alphabet[static_cast<std::size_t>(below(static_cast<int>(alphabet.size())))];
        return out;
    }

    std::string mutate(std::string text) {
        const int edits = 1 + below(4);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at =
                text.empty() ? 0 : static_cast<std::size_t>(below(static_cast<int>(text.size()) + 1));
            switch (below(3)) {
                case 0:
                    text.insert(at, noise(1 + below(3)));
                    break;
                case 1:
                    if (at < text.size()) text.erase(at, 1 + below(3));
                    break;
                default:
                    if (at < text.size()) text[at] = noise(1)[0];
                    break;
            }
        }
        return text;
    }

    double point() {
        static const double points[] = {0, 1, -1, 0.5, 2, -3.5, 1e-200, 1e200, 7.25, -1e-5};
        return points[below(static_cast<int>(std::size(points)))];
    }

    FormulaProgram program() {
        FormulaProgram p{"", std::to_string(below(8) - 1)};
        const int length = below(14);
        for (int i = 0; i < length; ++i) {
            switch (below(8)) {
                case 0:
                    p.push_back(tagged('x', below(9)));
                    break;
                case 1:
                    p.push_back(std::to_string(below(7) - 3));
                    break;
                case 2:
                    p.push_back(tagged('f', below(5)));
                    break;
                case 3:
                    p.push_back(tagged('s', operandText()));
                    break;
                case 4:
                    p.push_back(tagged('S', operandText()));
                    break;
                case 5:
                    p.push_back(tagged('h', below(38)));
                    break;
                case 6:
                    p.push_back(noise(below(3)));
                    break;
                default:
                    p.push_back(tagged('x', below(4)));
                    p.push_back(operandText());
                    break;
            }
        }
        return p;
    }

private:
    std::string operandText() {
        switch (below(4)) {
            case 0:
                return tagged('x', below(9));
            case 1:
                return "1E+999";
            case 2:
                return ".5";
            default:
                return std::to_string(below(11) - 5);
        }
    }

    std::string operand(int depth) {
        static const char* names[] = {
            "SIN",  "COS",  "S",    "ABS",    "LN",      "E",       "EXP",    "FIX",     "FIX0",    "TG",
            "A",    "LG",   "CTG",  "ARCSIN", "ARCCOS",  "ARCCTG",  "ARCCSC", "ARCSEC",  "SINH",    "CH",
            "TGH",  "CTGH", "SECH", "CSCH",   "ARCSINH", "HARCCOS", "ARCTGH", "ARCCTGH", "ARCSECH", "ARCCSCH",
            "LOG2", "INT",  "SGN",  "SQRT",   "SEC",     "CSC",     "|",      "q"};
        switch (below(depth > 4 ? 3 : 6)) {
            case 0:
                return "x";
            case 1:
                return std::to_string(below(20));
            case 2:
                return std::to_string(below(100)) + "." + std::to_string(below(100)) + (below(4) ? "" : "E-2");
            case 3:
                return tagged('(', formula(depth + 1)) + ")";
            default:
                return std::string(names[below(static_cast<int>(std::size(names)))]) + "(" + formula(depth + 1) + ")";
        }
    }

    std::mt19937 random_;
};

using formula_checks::checkFormula;

TEST(ExprFuzz, GeneratedAndMutatedFormulas) {
    FormulaMaker maker(20240601);
    const auto start = Clock::now();
    for (int i = 0; i < 20000 && Clock::now() - start < timeBudget; ++i) {
        std::string formula = maker.formula();
        if (i % 3 == 1) formula = maker.mutate(formula);
        if (i % 3 == 2) formula = maker.noise(static_cast<std::size_t>(maker.below(40)));
        checkFormula(formula, maker.point());
    }
}

TEST(ExprFuzz, LongAndDeeplyBracketedInput) {
    FormulaMaker maker(7);
    std::vector<std::string> inputs;
    inputs.push_back(maker.noise(100000));
    inputs.push_back(std::string(10000, '(') + "x+1" + std::string(10000, ')'));
    inputs.push_back(std::string(10000, '(') + "x+1" + std::string(9999, ')'));
    std::string chain;
    while (chain.size() < 100000) chain += "SIN(" + maker.formula() + ")*";
    chain += "1";
    inputs.push_back(chain);
    std::string calls;
    for (int i = 0; i < 5000; ++i) calls += "ARCTG(";
    calls += "x";
    for (int i = 0; i < 5000; ++i) calls += ")";
    inputs.push_back(calls);
    inputs.push_back(std::string(50000, ')') + "x" + std::string(50000, '('));
    std::string powers = "x";
    for (int i = 0; i < 20000; ++i) powers += "^-1";
    inputs.push_back(powers);
    for (const std::string& input : inputs) {
        checkFormula(input, 0.75);
        checkFormula(maker.mutate(input), -2);
    }
}

TEST(ExprFuzz, HandMadePrograms) {
    FormulaMaker maker(99);
    const auto start = Clock::now();
    for (int i = 0; i < 50000 && Clock::now() - start < timeBudget; ++i) {
        const FormulaProgram program = maker.program();
        std::string text = program[0];  // one element a line, as the target reads a program
        for (std::size_t e = 1; e < program.size(); ++e) text += "\n" + program[e];
        formula_checks::checkProgram(text, maker.point());
    }
}

}  // namespace
