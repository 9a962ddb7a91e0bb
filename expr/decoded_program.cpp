// Formulas in x: the program decoded once into numeric rows, run once per
// point through the compact form of fast_program.cpp.
#include "expr/evaluation_ops.h"
#include "expr/fast_program.h"

namespace numerelle::expr {

namespace {

Evaluation failedWith(Failure failure) { return {0, failure}; }

}  // namespace

// The rows read directly, for a decoded program built by hand.
Evaluation detail::runRows(const DecodedProgram& decoded, double x) {
    const int last = decoded.resultSlot;
    if (decoded.rows.empty() || last < 0 || last >= maxSlots) return failedWith(Failure::MalformedProgram);
    std::vector<double> slots(static_cast<std::size_t>(last) + 1, 0.0);
    slots[0] = x;
    int current = 0;
    int level = 0;
    for (std::size_t r = 1; r < decoded.rows.size(); ++r) {
        const DecodedRow& row = decoded.rows[r];
        int k = 0, j = 0;
        Failure failure = Failure::None;
        if (row.kind == 1 || row.kind == 1.5) {
            if (!detail::slotIndex(row.a, last, k)) return failedWith(Failure::MalformedProgram);
            if (row.kind == 1.5) {
                if (!detail::slotIndex(row.b, last, j)) return failedWith(Failure::MalformedProgram);
                slots[k] = slots[j];
            } else {
                if (!std::isfinite(row.b)) return failedWith(Failure::Overflow);
                slots[k] = row.b;
            }
            current = k;
        } else if (row.kind == 2) {
            if (!(row.a == 1 || row.a == 2 || row.a == 3)) return failedWith(Failure::MalformedProgram);
            level = static_cast<int>(row.a);
        } else if (row.kind == 3 || row.kind == 4) {
            const bool inverse = row.kind == 4;
            if (!detail::stepIsWellFormed(level, inverse)) return failedWith(Failure::MalformedProgram);
            double operand = row.b;
            if (row.a == 1) {
                if (!detail::slotIndex(row.b, last, j)) return failedWith(Failure::MalformedProgram);
                operand = slots[j];
            } else if (row.a != 0) {
                return failedWith(Failure::MalformedProgram);
            } else if (!std::isfinite(operand)) {
                return failedWith(Failure::Overflow);
            }
            failure = detail::applyStep(level, inverse, slots[current], operand);
        } else if (row.kind == 5) {
            if (!(row.a >= 1 && row.a <= detail::functionCount) || row.a != std::trunc(row.a))
                return failedWith(Failure::MalformedProgram);
            failure = detail::applyFunction(static_cast<int>(row.a), slots[current]);
        } else {
            return failedWith(Failure::MalformedProgram);
        }
        if (failure != Failure::None) return failedWith(failure);
    }
    return {slots[static_cast<std::size_t>(last)], Failure::None};
}

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
            case 'f': decoded.rows.push_back({2, leadingNumber(operand), 0}); break;
            case 's': decoded.rows.push_back(operandRow(3, 0, operand)); break;
            case 'S': decoded.rows.push_back(operandRow(4, 0, operand)); break;
            case 'h': decoded.rows.push_back({5, leadingNumber(operand), 0}); break;
            default: break;  // not an instruction: ignored
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
