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

// R: a register, K: the instruction's number, A: the value the previous
// instruction wrote, still in a CPU register (saves a store-to-load trip on
// chains such as a-b+c-d).
#define NUMERELLE_BINARY_OPS(X, name) X(name##RR) X(name##RK) X(name##KR) X(name##AR) X(name##AK)
#define NUMERELLE_UNARY_OPS(X, name) X(name) X(name##A)
#define NUMERELLE_FAST_OPS(X)                                                                                 \
    X(Fail)                                                                                                   \
    X(Move) X(MoveK) NUMERELLE_BINARY_OPS(X, Add) NUMERELLE_BINARY_OPS(X, Sub) NUMERELLE_BINARY_OPS(X, Mul)   \
        NUMERELLE_BINARY_OPS(X, Div) NUMERELLE_BINARY_OPS(X, Pow) NUMERELLE_UNARY_OPS(X, Square)              \
            NUMERELLE_UNARY_OPS(X, Cube) NUMERELLE_UNARY_OPS(X, Fourth) NUMERELLE_UNARY_OPS(X, Sin)           \
                NUMERELLE_UNARY_OPS(X, Cos) NUMERELLE_UNARY_OPS(X, Exp) NUMERELLE_UNARY_OPS(X, Ln)            \
                    NUMERELLE_UNARY_OPS(X, Sqrt) NUMERELLE_UNARY_OPS(X, Abs) NUMERELLE_UNARY_OPS(X, Function) \
                        X(Return) X(ReturnA) X(ReturnK)

// Fail: a = failure kind; Function: b = function code.
enum class Op : std::uint8_t {
#define NUMERELLE_ENUMERATOR(name) name,
    NUMERELLE_FAST_OPS(NUMERELLE_ENUMERATOR)
#undef NUMERELLE_ENUMERATOR
};

struct Instruction {
    Op op;
    std::uint32_t d, a, b;
    double k;
};

// Before the accumulator pass: which operands are read from registers.
bool readsA(Op op) {
    switch (op) {
        case Op::Fail:
        case Op::MoveK:
        case Op::SubKR:
        case Op::DivKR:
        case Op::PowKR:
        case Op::ReturnK:
            return false;
        default:
            return true;
    }
}

bool readsB(Op op) {
    switch (op) {
        case Op::AddRR:
        case Op::SubRR:
        case Op::MulRR:
        case Op::DivRR:
        case Op::PowRR:
        case Op::SubKR:
        case Op::DivKR:
        case Op::PowKR:
            return true;
        default:
            return false;
    }
}

bool writes(Op op) {
    return op != Op::Fail && op != Op::Return && op != Op::ReturnA && op != Op::ReturnK;
}

