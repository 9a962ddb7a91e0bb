#pragma once
// Numbers with sign and fraction between bases 2 to 36, through a double;
// digits 0-9 then A-Z. The whole part of a number written in a base other
// than 10 must fit a signed 32-bit integer.
#include <string>
#include <string_view>

#include "expr/jxjs.h"

namespace numerelle::numtools {

inline constexpr int kSmallestBase = 2;
inline constexpr int kLargestBase = 36;

// The value of a digit character: code - 48 below ":" and code - 55 from
// there on, after upper-casing. Characters are not checked against the base.
int baseDigitValue(char ch);

// Text in base `base` to a double: whole digits weighted by powers of the
// base, then fractional digits after the first ".", one addition each, left
// to right; a leading "-" makes it negative. Overflow when the value is not
// finite (a very long input).
expr::Evaluation parseInBase(std::string_view text, int base);

struct BaseText {
    std::string text;
    FailureKind failure = FailureKind::None;
    bool ok() const { return failure == FailureKind::None; }
};

// A double written in base `base`: at least one whole digit, then at most
// 160 / base fractional digits (fewer when the fraction runs out), "-" in
// front of negatives. Fails with an empty text when the whole part does not
// fit 32 bits (Overflow), for base 0 (DivisionByZero) and for any other base
// outside 2..36 (InvalidArgument).
BaseText formatInBase(double value, int base);

// The whole conversion of the base page: the input upper-cased, read as its
// leading decimal number when `fromBase` is 10 and by parseInBase otherwise,
// then written as signed number text when `toBase` is 10 (" 255", "-.5") and
// by formatInBase otherwise.
BaseText convertNumberBase(std::string_view input, int fromBase, int toBase);

// The base chosen in the custom-base box: integer part of the absolute value,
// clamped to 2..36 (40 -> 36, 1 -> 2, -5 -> 5, 12.7 -> 12).
int customBase(double answer);

// Whether a typed character may enter the value box while the input base is
// `fromBase`: "-" always, the letters of the base's digits in either case,
// backspace, "." and the decimal digits (whatever the base); "/" never.
bool baseKeyAccepted(char32_t key, int fromBase);

}  // namespace numerelle::numtools
