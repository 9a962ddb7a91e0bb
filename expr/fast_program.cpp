// Decoded rows translated into three-address instructions over one register
// file: register 0 is x, registers 1..N the slots. Literal numbers sit in the
// instructions themselves. "Load into the current slot, then apply steps to
// it" becomes "slot := operand OP operand", so a load costs nothing unless
// its slot is read without any step applied to it.
#include "expr/fast_program.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "expr/evaluation_ops.h"

namespace numerelle::expr {

namespace {

// R: a register, K: the instruction's number.
enum class Op : std::uint8_t {
    Fail,  // a = failure kind
    Move, MoveK,
    AddRR, AddRK, SubRR, SubRK, SubKR, MulRR, MulRK,
    DivRR, DivRK, DivKR, PowRR, PowRK, PowKR,
    Square, Sin, Cos, Exp, Ln, Sqrt, Abs,
    Function,  // b = function code
    Return, ReturnK,
};

struct Instruction {
    Op op;
    std::uint32_t d, a, b;
    double k;
};

bool readsA(Op op) {
    switch (op) {
        case Op::Fail: case Op::MoveK: case Op::SubKR: case Op::DivKR: case Op::PowKR: case Op::ReturnK:
            return false;
        default:
            return true;
    }
}

bool readsB(Op op) {
    switch (op) {
        case Op::AddRR: case Op::SubRR: case Op::MulRR: case Op::DivRR: case Op::PowRR:
        case Op::SubKR: case Op::DivKR: case Op::PowKR:
            return true;
        default:
            return false;
    }
}

constexpr std::uint32_t stackRegisters = 64;

// Where a value is: a register, or a number known when translating.
struct Operand {
    bool isNumber = false;
    std::uint32_t reg = 0;
    double number = 0;
};

}  // namespace

struct FastProgram {
    std::vector<Instruction> code;
    std::uint32_t registerCount = 1;
    bool zeroSlots = false;  // some slot is read before anything is written to it
};

namespace detail {

namespace {

class Translator {
public:
    explicit Translator(int resultSlot)
        : last_(static_cast<std::uint32_t>(resultSlot)), written_(last_ + 1, 0) {
        written_[0] = 1;
    }

    // False once the program has ended in a failure.
    bool add(const DecodedRow& row) {
        int k = 0, j = 0;
        const int last = static_cast<int>(last_);
        if (row.kind == 1 || row.kind == 1.5) {
            if (!slotIndex(row.a, last, k)) return fail(Failure::MalformedProgram);
            Operand source;
            if (row.kind == 1.5) {
                if (!slotIndex(row.b, last, j)) return fail(Failure::MalformedProgram);
                source = read(static_cast<std::uint32_t>(j));
            } else {
                if (!std::isfinite(row.b)) return fail(Failure::Overflow);
                source = {true, 0, row.b};
            }
            settle();
            current_ = static_cast<std::uint32_t>(k);
            alias_ = source;
            pending_ = true;
            return true;
        }
        if (row.kind == 2) {
            if (!(row.a == 1 || row.a == 2 || row.a == 3)) return fail(Failure::MalformedProgram);
            level_ = static_cast<int>(row.a);
            return true;
        }
        if (row.kind == 3 || row.kind == 4) {
            const bool inverse = row.kind == 4;
            if (!stepIsWellFormed(level_, inverse)) return fail(Failure::MalformedProgram);
            Operand operand;
            if (row.a == 1) {
                if (!slotIndex(row.b, last, j)) return fail(Failure::MalformedProgram);
                operand = read(static_cast<std::uint32_t>(j));
            } else if (row.a == 0) {
                if (!std::isfinite(row.b)) return fail(Failure::Overflow);
                if (level_ == 3 && row.b == 2) return unary(Op::Square, 0);
                operand = {true, 0, row.b};
            } else {
                return fail(Failure::MalformedProgram);
            }
            binary(level_, inverse, currentValue(), operand);
            return true;
        }
        if (row.kind == 5) {
            if (!(row.a >= 1 && row.a <= functionCount) || row.a != std::trunc(row.a))
                return fail(Failure::MalformedProgram);
            const int function = static_cast<int>(row.a);
            switch (function) {
                case 1: return unary(Op::Sin, 0);
                case 2: return unary(Op::Cos, 0);
                case 3: return unary(Op::Abs, 0);
                case 4: return unary(Op::Ln, 0);
                case 5: return unary(Op::Exp, 0);
                case 33: return unary(Op::Sqrt, 0);
                default: return unary(Op::Function, static_cast<std::uint32_t>(function));
            }
        }
        return fail(Failure::MalformedProgram);
    }

