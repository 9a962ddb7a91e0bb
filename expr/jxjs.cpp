// Temporary: replaced by the real compiler and interpreter.
#include "expr/jxjs.h"
namespace numerelle::expr {
std::string failureDescription(Failure) { return "?"; }
std::string removeSpaces(std::string_view t) { return std::string(t); }
std::string replaceText(std::string_view t, std::string_view, std::string_view) { return std::string(t); }
bool checkBrackets(std::string_view) { return true; }
std::string normaliseFormula(std::string_view t) { return std::string(t); }
double leadingNumber(std::string_view) { return 0; }
std::string numberToProgramText(double) { return "0"; }
CompiledFormula compileFormula(std::string_view, int) { return {}; }
void compileFlat(std::string_view, FormulaProgram&, int&, int&) {}
Evaluation runProgram(const FormulaProgram&, double) { return {0, Failure::MalformedProgram}; }
Evaluation evaluateFormula(std::string_view) { return {0, Failure::MalformedProgram}; }
DecodedProgram decodeProgram(const FormulaProgram&) { return {}; }
Evaluation runDecodedProgram(const DecodedProgram&, double) { return {0, Failure::MalformedProgram}; }
DecodedProgram prepareFormulaInX(std::string_view) { return {}; }
Evaluation evaluateFormulaAt(const DecodedProgram&, double) { return {0, Failure::MalformedProgram}; }
}  // namespace numerelle::expr
