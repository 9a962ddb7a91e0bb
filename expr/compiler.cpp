// The compiler from formula text to the text program: brackets innermost
// first, each into its own slot, then every flat expression in three passes,
// one per precedence level.
#include <algorithm>
#include <cstdint>
#include <set>

#include "expr/evaluation_ops.h"

namespace numerelle::expr {

namespace {

int operatorCode(char c) {
    switch (c) {
        case '+':
            return 1;
        case '-':
            return 2;
        case '*':
            return 3;
        case '/':
            return 4;
        case '^':
            return 5;
        default:
            return 0;
    }
}

int levelOf(int code) {
    return code <= 2 ? 1 : (code <= 4 ? 2 : 3);
}

// A + or - right after an exponent letter, e, E, d or D, belongs to the
// exponent of a number (1E-5, 1D+3).
bool isOperatorAt(std::string_view text, std::size_t i) {
    const char c = text[i];
    if (c == '^' || c == '*' || c == '/') return true;
    if (c != '+' && c != '-') return false;
    if (i == 0) return true;
    const char before = text[i - 1];
    return before != 'e' && before != 'E' && before != 'd' && before != 'D';
}

void emit(FormulaProgram& program, int& nextInstruction, std::string instruction) {
    if (nextInstruction < 2) nextInstruction = 2;
    if (program.size() <= static_cast<std::size_t>(nextInstruction)) program.resize(nextInstruction + 1);
    program[nextInstruction++] = std::move(instruction);
}

// Letter + text, built by appending (GCC 12 warns falsely on "x" + string).
std::string tagged(char letter, std::string_view text) {
    std::string out(1, letter);
    out += text;
    return out;
}

std::string slotText(int slot) {
    return tagged('x', std::to_string(slot));
}

}  // namespace

void compileFlat(std::string_view input, FormulaProgram& program, int& nextSlot, int& nextInstruction) {
    if (input.empty()) return;
    std::string prefixed;
    if (input[0] == '-' || input[0] == '+') {
        prefixed.reserve(input.size() + 1);
        prefixed.push_back('0');
        prefixed.append(input.data(), input.size());
        input = prefixed;
    }

    // Operands as program texts and the operator codes between them. A run
    // of signs right after an operator is the sign of the next operand only.
    std::vector<std::string> operands;
    std::vector<std::uint8_t> operators;
    std::size_t i = 0;
    while (true) {
        bool negative = false;
        if (!operands.empty()) {
            while (i < input.size() && (input[i] == '+' || input[i] == '-')) {
                if (input[i] == '-') negative = !negative;
                ++i;
            }
        }
        const std::size_t start = i;
        while (i < input.size() && !isOperatorAt(input, i)) ++i;
        const std::string_view body = input.substr(start, i - start);
        if (!body.empty() && body[0] == 'x') {
            const std::string slot = tagged('x', numberToProgramText(leadingNumber(body.substr(1))));
            if (negative) {
                // 0 - slot, in a slot of its own.
                emit(program, nextInstruction, "f1");
                emit(program, nextInstruction, slotText(nextSlot));
                emit(program, nextInstruction, "0");
                emit(program, nextInstruction, tagged('S', slot));
                operands.push_back(slotText(nextSlot++));
            } else {
                operands.push_back(slot);
            }
        } else {
            const double value = leadingNumber(body);
            operands.push_back(numberToProgramText(negative ? -value : value));
        }
        if (i >= input.size()) break;
        operators.push_back(static_cast<std::uint8_t>(operatorCode(input[i])));
        ++i;
    }

    if (operators.empty()) {
        emit(program, nextInstruction, slotText(nextSlot++));
        emit(program, nextInstruction, operands[0]);
        return;
    }

    const std::size_t count = operators.size();
    for (int level = 3; level >= 1; --level) {
        std::size_t j = 0;
        while (j < count) {
            if (levelOf(operators[j]) < level) {
                ++j;
                continue;
            }
            // A stretch: operands j..end joined by operators of this level or tighter.
            std::size_t end = j;
            bool hasLevel = false;
            while (end < count && levelOf(operators[end]) >= level) {
                hasLevel = hasLevel || levelOf(operators[end]) == level;
                ++end;
            }
            if (hasLevel) {
                emit(program, nextInstruction, tagged('f', std::to_string(level)));
                emit(program, nextInstruction, slotText(nextSlot));
                emit(program, nextInstruction, operands[j]);
                for (std::size_t k = j; k < end; ++k) {
                    if (levelOf(operators[k]) != level) continue;
                    const bool inverse = operators[k] == 2 || operators[k] == 4;
                    emit(program, nextInstruction, tagged(inverse ? 'S' : 's', operands[k + 1]));
                }
                const std::string stretchSlot = slotText(nextSlot++);
                for (std::size_t k = j; k <= end; ++k) operands[k] = stretchSlot;
            }
            j = end;
        }
    }
}

CompiledFormula compileFormula(std::string_view input, int firstSlot) {
    CompiledFormula compiled;
    if (!checkBrackets(input)) {
        compiled.bracketsMismatched = true;
        return compiled;
    }
    const std::string text = normaliseFormula(input);
    FormulaProgram& program = compiled.program;
    program = {text, ""};
    int nextSlot = std::max(firstSlot, 1);
    int nextInstruction = 2;

    // The text as a linked list of nodes: node 0 and node n + 1 are the ends,
    // node i + 1 is character i, later nodes are slot references that stand
    // for a compiled bracket. Characters before the bracket being handled are
    // never touched, so their positions stay those of the text.
    const int n = static_cast<int>(text.size());
    std::vector<int> next(n + 2), prev(n + 2);
    for (int k = 0; k < n + 2; ++k) {
        next[k] = k + 1;
        prev[k] = k - 1;
    }
    std::vector<std::string> slotNodes;  // node n + 2 + r
    auto nodeText = [&](int node, std::string& out) {
        if (node <= n) out += text[node - 1];
        else out += slotNodes[node - n - 2];
    };
    auto link = [&](int a, int b) {
        if (a >= static_cast<int>(next.size())) next.resize(a + 1);
        if (b >= static_cast<int>(prev.size())) prev.resize(b + 1);
        next[a] = b;
        prev[b] = a;
    };

    std::vector<int> opens;
    std::set<int> closes;  // ")" still in the text
    for (int k = 0; k < n; ++k) {
        if (text[k] == '(') opens.push_back(k);
        if (text[k] == ')') closes.insert(k);
    }
    std::string inner;
    for (auto it = opens.rbegin(); it != opens.rend(); ++it) {
        const int open = *it;
        const auto close = closes.upper_bound(open);
        if (close == closes.end()) continue;  // no ")" after it: stays as text
        const int openNode = open + 1, closeNode = *close + 1;
        if (next[openNode] == closeNode) continue;  // "()" stays as it stands
        inner.clear();
        for (int node = next[openNode]; node != closeNode; node = next[node]) nodeText(node, inner);
        compileFlat(inner, program, nextSlot, nextInstruction);

        slotNodes.push_back(slotText(nextSlot - 1));
        const int slotNode = n + 1 + static_cast<int>(slotNodes.size());
        const int before = prev[openNode], after = next[closeNode];
        link(before, slotNode);
        link(slotNode, after);
        closes.erase(close);

        std::size_t nameLength = 0;
        const int code = detail::functionCodeBefore(text, static_cast<std::size_t>(open), nameLength);
        if (code != 0) {
            emit(program, nextInstruction, tagged('h', std::to_string(code)));
            // The name's characters are nodes open - nameLength + 1 .. open.
            link(prev[open - static_cast<int>(nameLength) + 1], slotNode);
        }
    }

    std::string rest;
    for (int node = next[0]; node != n + 1; node = next[node]) nodeText(node, rest);
    compileFlat(rest, program, nextSlot, nextInstruction);
    program[1] = std::to_string(nextSlot - 1);
    return compiled;
}

}  // namespace numerelle::expr
