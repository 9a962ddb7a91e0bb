#pragma once
// Arithmetic shared by the text interpreter and the decoded-program runners,
// so that both give bit-identical values and the same failure kinds.
#include <cmath>
#include <string_view>

#include "expr/jxjs.h"

namespace numerelle::expr::detail {

inline constexpr int functionCount = 35;

// The function code of the keyword ending just before position `end`
// (compared upper-cased, longest names first) and its length; 0 if none.
int functionCodeBefore(std::string_view text, std::size_t end, std::size_t& length);

// v := F_code(v). v is finite on entry; on success it is finite again.
Failure applyFunction(int code, double& v);

// The next number of the fixed-seed generator, uniform in [0, 1).
double nextRandomFraction();

inline Failure finiteOr(double v, Failure failure) {
    return std::isfinite(v) ? Failure::None : failure;
}

// a := a ^ b. A negative base with a fractional exponent has no real value;
// 0 to a negative power divides by zero. Small whole exponents are plain
// products (x^2 is what formulas use most), the rest goes to std::pow.
inline Failure power(double& a, double b) {
    if (b == 2) {
        a = a * a;
    } else if (b == 3) {
        a = a * a * a;
    } else if (b == 4) {
        a = a * a;
        a = a * a;
    } else {
        if (a < 0 && b != std::trunc(b)) return Failure::InvalidArgument;
        if (a == 0 && b < 0) return Failure::DivisionByZero;
        a = std::pow(a, b);
    }
    return finiteOr(a, Failure::Overflow);
}

inline Failure divide(double& a, double b) {
    if (b == 0) return Failure::DivisionByZero;
    a /= b;
    return finiteOr(a, Failure::Overflow);
}

// An "s" (inverse = false) or "S" (inverse = true) step at the given level.
inline Failure applyStep(int level, bool inverse, double& a, double b) {
    switch (level) {
        case 1:
            a = inverse ? a - b : a + b;
            return finiteOr(a, Failure::Overflow);
        case 2:
            if (inverse) return divide(a, b);
            a *= b;
            return finiteOr(a, Failure::Overflow);
        case 3:
            if (inverse) return Failure::Malformed;
            return power(a, b);
        default:
            return Failure::Malformed;
    }
}

// A level or a step is well formed when it names levels 1 to 3 and "S" is
// not used at the power level.
inline bool stepIsWellFormed(int level, bool inverse) {
    return level >= 1 && level <= 3 && !(inverse && level == 3);
}

// A slot number read from a program: a whole number within 0..last.
inline bool slotIndex(double number, int last, int& index) {
    if (!(number >= 0 && number <= last) || number != std::trunc(number)) return false;
    index = static_cast<int>(number);
    return true;
}

// The result slot of a program: a whole number within 0..maxSlots - 1.
inline bool resultSlotIndex(double number, int& index) {
    return slotIndex(number, maxSlots - 1, index);
}

}  // namespace numerelle::expr::detail