// The variant that takes operand a from the previous instruction's value,
// or the instruction itself when there is none.
Op withAccumulator(Op op) {
    switch (op) {
        case Op::AddRR:
            return Op::AddAR;
        case Op::AddRK:
            return Op::AddAK;
        case Op::SubRR:
            return Op::SubAR;
        case Op::SubRK:
            return Op::SubAK;
        case Op::MulRR:
            return Op::MulAR;
        case Op::MulRK:
            return Op::MulAK;
        case Op::DivRR:
            return Op::DivAR;
        case Op::DivRK:
            return Op::DivAK;
        case Op::PowRR:
            return Op::PowAR;
        case Op::PowRK:
            return Op::PowAK;
        case Op::Square:
            return Op::SquareA;
        case Op::Cube:
            return Op::CubeA;
        case Op::Fourth:
            return Op::FourthA;
        case Op::Sin:
            return Op::SinA;
        case Op::Cos:
            return Op::CosA;
        case Op::Exp:
            return Op::ExpA;
        case Op::Ln:
            return Op::LnA;
        case Op::Sqrt:
            return Op::SqrtA;
        case Op::Abs:
            return Op::AbsA;
        case Op::Function:
            return Op::FunctionA;
        case Op::Return:
            return Op::ReturnA;
        default:
            return op;
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
    explicit Translator(int resultSlot) : last_(static_cast<std::uint32_t>(resultSlot)), written_(last_ + 1, 0) {
        written_[0] = 1;
    }

    // False once the program has ended in a failure.
    bool add(const DecodedRow& row) {
        int k = 0, j = 0;
        const int last = static_cast<int>(last_);
        if (row.kind == 1 || row.kind == 1.5) {
            if (!slotIndex(row.a, last, k)) return fail(Failure::Malformed);
            Operand source;
            if (row.kind == 1.5) {
                if (!slotIndex(row.b, last, j)) return fail(Failure::Malformed);
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
            if (!(row.a == 1 || row.a == 2 || row.a == 3)) return fail(Failure::Malformed);
            level_ = static_cast<int>(row.a);
            return true;
        }
        if (row.kind == 3 || row.kind == 4) {
            const bool inverse = row.kind == 4;
            if (!stepIsWellFormed(level_, inverse)) return fail(Failure::Malformed);
            Operand operand;
            if (row.a == 1) {
                if (!slotIndex(row.b, last, j)) return fail(Failure::Malformed);
                operand = read(static_cast<std::uint32_t>(j));
            } else if (row.a == 0) {
                if (!std::isfinite(row.b)) return fail(Failure::Overflow);
                // The products power() uses for these exponents.
                if (level_ == 3 && row.b == 2) return unary(Op::Square, 0);
                if (level_ == 3 && row.b == 3) return unary(Op::Cube, 0);
                if (level_ == 3 && row.b == 4) return unary(Op::Fourth, 0);
                operand = {true, 0, row.b};
            } else {
                return fail(Failure::Malformed);
            }
            binary(level_, inverse, currentValue(), operand);
            return true;
        }
        if (row.kind == 5) {
            if (!(row.a >= 1 && row.a <= functionCount) || row.a != std::trunc(row.a)) return fail(Failure::Malformed);
            const int function = static_cast<int>(row.a);
            switch (function) {
                case 1:
                    return unary(Op::Sin, 0);
                case 2:
                    return unary(Op::Cos, 0);
                case 3:
                    return unary(Op::Abs, 0);
                case 4:
                    return unary(Op::Ln, 0);
                case 5:
                    return unary(Op::Exp, 0);
                case 33:
                    return unary(Op::Sqrt, 0);
                default:
                    return unary(Op::Function, static_cast<std::uint32_t>(function));
            }
        }
        return fail(Failure::Malformed);
    }

    FastProgram finish(bool failed) {
        if (!failed) {
            const Operand result = (current_ == last_ && pending_) ? alias_ : read(last_);
            if (result.isNumber) code_.push_back({Op::ReturnK, 0, 0, 0, result.number});
            else code_.push_back({Op::Return, 0, result.reg, 0, 0});
        }
        dropDeadMoves();
        useAccumulator();
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
        if (a.isNumber) emit({kr[index], current_, 0, b.reg, a.number});
        else if (b.isNumber) emit({rk[index], current_, a.reg, 0, b.number});
        else emit({rr[index], current_, a.reg, b.reg, 0});
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
        if (alias_.isNumber) emit({Op::MoveK, current_, 0, 0, alias_.number});
        else emit({Op::Move, current_, alias_.reg, 0, 0});
    }

    void dropDeadMoves() {
        std::vector<char> needed(last_ + 1, 0);
        std::vector<Instruction> kept;
        kept.reserve(code_.size());
        for (auto it = code_.rbegin(); it != code_.rend(); ++it) {
            const Instruction& in = *it;
            if (writes(in.op)) {
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

    // An operand that the previous instruction has just written (x before
    // the first) is taken from the CPU register instead of memory.
    void useAccumulator() {
        std::uint32_t previous = 0;
        bool known = true;
        for (Instruction& in : code_) {
            if (known && readsA(in.op) && in.a == previous) {
                in.op = withAccumulator(in.op);
            } else if (known && (in.op == Op::AddRR || in.op == Op::MulRR) && in.b == previous) {
                std::swap(in.a, in.b);  // exactly commutative
                in.op = withAccumulator(in.op);
            }
            known = writes(in.op);
            previous = in.d;
        }
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

Evaluation failedWith(Failure failure) {
    return {0, failure};
}

}  // namespace

std::shared_ptr<const FastProgram> translateRows(const DecodedProgram& decoded) {
    if (decoded.rows.empty() || decoded.resultSlot < 0 || decoded.resultSlot >= maxSlots) return nullptr;
    Translator translator(decoded.resultSlot);
    bool failed = false;
    for (std::size_t r = 1; r < decoded.rows.size() && !failed; ++r) failed = !translator.add(decoded.rows[r]);
    return std::make_shared<const FastProgram>(translator.finish(failed));
}

// The steps, each leaving its value in v.
inline Failure add(double& v, double b) {
    v += b;
    return finiteOr(v, Failure::Overflow);
}
inline Failure subtract(double& v, double b) {
    v -= b;
    return finiteOr(v, Failure::Overflow);
}
inline Failure multiply(double& v, double b) {
    v *= b;
    return finiteOr(v, Failure::Overflow);
}
inline Failure square(double& v, std::uint32_t) {
    v *= v;
    return finiteOr(v, Failure::Overflow);
}
inline Failure cube(double& v, std::uint32_t) {
    v = v * v * v;
    return finiteOr(v, Failure::Overflow);
}
inline Failure fourth(double& v, std::uint32_t) {
    v = v * v;
    v = v * v;
    return finiteOr(v, Failure::Overflow);
}
inline Failure sine(double& v, std::uint32_t) {
    v = std::sin(v);
    return Failure::None;
}
inline Failure cosine(double& v, std::uint32_t) {
    v = std::cos(v);
    return Failure::None;
}
inline Failure exponential(double& v, std::uint32_t) {
    v = std::exp(v);
    return finiteOr(v, Failure::Overflow);
}
inline Failure absolute(double& v, std::uint32_t) {
    v = std::fabs(v);
    return Failure::None;
}
inline Failure logarithm(double& v, std::uint32_t) {
    if (v <= 0) return Failure::InvalidArgument;
    v = std::log(v);
    return Failure::None;
}
inline Failure squareRoot(double& v, std::uint32_t) {
    if (v < 0) return Failure::InvalidArgument;
    v = std::sqrt(v);
    return Failure::None;
}
// Through a copy, so that v itself never has its address taken and stays in
// a CPU register across the whole run.
inline Failure function(double& v, std::uint32_t code) {
    double value = v;
    const Failure failure = applyFunction(static_cast<int>(code), value);
    v = value;
    return failure;
}

#define NUMERELLE_CHECKED(expression)                 \
    do {                                              \
        const Failure failure_ = (expression);        \
        if (failure_ != Failure::None) [[unlikely]] { \
            failure = failure_;                       \
            goto failed;                              \
        }                                             \
    } while (false)

#if defined(__GNUC__) && !defined(__clang__)
// Merging the handlers' identical tails would leave one shared indirect jump
// for the whole program, which the branch predictor cannot follow.
__attribute__((optimize("no-crossjumping", "no-gcse")))
#endif
Evaluation
runFast(const FastProgram& program, double x) {
    double local[stackRegisters];
    double* r = local;
    if (program.registerCount > stackRegisters) [[unlikely]] {
        thread_local std::vector<double> large;
        if (large.size() < program.registerCount) large.resize(program.registerCount);
        r = large.data();
    }
    const Instruction* in = program.code.data();
    double v;  // the value the previous instruction wrote
    Failure failure = Failure::None;
    if (program.zeroSlots) [[unlikely]]
        std::fill(r, r + program.registerCount, 0.0);
    r[0] = x;
    v = x;

    // Threaded dispatch: every handler jumps to the next one itself, which
    // the branch predictor follows far better than one shared switch.
#define NUMERELLE_LABEL(name) &&name,
    static constexpr void* handlers[] = {NUMERELLE_FAST_OPS(NUMERELLE_LABEL)};
#undef NUMERELLE_LABEL
    static_assert(std::size(handlers) == static_cast<std::size_t>(Op::ReturnK) + 1);
#define NUMERELLE_CASE(name) \
    name:
#define NUMERELLE_NEXT goto* handlers[static_cast<std::size_t>((++in)->op)]
    goto* handlers[static_cast<std::size_t>(in->op)];

#define NUMERELLE_BINARY(name, step)                               \
    NUMERELLE_CASE(name##RR) v = r[in->a];                         \
    NUMERELLE_CHECKED(step(v, r[in->b]));                          \
    r[in->d] = v;                                                  \
    NUMERELLE_NEXT;                                                \
    NUMERELLE_CASE(name##RK) v = r[in->a];                         \
    NUMERELLE_CHECKED(step(v, in->k));                             \
    r[in->d] = v;                                                  \
    NUMERELLE_NEXT;                                                \
    NUMERELLE_CASE(name##KR) v = in->k;                            \
    NUMERELLE_CHECKED(step(v, r[in->b]));                          \
    r[in->d] = v;                                                  \
    NUMERELLE_NEXT;                                                \
    NUMERELLE_CASE(name##AR) NUMERELLE_CHECKED(step(v, r[in->b])); \
    r[in->d] = v;                                                  \
    NUMERELLE_NEXT;                                                \
    NUMERELLE_CASE(name##AK) NUMERELLE_CHECKED(step(v, in->k));    \
    r[in->d] = v;                                                  \
    NUMERELLE_NEXT;
#define NUMERELLE_UNARY(name, step)                            \
    NUMERELLE_CASE(name) v = r[in->a];                         \
    NUMERELLE_CHECKED(step(v, in->b));                         \
    r[in->d] = v;                                              \
    NUMERELLE_NEXT;                                            \
    NUMERELLE_CASE(name##A) NUMERELLE_CHECKED(step(v, in->b)); \
    r[in->d] = v;                                              \
    NUMERELLE_NEXT;

    NUMERELLE_CASE(Fail) failure = static_cast<Failure>(in->a);
    goto failed;
    NUMERELLE_CASE(Move) v = r[in->a];
    r[in->d] = v;
    NUMERELLE_NEXT;
    NUMERELLE_CASE(MoveK) v = in->k;
    r[in->d] = v;
    NUMERELLE_NEXT;
    NUMERELLE_BINARY(Add, add)
    NUMERELLE_BINARY(Sub, subtract)
    NUMERELLE_BINARY(Mul, multiply)
    NUMERELLE_BINARY(Div, divide)
    NUMERELLE_UNARY(Square, square)
    NUMERELLE_UNARY(Cube, cube)
    NUMERELLE_UNARY(Fourth, fourth)
    NUMERELLE_BINARY(Pow, power)
    NUMERELLE_UNARY(Sin, sine)
    NUMERELLE_UNARY(Cos, cosine)
    NUMERELLE_UNARY(Exp, exponential)
    NUMERELLE_UNARY(Ln, logarithm)
    NUMERELLE_UNARY(Sqrt, squareRoot)
    NUMERELLE_UNARY(Abs, absolute)
    NUMERELLE_UNARY(Function, function)
    NUMERELLE_CASE(Return) return {r[in->a], Failure::None};
    NUMERELLE_CASE(ReturnA) return {v, Failure::None};
    NUMERELLE_CASE(ReturnK) return {in->k, Failure::None};

failed:
    return failedWith(failure);
#undef NUMERELLE_BINARY
#undef NUMERELLE_UNARY
#undef NUMERELLE_CASE
#undef NUMERELLE_NEXT
}

#undef NUMERELLE_CHECKED

}  // namespace detail

Evaluation runDecodedProgram(const DecodedProgram& decoded, double x) {
    if (decoded.bracketsMismatched) return detail::failedWith(Failure::Brackets);
    if (!std::isfinite(x)) return detail::failedWith(Failure::Overflow);
    if (decoded.fast) return detail::runFast(*decoded.fast, x);
    // Rows made by hand: translated for this one run.
    const std::shared_ptr<const FastProgram> fast = detail::translateRows(decoded);
    if (!fast) return detail::failedWith(Failure::Malformed);
    return detail::runFast(*fast, x);
}

Evaluation evaluateFormulaAt(const DecodedProgram& decoded, double x) {
    return runDecodedProgram(decoded, x);
}

}  // namespace numerelle::expr
