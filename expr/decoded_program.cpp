// Formulas in x: the program decoded once into numeric rows, and those rows
// translated into a compact register form that runs once per point.
#include <algorithm>
#include <cstdint>

#include "expr/evaluation_ops.h"

namespace numerelle::expr {

namespace {

enum class Op : std::uint8_t {
    Fail,       // slot = failure kind
    LoadNumber, // acc := number
    LoadSlot,   // acc := slots[slot]
    Store,      // slots[slot] := acc
    AddNumber, AddSlot, SubNumber, SubSlot, MulNumber, MulSlot, DivNumber, DivSlot,
    PowNumber, PowSlot, Square,
    Sin, Cos, Exp, Ln, Sqrt, Abs,
    Function,   // slot = function code
    ReturnAcc,
    ReturnSlot,
};

struct Instruction {
    Op op;
    std::int32_t slot;
    double number;
};

constexpr int stackSlots = 64;

}  // namespace

// The value of the current slot lives in a register (acc) and is written to
// its slot only when a later instruction reads it from memory.
struct FastProgram {
    std::vector<Instruction> code;
    int slotCount = 1;
    bool zeroSlots = false;  // some slot is read before anything is stored in it
};

namespace {

class Translator {
public:
    explicit Translator(int resultSlot) : last_(resultSlot), stored_(static_cast<std::size_t>(resultSlot) + 1, 0) {
        stored_[0] = 1;
    }

    // False once the program has ended in a failure instruction.
    bool add(const DecodedRow& row) {
        int k = 0, j = 0;
        if (row.kind == 1 || row.kind == 1.5) {
            if (!detail::slotIndex(row.a, last_, k)) return fail(Failure::MalformedProgram);
            if (row.kind == 1.5 && !detail::slotIndex(row.b, last_, j)) return fail(Failure::MalformedProgram);
            if (row.kind == 1 && !std::isfinite(row.b)) return fail(Failure::Overflow);
            storeIfDirty();
            if (row.kind == 1)
                push(Op::LoadNumber, 0, row.b);
            else if (j != current_)
                pushRead(Op::LoadSlot, j);
            current_ = k;
            dirty_ = true;
            return true;
        }
        if (row.kind == 2) {
            if (!(row.a == 1 || row.a == 2 || row.a == 3)) return fail(Failure::MalformedProgram);
            level_ = static_cast<int>(row.a);
            return true;
        }
        if (row.kind == 3 || row.kind == 4) {
            const bool inverse = row.kind == 4;
            if (!detail::stepIsWellFormed(level_, inverse)) return fail(Failure::MalformedProgram);
            const int index = (level_ - 1) * 2 + (inverse ? 1 : 0);
            static constexpr Op numberOps[] = {Op::AddNumber, Op::SubNumber, Op::MulNumber, Op::DivNumber, Op::PowNumber};
            static constexpr Op slotOps[] = {Op::AddSlot, Op::SubSlot, Op::MulSlot, Op::DivSlot, Op::PowSlot};
            if (row.a == 1) {
                if (!detail::slotIndex(row.b, last_, j)) return fail(Failure::MalformedProgram);
                if (j == current_) storeIfDirty();
                pushRead(slotOps[index], j);
            } else if (row.a == 0) {
                if (!std::isfinite(row.b)) return fail(Failure::Overflow);
                if (level_ == 3 && row.b == 2)
                    push(Op::Square, 0, 0);
                else
                    push(numberOps[index], 0, row.b);
            } else {
                return fail(Failure::MalformedProgram);
            }
            dirty_ = true;
            return true;
        }
        if (row.kind == 5) {
            if (!(row.a >= 1 && row.a <= detail::functionCount) || row.a != std::trunc(row.a))
                return fail(Failure::MalformedProgram);
            const int function = static_cast<int>(row.a);
            switch (function) {
                case 1: push(Op::Sin, 0, 0); break;
                case 2: push(Op::Cos, 0, 0); break;
                case 3: push(Op::Abs, 0, 0); break;
                case 4: push(Op::Ln, 0, 0); break;
                case 5: push(Op::Exp, 0, 0); break;
                case 33: push(Op::Sqrt, 0, 0); break;
                default: push(Op::Function, function, 0); break;
            }
            dirty_ = true;
            return true;
        }
        return fail(Failure::MalformedProgram);
    }

    FastProgram finish(bool failedAlready) {
        if (!failedAlready) {
            if (current_ == last_) {
                push(Op::ReturnAcc, 0, 0);
            } else {
                storeIfDirty();
                pushRead(Op::ReturnSlot, last_);
            }
        }
        dropDeadStores();
        FastProgram fast;
        fast.code = std::move(code_);
        fast.slotCount = last_ + 1;
        fast.zeroSlots = zeroSlots_;
        return fast;
    }

    bool fail(Failure failure) {
        push(Op::Fail, static_cast<std::int32_t>(failure), 0);
        return false;
    }

private:
    void push(Op op, int slot, double number) { code_.push_back({op, slot, number}); }

    void pushRead(Op op, int slot) {
        if (!stored_[static_cast<std::size_t>(slot)]) zeroSlots_ = true;
        push(op, slot, 0);
    }

    void storeIfDirty() {
        if (!dirty_) return;
        push(Op::Store, current_, 0);
        stored_[static_cast<std::size_t>(current_)] = 1;
        dirty_ = false;
    }

    static bool readsSlot(Op op) {
        switch (op) {
            case Op::LoadSlot: case Op::AddSlot: case Op::SubSlot: case Op::MulSlot:
            case Op::DivSlot: case Op::PowSlot: case Op::ReturnSlot:
                return true;
            default:
                return false;
        }
    }

