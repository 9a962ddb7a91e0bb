// The text-program interpreter: reads the instructions afresh on every run.
// Anything it cannot make sense of ends the run as a malformed program.
#include "expr/evaluation_ops.h"

namespace numerelle::expr {

namespace {

std::string_view rest(const std::string& element) {
    return std::string_view(element).substr(1);
}

// A slot reference "x<k>" (text without its "x") within the slots.
bool readSlot(std::string_view digits, const std::vector<double>& slots, int& index) {
    return detail::slotIndex(leadingNumber(digits), static_cast<int>(slots.size()) - 1, index);
}

// An operand element: a slot reference or a number text.
Failure readOperand(std::string_view text, const std::vector<double>& slots, double& value) {
    if (!text.empty() && text[0] == 'x') {
        int j = 0;
        if (!readSlot(text.substr(1), slots, j)) return Failure::Malformed;
        value = slots[j];
        return Failure::None;
    }
    value = leadingNumber(text);
    return std::isfinite(value) ? Failure::None : Failure::Overflow;
}

Evaluation failed(Failure failure) {
    return {0, failure};
}

}  // namespace

Evaluation runProgram(const FormulaProgram& program, double x) {
    int last = 0;
    if (program.size() < 2 || !detail::resultSlotIndex(leadingNumber(program[1]), last))
        return failed(Failure::Malformed);
    if (!std::isfinite(x)) return failed(Failure::Overflow);
    std::vector<double> slots(static_cast<std::size_t>(last) + 1, 0.0);
    slots[0] = x;
    int current = 0;
    int level = 0;
    for (std::size_t i = 2; i < program.size(); ++i) {
        const std::string& element = program[i];
        if (element.empty()) continue;
        Failure failure = Failure::None;
        switch (element[0]) {
            case 'x': {
                int k = 0;
                if (!readSlot(rest(element), slots, k) || i + 1 >= program.size()) return failed(Failure::Malformed);
                double value = 0;
                failure = readOperand(program[++i], slots, value);
                if (failure != Failure::None) return failed(failure);
                slots[k] = value;
                current = k;
                break;
            }
            case 'f': {
                const double number = leadingNumber(rest(element));
                if (!(number == 1 || number == 2 || number == 3)) return failed(Failure::Malformed);
                level = static_cast<int>(number);
                break;
            }
            case 's':
            case 'S': {
                const bool inverse = element[0] == 'S';
                if (!detail::stepIsWellFormed(level, inverse)) return failed(Failure::Malformed);
                double operand = 0;
                failure = readOperand(rest(element), slots, operand);
                if (failure == Failure::None) failure = detail::applyStep(level, inverse, slots[current], operand);
                break;
            }
            case 'h': {
                const double code = leadingNumber(rest(element));
                if (!(code >= 1 && code <= detail::functionCount) || code != std::trunc(code))
                    return failed(Failure::Malformed);
                failure = detail::applyFunction(static_cast<int>(code), slots[current]);
                break;
            }
            default:
                break;  // not an instruction: ignored
        }
        if (failure != Failure::None) return failed(failure);
    }
    return {slots[static_cast<std::size_t>(last)], Failure::None};
}

Evaluation evaluateFormula(std::string_view text) {
    const CompiledFormula compiled = compileFormula(text, 1);
    if (compiled.bracketsMismatched) return failed(Failure::Brackets);
    return runProgram(compiled.program, 0);
}

}  // namespace numerelle::expr
