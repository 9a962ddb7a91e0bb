// Formulas in x: the program decoded once into numeric rows, run once per
// point through the compact form of fast_program.cpp.
#include "expr/evaluation_ops.h"
#include "expr/fast_program.h"

namespace numerelle::expr {

namespace {

DecodedRow operandRow(double kind, double slot, const std::string& operand) {
    if (!operand.empty() && operand[0] == 'x')
        return {kind == 1 ? 1.5 : kind, kind == 1 ? slot : 1, leadingNumber(std::string_view(operand).substr(1))};
    return {kind, kind == 1 ? slot : 0, leadingNumber(operand)};
}

}  // namespace

DecodedProgram decodeProgram(const FormulaProgram& program) {
    DecodedProgram decoded;
    if (program.size() < 2) return decoded;
    const double header = leadingNumber(program[1]);
    int last = -1;
    if (detail::resultSlotIndex(header, last)) decoded.resultSlot = last;
    else decoded.resultSlot = -1;
    decoded.rows.push_back({header, 0, 0});
    for (std::size_t i = 2; i < program.size(); ++i) {
        const std::string& element = program[i];
        if (element.empty()) continue;
        const std::string operand = element.substr(1);
        switch (element[0]) {
            case 'x':
                if (i + 1 >= program.size()) {
                    decoded.rows.push_back({0, 0, 0});  // a load without its operand
                    break;
                }
                decoded.rows.push_back(operandRow(1, leadingNumber(operand), program[++i]));
                break;
            case 'f':
                decoded.rows.push_back({2, leadingNumber(operand), 0});
                break;
            case 's':
                decoded.rows.push_back(operandRow(3, 0, operand));
                break;
            case 'S':
                decoded.rows.push_back(operandRow(4, 0, operand));
                break;
            case 'h':
                decoded.rows.push_back({5, leadingNumber(operand), 0});
                break;
            default:
                break;  // not an instruction: ignored
        }
    }
    decoded.fast = detail::translateRows(decoded);
    return decoded;
}

DecodedProgram prepareFormulaInX(std::string_view text) {
    const CompiledFormula compiled = compileFormula(substituteVariable(text), 1);
    if (compiled.bracketsMismatched) {
        DecodedProgram decoded;
        decoded.bracketsMismatched = true;
        return decoded;
    }
    return decodeProgram(compiled.program);
}

}  // namespace numerelle::expr
