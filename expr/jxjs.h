#pragma once
// The formula language: normalisation, compiler to a text program, the
// interpreter with its 35 functions, and the decoded form used to evaluate a
// formula in x at many points.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/failure.h"

namespace numerelle::expr {

// Why an evaluation produced no value: the program's one failure vocabulary
// (common/failure.h). Every operation fails rather than produce an infinity
// or a NaN.
using Failure = FailureKind;

struct Evaluation {
    double value = 0;
    Failure failure = Failure::None;
    bool ok() const { return failure == Failure::None; }
};

// Element 0: the normalised text; element 1: the result slot; then the
// instructions ("x1", "2", "f2", "s3", "S2", "h1", ...).
using FormulaProgram = std::vector<std::string>;

// Upper bound on the slots of one program (8 MB of doubles). A longer formula
// or a hand-made program naming more slots fails as Malformed.
inline constexpr int maxSlots = 1 << 20;

std::string removeSpaces(std::string_view text);
std::string replaceText(std::string_view text, std::string_view find, std::string_view replacement);
bool checkBrackets(std::string_view text);  // true when the counts agree
// Steps 1 to 4 of the normalisation (brackets checked by the caller).
std::string normaliseFormula(std::string_view text);
// The longest number at the start of the text, 0 when there is none ("12abc"
// reads 12). A number beyond the double range reads as plus or minus infinity.
double leadingNumber(std::string_view text);
// Up to 15 significant digits, no 0 before the point (".5"); an infinity is
// written "1E+999" so that it reads back as an overflow.
std::string numberToProgramText(double value);
// The formula-in-x substitution: every x or X that is not part of a longer
// word becomes "x0"; x followed by digits stays a slot reference.
std::string substituteVariable(std::string_view text);

struct CompiledFormula {
    FormulaProgram program;           // empty when the brackets failed
    bool bracketsMismatched = false;  // the page shows "括号错了!"
};
CompiledFormula compileFormula(std::string_view text, int firstSlot = 1);
// Compiles one bracket-free expression; its value ends up in slot nextSlot - 1.
void compileFlat(std::string_view text, FormulaProgram& program, int& nextSlot, int& nextInstruction);

Evaluation runProgram(const FormulaProgram& program, double x);
// compileFormula + runProgram at x = 0. A bracket mismatch gives Failure::Brackets.
Evaluation evaluateFormula(std::string_view text);

// A program decoded once into numeric rows for repeated evaluation.
struct DecodedRow {
    // 1 load number, 1.5 load slot, 2 level, 3 direct op, 4 inverse op,
    // 5 function; 0 marks a malformed instruction (running it fails).
    double kind = 0;
    double a = 0;
    double b = 0;
};
// Compact form of the rows, built by decodeProgram (expr/fast_program.cpp).
struct FastProgram;
struct DecodedProgram {
    int resultSlot = 0;
    // rows[0] is the header row {resultSlot, 0, 0}; then one row per
    // instruction. Empty rows: nothing to run, every run fails.
    std::vector<DecodedRow> rows;
    bool bracketsMismatched = false;  // preparation failed; every run fails
    // What runDecodedProgram executes. Derived from rows by decodeProgram;
    // when it is null (rows made by hand) each run translates the rows first.
    std::shared_ptr<const FastProgram> fast;
};

DecodedProgram decodeProgram(const FormulaProgram& program);
Evaluation runDecodedProgram(const DecodedProgram& decoded, double x);
// Substitutes the variable x (a lone x or X, not part of a longer word) and
// compiles and decodes the formula.
DecodedProgram prepareFormulaInX(std::string_view text);
Evaluation evaluateFormulaAt(const DecodedProgram& decoded, double x);

}  // namespace numerelle::expr