    // A store that nothing reads before the slot is stored again is dropped.
    void dropDeadStores() {
        std::vector<char> needed(static_cast<std::size_t>(last_) + 1, 0);
        std::vector<Instruction> kept;
        kept.reserve(code_.size());
        for (auto it = code_.rbegin(); it != code_.rend(); ++it) {
            if (it->op == Op::Store) {
                if (!needed[static_cast<std::size_t>(it->slot)]) continue;
                needed[static_cast<std::size_t>(it->slot)] = 0;
            } else if (readsSlot(it->op)) {
                needed[static_cast<std::size_t>(it->slot)] = 1;
            }
            kept.push_back(*it);
        }
        std::reverse(kept.begin(), kept.end());
        code_ = std::move(kept);
    }

    int last_;
    std::vector<char> stored_;
    std::vector<Instruction> code_;
    int current_ = 0;
    int level_ = 0;
    bool dirty_ = false;
    bool zeroSlots_ = false;
};

std::shared_ptr<const FastProgram> translate(const DecodedProgram& decoded) {
    if (decoded.rows.empty() || decoded.resultSlot < 0 || decoded.resultSlot >= maxSlots) return nullptr;
    Translator translator(decoded.resultSlot);
    bool failed = false;
    for (std::size_t r = 1; r < decoded.rows.size() && !failed; ++r) failed = !translator.add(decoded.rows[r]);
    return std::make_shared<const FastProgram>(translator.finish(failed));
}

Evaluation failedWith(Failure failure) { return {0, failure}; }

#define NUMERELLE_CHECK(expression)                                         \
    do {                                                                    \
        const Failure failure_ = (expression);                              \
        if (failure_ != Failure::None) [[unlikely]] return failedWith(failure_); \
    } while (false)

Evaluation runFast(const FastProgram& program, double x) {
    double local[stackSlots];
    double* slots = local;
    if (program.slotCount > stackSlots) {
        thread_local std::vector<double> large;
        if (large.size() < static_cast<std::size_t>(program.slotCount)) large.resize(program.slotCount);
        slots = large.data();
    }
    if (program.zeroSlots) std::fill(slots, slots + program.slotCount, 0.0);
    slots[0] = x;
    double acc = x;
    for (const Instruction* in = program.code.data();; ++in) {
        switch (in->op) {
            case Op::Fail: return failedWith(static_cast<Failure>(in->slot));
            case Op::LoadNumber: acc = in->number; break;
            case Op::LoadSlot: acc = slots[in->slot]; break;
            case Op::Store: slots[in->slot] = acc; break;
            case Op::AddNumber: acc += in->number; NUMERELLE_CHECK(detail::finiteOr(acc, Failure::Overflow)); break;
            case Op::AddSlot: acc += slots[in->slot]; NUMERELLE_CHECK(detail::finiteOr(acc, Failure::Overflow)); break;
            case Op::SubNumber: acc -= in->number; NUMERELLE_CHECK(detail::finiteOr(acc, Failure::Overflow)); break;
            case Op::SubSlot: acc -= slots[in->slot]; NUMERELLE_CHECK(detail::finiteOr(acc, Failure::Overflow)); break;
            case Op::MulNumber: acc *= in->number; NUMERELLE_CHECK(detail::finiteOr(acc, Failure::Overflow)); break;
            case Op::MulSlot: acc *= slots[in->slot]; NUMERELLE_CHECK(detail::finiteOr(acc, Failure::Overflow)); break;
            case Op::DivNumber: NUMERELLE_CHECK(detail::divide(acc, in->number)); break;
            case Op::DivSlot: NUMERELLE_CHECK(detail::divide(acc, slots[in->slot])); break;
            case Op::PowNumber: NUMERELLE_CHECK(detail::power(acc, in->number)); break;
            case Op::PowSlot: NUMERELLE_CHECK(detail::power(acc, slots[in->slot])); break;
            case Op::Square: acc *= acc; NUMERELLE_CHECK(detail::finiteOr(acc, Failure::Overflow)); break;
            case Op::Sin: acc = std::sin(acc); break;
            case Op::Cos: acc = std::cos(acc); break;
            case Op::Abs: acc = std::fabs(acc); break;
            case Op::Exp: acc = std::exp(acc); NUMERELLE_CHECK(detail::finiteOr(acc, Failure::Overflow)); break;
            case Op::Ln:
                if (acc <= 0) [[unlikely]] return failedWith(Failure::InvalidArgument);
                acc = std::log(acc);
                break;
            case Op::Sqrt:
                if (acc < 0) [[unlikely]] return failedWith(Failure::InvalidArgument);
                acc = std::sqrt(acc);
                break;
            case Op::Function: NUMERELLE_CHECK(detail::applyFunction(in->slot, acc)); break;
            case Op::ReturnAcc: return {acc, Failure::None};
            case Op::ReturnSlot: return {slots[in->slot], Failure::None};
        }
    }
}

#undef NUMERELLE_CHECK

// The rows read directly, for a decoded program built by hand.
Evaluation runRows(const DecodedProgram& decoded, double x) {
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
    decoded.fast = translate(decoded);
    return decoded;
}

Evaluation runDecodedProgram(const DecodedProgram& decoded, double x) {
    if (decoded.bracketsMismatched) return failedWith(Failure::Brackets);
    if (!std::isfinite(x)) return failedWith(Failure::Overflow);
    if (decoded.fast) return runFast(*decoded.fast, x);
    return runRows(decoded, x);
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

Evaluation evaluateFormulaAt(const DecodedProgram& decoded, double x) { return runDecodedProgram(decoded, x); }

}  // namespace numerelle::expr