    FastProgram finish(bool failed) {
        if (!failed) {
            const Operand result = (current_ == last_ && pending_) ? alias_ : read(last_);
            if (result.isNumber)
                code_.push_back({Op::ReturnK, 0, 0, 0, result.number});
            else
                code_.push_back({Op::Return, 0, result.reg, 0, 0});
        }
        dropDeadMoves();
        FastProgram fast;
        fast.code = std::move(code_);
        fast.registerCount = last_ + 1;
        fast.zeroSlots = zeroSlots_;
        return fast;
    }

    bool fail(Failure failure) {
        code_.push_back({Op::Fail, 0, static_cast<std::uint32_t>(failure), 0, 0});
        return false;
    }

private:
    void emit(Instruction instruction) {
        code_.push_back(instruction);
        written_[instruction.d] = 1;
        pending_ = false;
    }

    // current := F(current); a number is first put in the slot.
    bool unary(Op op, std::uint32_t b) {
        const Operand source = currentValue();
        std::uint32_t from = source.reg;
        if (source.isNumber) {
            emit({Op::MoveK, current_, 0, 0, source.number});
            from = current_;
        }
        emit({op, current_, from, b, 0});
        return true;
    }

    void binary(int level, bool inverse, Operand a, Operand b) {
        // Addition and multiplication are exactly commutative in floating
        // point, so a number on the left moves to the right.
        const bool commutes = !inverse && level != 3;
        if (a.isNumber && (commutes || b.isNumber)) {
            if (commutes && !b.isNumber) {
                std::swap(a, b);
            } else {
                emit({Op::MoveK, current_, 0, 0, a.number});
                a = {false, current_, 0};
            }
        }
        static constexpr Op rr[] = {Op::AddRR, Op::SubRR, Op::MulRR, Op::DivRR, Op::PowRR};
        static constexpr Op rk[] = {Op::AddRK, Op::SubRK, Op::MulRK, Op::DivRK, Op::PowRK};
        static constexpr Op kr[] = {Op::AddRR, Op::SubKR, Op::MulRR, Op::DivKR, Op::PowKR};
        const int index = (level - 1) * 2 + (inverse ? 1 : 0);
        if (a.isNumber)
            emit({kr[index], current_, 0, b.reg, a.number});
        else if (b.isNumber)
            emit({rk[index], current_, a.reg, 0, b.number});
        else
            emit({rr[index], current_, a.reg, b.reg, 0});
    }

    Operand currentValue() const { return pending_ ? alias_ : Operand{false, current_, 0}; }

    // Slot j's value at this point.
    Operand read(std::uint32_t j) {
        if (j == current_ && pending_) return alias_;
        if (!written_[j]) zeroSlots_ = true;
        return {false, j, 0};
    }

    // A load whose slot got no step still has to land in its slot, in case
    // it is read later; unread copies are dropped at the end.
    void settle() {
        if (!pending_) return;
        if (alias_.isNumber)
            emit({Op::MoveK, current_, 0, 0, alias_.number});
        else
            emit({Op::Move, current_, alias_.reg, 0, 0});
    }

    void dropDeadMoves() {
        std::vector<char> needed(last_ + 1, 0);
        std::vector<Instruction> kept;
        kept.reserve(code_.size());
        for (auto it = code_.rbegin(); it != code_.rend(); ++it) {
            const Instruction& in = *it;
            const bool writes = in.op != Op::Fail && in.op != Op::Return && in.op != Op::ReturnK;
            if (writes) {
                if ((in.op == Op::Move || in.op == Op::MoveK) && !needed[in.d]) continue;
                needed[in.d] = 0;
            }
            if (readsA(in.op)) needed[in.a] = 1;
            if (readsB(in.op)) needed[in.b] = 1;
            kept.push_back(in);
        }
        std::reverse(kept.begin(), kept.end());
        code_ = std::move(kept);
    }

