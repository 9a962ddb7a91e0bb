#pragma once
// The agreement checks of the formula compiler and the evaluators, for the
// libFuzzer target and its seed corpus: every route to a value (the text
// program, the decoded rows, their compact form and the reference reading of
// the rows) gives the same value or the same failure kind. A disagreement
// prints the input and aborts.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "expr/jxjs.h"
#include "tests/core/expr/reference_rows.h"

namespace formula_checks {

using namespace numerelle::expr;

// RND draws from a generator each route keeps for itself, so formulas and
// programs with it only have to run, not agree.
inline bool drawsRandomNumbers(std::string_view text) {
    for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
        if ((text[i] | 32) == 'r' && (text[i + 1] | 32) == 'n' && (text[i + 2] | 32) == 'd') return true;
    }
    return false;
}

inline void require(bool condition, const char* what, std::string_view input) {
    if (condition) return;
    std::fprintf(stderr, "disagreement: %s\ninput: %.*s\n", what, static_cast<int>(input.size()), input.data());
    std::abort();
}

inline bool same(const Evaluation& a, const Evaluation& b) {
    return a.failure == b.failure && (!a.ok() || a.value == b.value);
}

inline bool finiteWhenOk(const Evaluation& e) {
    return !e.ok() || std::isfinite(e.value);
}

inline void checkFormula(std::string_view formula, double x) {
    const CompiledFormula compiled = compileFormula(substituteVariable(formula));
    const DecodedProgram decoded = prepareFormulaInX(formula);
    require(compiled.bracketsMismatched == decoded.bracketsMismatched, "bracket verdicts", formula);
    const Evaluation fast = evaluateFormulaAt(decoded, x);
    require(finiteWhenOk(fast), "fast value not finite", formula);
    if (compiled.bracketsMismatched) {
        require(fast.failure == Failure::Brackets, "fast run of mismatched brackets", formula);
        require(evaluateFormula(formula).failure == Failure::Brackets, "plain run of mismatched brackets", formula);
        return;
    }
    if (drawsRandomNumbers(formula)) return;
    require(same(runProgram(compiled.program, x), fast), "text program vs fast program", formula);
    DecodedProgram rowsOnly = decoded;
    rowsOnly.fast = nullptr;
    require(same(runDecodedProgram(rowsOnly, x), fast), "decoded rows vs fast program", formula);
    require(same(reference::runRows(decoded, x), fast), "reference rows vs fast program", formula);
    // Without a capital X, a formula at x = 0 means what the plain formula
    // means (a typed x is slot 0, which holds 0). Not after "x&": a plain
    // formula reads "x&HD" as slot 13, a formula in x as the variable.
    if (formula.find('X') == std::string_view::npos && removeSpaces(formula).find("x&") == std::string::npos) {
        require(same(evaluateFormula(formula), evaluateFormulaAt(decoded, 0)), "plain formula vs formula in x at 0",
                formula);
    }
}

inline void checkProgram(std::string_view text, double x) {
    FormulaProgram program;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t end = std::min(text.find('\n', from), text.size());
        program.emplace_back(text.substr(from, end - from));
        from = end + 1;
    }
    const Evaluation interpreted = runProgram(program, x);
    const DecodedProgram decoded = decodeProgram(program);
    DecodedProgram rowsOnly = decoded;
    rowsOnly.fast = nullptr;
    const Evaluation fast = runDecodedProgram(decoded, x);
    const Evaluation rows = runDecodedProgram(rowsOnly, x);
    require(finiteWhenOk(interpreted) && finiteWhenOk(fast) && finiteWhenOk(rows), "value not finite", text);
    // Function 11 is RND, however its code is written ("h11", "h11h5", "h1.1E1").
    for (std::size_t i = 2; i < program.size(); ++i) {
        if (!program[i].empty() && program[i][0] == 'h' &&
            leadingNumber(std::string_view(program[i]).substr(1)) == 11) {
            return;
        }
    }
    require(same(interpreted, fast), "text program vs fast program", text);
    require(same(interpreted, rows), "text program vs decoded rows", text);
    require(same(interpreted, reference::runRows(decoded, x)), "text program vs reference rows", text);
}

}  // namespace formula_checks
