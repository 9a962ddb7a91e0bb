// The keyword table and the 35 functions of the formula language.
#include <array>
#include <cstdint>
#include <random>

#include "expr/evaluation_ops.h"

namespace numerelle::expr::detail {

namespace {

struct Keyword {
    std::string_view name;
    int code;
};

// Grouped by length, longest first, so "ARCSINH(" is found before "SINH("
// and "SIN(", "SQRT(" before "SQR(".
constexpr Keyword keywords[] = {
    {"ARCSINH", 23}, {"HARCSIN", 23}, {"ARCCOSH", 24}, {"HARCCOS", 24}, {"ARCCTGH", 26}, {"HARCCTG", 26},
    {"ARCCSCH", 28}, {"HARCCSC", 28}, {"ARCSECH", 27}, {"HARCSEC", 27}, {"ARCSIN", 12},  {"ARCCOS", 13},
    {"ARCCTG", 14},  {"ARCCSC", 15},  {"ARCSEC", 16},  {"ARCTGH", 25},  {"HARCTG", 25},  {"ARCTG", 8},
    {"SINH", 17},    {"HSIN", 17},    {"COSH", 18},    {"HCOS", 18},    {"CTGH", 20},    {"HCTG", 20},
    {"CSCH", 22},    {"HCSC", 22},    {"SECH", 21},    {"HSEC", 21},    {"LOG2", 29},    {"FIX0", 31},
    {"SQRT", 33},    {"SIN", 1},      {"COS", 2},      {"FIX", 6},      {"ABS", 3},      {"CTG", 10},
    {"RND", 11},     {"TGH", 19},     {"HTG", 19},     {"INT", 30},     {"SGN", 32},     {"SQR", 33},
    {"SEC", 34},     {"CSC", 35},     {"EXP", 5},      {"LN", 4},       {"LG", 9},       {"TG", 7},
    {"SH", 17},      {"CH", 18},      {"S", 1},        {"C", 2},        {"|", 3},        {"L", 4},
    {"E", 5},        {"F", 6},        {"T", 7},        {"A", 8},
};

bool sameUpper(std::string_view text, std::string_view name) {
    for (std::size_t k = 0; k < name.size(); ++k) {
        char c = text[k];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != name[k]) return false;
    }
    return true;
}

Failure reciprocal(double& v) {
    if (v == 0) return Failure::DivisionByZero;
    v = 1 / v;
    return finiteOr(v, Failure::Overflow);
}

Failure arcsine(double& v) {
    if (v < -1 || v > 1) return Failure::InvalidArgument;
    v = std::asin(v);
    return Failure::None;
}

Failure arccosine(double& v) {
    if (v < -1 || v > 1) return Failure::InvalidArgument;
    v = std::acos(v);
    return Failure::None;
}

// ln(sqrt((1 + v) / (1 - v))): 1 divides by zero, -1 and |v| > 1 have no
// real value.
Failure areaTangent(double& v) {
    if (v == 1) return Failure::DivisionByZero;
    if (v <= -1 || v > 1) return Failure::InvalidArgument;
    v = std::atanh(v);
    return Failure::None;
}

Failure areaCosine(double& v) {
    if (v < 1) return Failure::InvalidArgument;
    v = std::acosh(v);
    return Failure::None;
}

// 1 / f where f may be exactly zero.
Failure inverseOf(double f, double& v) {
    if (f == 0) return Failure::DivisionByZero;
    v = 1 / f;
    return finiteOr(v, Failure::Overflow);
}

}  // namespace

int functionCodeBefore(std::string_view text, std::size_t end, std::size_t& length) {
    for (const Keyword& keyword : keywords) {
        if (keyword.name.size() > end) continue;
        if (sameUpper(text.substr(end - keyword.name.size()), keyword.name)) {
            length = keyword.name.size();
            return keyword.code;
        }
    }
    length = 0;
    return 0;
}

// The generator of RND is never seeded by the program, so every run of the
// program draws the same sequence. It is the one piece of state the
// evaluator keeps between runs, and it is kept per thread so that formulas
// evaluated on worker threads never race.
double nextRandomFraction() {
    thread_local std::mt19937_64 generator;
    return static_cast<double>(generator() >> 11) * 0x1.0p-53;
}

Failure applyFunction(int code, double& v) {
    switch (code) {
        case 1:
            v = std::sin(v);
            return Failure::None;
        case 2:
            v = std::cos(v);
            return Failure::None;
        case 3:
            v = std::fabs(v);
            return Failure::None;
        case 4:
            if (v <= 0) return Failure::InvalidArgument;
            v = std::log(v);
            return Failure::None;
        case 5:
            v = std::exp(v);
            return finiteOr(v, Failure::Overflow);
        case 6:
        case 31:
            v = std::trunc(v);
            return Failure::None;
        case 7:
            v = std::tan(v);
            return finiteOr(v, Failure::Overflow);
        case 8:
            v = std::atan(v);
            return Failure::None;
        case 9:
            if (v <= 0) return Failure::InvalidArgument;
            v = std::log10(v);
            return Failure::None;
        case 10:
            return inverseOf(std::tan(v), v);
        case 11:
            v *= nextRandomFraction();
            return Failure::None;
        case 12:
            return arcsine(v);
        case 13:
            return arccosine(v);
        case 14: {
            const Failure f = reciprocal(v);
            if (f != Failure::None) return f;
            v = std::atan(v);
            return Failure::None;
        }
        case 15: {
            const Failure f = reciprocal(v);
            return f != Failure::None ? f : arcsine(v);
        }
        case 16: {
            const Failure f = reciprocal(v);
            return f != Failure::None ? f : arccosine(v);
        }
        case 17:
            v = std::sinh(v);
            return finiteOr(v, Failure::Overflow);
        case 18:
            v = std::cosh(v);
            return finiteOr(v, Failure::Overflow);
        case 19:
            v = std::tanh(v);
            return Failure::None;
        case 20:
            return inverseOf(std::tanh(v), v);
        case 21:
            v = 1 / std::cosh(v);
            return Failure::None;  // cosh >= 1; beyond its range sech is 0
        case 22: {
            const double s = std::sinh(v);
            if (s == 0) return Failure::DivisionByZero;
            v = std::isfinite(s) ? 1 / s : 0.0;  // csch of a huge argument underflows to 0
            return finiteOr(v, Failure::Overflow);
        }
        case 23:
            v = std::asinh(v);
            return Failure::None;
        case 24:
            return areaCosine(v);
        case 25:
            return areaTangent(v);
        case 26: {
            const Failure f = reciprocal(v);
            return f != Failure::None ? f : areaTangent(v);
        }
        case 27: {
            const Failure f = reciprocal(v);
            return f != Failure::None ? f : areaCosine(v);
        }
        case 28: {
            const Failure f = reciprocal(v);
            if (f != Failure::None) return f;
            v = std::asinh(v);
            return Failure::None;
        }
        case 29:
            if (v <= 0) return Failure::InvalidArgument;
            v = std::log2(v);
            return Failure::None;
        case 30:
            v = std::floor(v);
            return Failure::None;
        case 32:
            v = v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0);
            return Failure::None;
        case 33:
            if (v < 0) return Failure::InvalidArgument;
            v = std::sqrt(v);
            return Failure::None;
        case 34:
            return inverseOf(std::cos(v), v);
        case 35:
            return inverseOf(std::sin(v), v);
        default:
            return Failure::Malformed;
    }
}

}  // namespace numerelle::expr::detail