    std::uint32_t last_;
    std::vector<char> written_;
    std::vector<Instruction> code_;
    std::uint32_t current_ = 0;
    Operand alias_;
    bool pending_ = false;  // the current slot's value is still in alias_
    int level_ = 0;
    bool zeroSlots_ = false;
};

Evaluation failedWith(Failure failure) { return {0, failure}; }

}  // namespace

std::shared_ptr<const FastProgram> translateRows(const DecodedProgram& decoded) {
    if (decoded.rows.empty() || decoded.resultSlot < 0 || decoded.resultSlot >= maxSlots) return nullptr;
    Translator translator(decoded.resultSlot);
    bool failed = false;
    for (std::size_t r = 1; r < decoded.rows.size() && !failed; ++r) failed = !translator.add(decoded.rows[r]);
    return std::make_shared<const FastProgram>(translator.finish(failed));
}

#define NUMERELLE_CHECKED(expression)                                              \
    do {                                                                           \
        const Failure failure_ = (expression);                                     \
        if (failure_ != Failure::None) [[unlikely]] return failedWith(failure_);   \
    } while (false)

#define NUMERELLE_FINITE(value) NUMERELLE_CHECKED(finiteOr((value), Failure::Overflow))

Evaluation runFast(const FastProgram& program, double x) {
    double local[stackRegisters];
    double* r = local;
    if (program.registerCount > stackRegisters) [[unlikely]] {
        thread_local std::vector<double> large;
        if (large.size() < program.registerCount) large.resize(program.registerCount);
        r = large.data();
    }
    if (program.zeroSlots) [[unlikely]] std::fill(r, r + program.registerCount, 0.0);
    r[0] = x;
    const Instruction* in = program.code.data();
    double v = 0;

#if defined(__GNUC__)
    // Threaded dispatch: every handler jumps to the next one itself, which
    // the branch predictor follows far better than one shared switch.
    static constexpr void* handlers[] = {
        &&Fail, &&Move, &&MoveK, &&AddRR, &&AddRK, &&SubRR, &&SubRK, &&SubKR, &&MulRR, &&MulRK,
        &&DivRR, &&DivRK, &&DivKR, &&PowRR, &&PowRK, &&PowKR, &&Square, &&Sin, &&Cos, &&Exp, &&Ln,
        &&Sqrt, &&Abs, &&Function, &&Return, &&ReturnK,
    };
    static_assert(std::size(handlers) == static_cast<std::size_t>(Op::ReturnK) + 1);
#define NUMERELLE_CASE(name) name:
#define NUMERELLE_NEXT goto *handlers[static_cast<std::size_t>((++in)->op)]
#define NUMERELLE_STORE_CHECKED                 \
    NUMERELLE_FINITE(v);                        \
    r[in->d] = v;                               \
    NUMERELLE_NEXT
    goto *handlers[static_cast<std::size_t>(in->op)];
#else
#define NUMERELLE_CASE(name) case Op::name:
#define NUMERELLE_NEXT \
    ++in;              \
    continue
#define NUMERELLE_STORE_CHECKED \
    NUMERELLE_FINITE(v);        \
    r[in->d] = v;               \
    NUMERELLE_NEXT
    for (;;) switch (in->op) {
#endif
    NUMERELLE_CASE(Fail) return failedWith(static_cast<Failure>(in->a));
    NUMERELLE_CASE(Move) r[in->d] = r[in->a]; NUMERELLE_NEXT;
    NUMERELLE_CASE(MoveK) r[in->d] = in->k; NUMERELLE_NEXT;
    NUMERELLE_CASE(AddRR) v = r[in->a] + r[in->b]; NUMERELLE_STORE_CHECKED;
    NUMERELLE_CASE(AddRK) v = r[in->a] + in->k; NUMERELLE_STORE_CHECKED;
    NUMERELLE_CASE(SubRR) v = r[in->a] - r[in->b]; NUMERELLE_STORE_CHECKED;
    NUMERELLE_CASE(SubRK) v = r[in->a] - in->k; NUMERELLE_STORE_CHECKED;
    NUMERELLE_CASE(SubKR) v = in->k - r[in->b]; NUMERELLE_STORE_CHECKED;
    NUMERELLE_CASE(MulRR) v = r[in->a] * r[in->b]; NUMERELLE_STORE_CHECKED;
    NUMERELLE_CASE(MulRK) v = r[in->a] * in->k; NUMERELLE_STORE_CHECKED;
    NUMERELLE_CASE(DivRR) v = r[in->a]; NUMERELLE_CHECKED(divide(v, r[in->b])); r[in->d] = v; NUMERELLE_NEXT;
    NUMERELLE_CASE(DivRK) v = r[in->a]; NUMERELLE_CHECKED(divide(v, in->k)); r[in->d] = v; NUMERELLE_NEXT;
    NUMERELLE_CASE(DivKR) v = in->k; NUMERELLE_CHECKED(divide(v, r[in->b])); r[in->d] = v; NUMERELLE_NEXT;
    NUMERELLE_CASE(PowRR) v = r[in->a]; NUMERELLE_CHECKED(power(v, r[in->b])); r[in->d] = v; NUMERELLE_NEXT;
    NUMERELLE_CASE(PowRK) v = r[in->a]; NUMERELLE_CHECKED(power(v, in->k)); r[in->d] = v; NUMERELLE_NEXT;
    NUMERELLE_CASE(PowKR) v = in->k; NUMERELLE_CHECKED(power(v, r[in->b])); r[in->d] = v; NUMERELLE_NEXT;
    NUMERELLE_CASE(Square) v = r[in->a] * r[in->a]; NUMERELLE_STORE_CHECKED;
    NUMERELLE_CASE(Sin) r[in->d] = std::sin(r[in->a]); NUMERELLE_NEXT;
    NUMERELLE_CASE(Cos) r[in->d] = std::cos(r[in->a]); NUMERELLE_NEXT;
    NUMERELLE_CASE(Exp) v = std::exp(r[in->a]); NUMERELLE_STORE_CHECKED;
    NUMERELLE_CASE(Ln)
        if (r[in->a] <= 0) [[unlikely]] return failedWith(Failure::InvalidArgument);
        r[in->d] = std::log(r[in->a]);
        NUMERELLE_NEXT;
    NUMERELLE_CASE(Sqrt)
        if (r[in->a] < 0) [[unlikely]] return failedWith(Failure::InvalidArgument);
        r[in->d] = std::sqrt(r[in->a]);
        NUMERELLE_NEXT;
    NUMERELLE_CASE(Abs) r[in->d] = std::fabs(r[in->a]); NUMERELLE_NEXT;
    NUMERELLE_CASE(Function)
        v = r[in->a];
        NUMERELLE_CHECKED(applyFunction(static_cast<int>(in->b), v));
        r[in->d] = v;
        NUMERELLE_NEXT;
    NUMERELLE_CASE(Return) return {r[in->a], Failure::None};
    NUMERELLE_CASE(ReturnK) return {in->k, Failure::None};
#if !defined(__GNUC__)
    }
#endif
#undef NUMERELLE_CASE
#undef NUMERELLE_NEXT
#undef NUMERELLE_STORE_CHECKED
}

#undef NUMERELLE_FINITE
#undef NUMERELLE_CHECKED

}  // namespace detail

Evaluation runDecodedProgram(const DecodedProgram& decoded, double x) {
    if (decoded.bracketsMismatched) return detail::failedWith(Failure::Brackets);
    if (!std::isfinite(x)) return detail::failedWith(Failure::Overflow);
    if (decoded.fast) return detail::runFast(*decoded.fast, x);
    return detail::runRows(decoded, x);
}

Evaluation evaluateFormulaAt(const DecodedProgram& decoded, double x) { return runDecodedProgram(decoded, x); }

}  // namespace numerelle::expr
