#pragma once
// The prime factorisation page: exact factorisation of whole numbers up to
// 10^16 and the texts its two boxes show.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/failure.h"

namespace numerelle::numtools {

// The largest number the page factorises.
inline constexpr std::uint64_t largestFactorisable = 10'000'000'000'000'000ULL;

// Deterministic for every 64-bit n.
bool isPrime(std::uint64_t n);

// The prime factors of n in ascending order, each as often as it divides n.
// 0 and 1 give no factors.
std::vector<std::uint64_t> primeFactors(std::uint64_t n);

// The value of a text made only of decimal digits (blanks around it allowed),
// when it is at most 10^16; such a text is kept as typed so that all of its
// digits take part.
std::optional<std::uint64_t> exactWholeNumber(std::string_view text);

// A text made only of decimal digits (blanks around it allowed), of any
// length, without its blanks and leading zeros ("0" for zeros only). Such a
// text is never read through a double: one digit more than 10^16 would round
// back down to 10^16 and be factorised as that.
std::optional<std::string> typedDigits(std::string_view text);

// What leaving the number box leaves in it: a whole number typed as digits
// keeps its digits (leading zeros dropped); anything else is evaluated as a
// formula and replaced by the absolute value of the nearest whole number.
struct FactorisationInput {
    std::string text;  // the box's new text, when `failure` is None
    FailureKind failure = FailureKind::None;
};
FactorisationInput rewriteFactorisationInput(std::string_view text);

// The result line for the number box's text: "12= 2* 2* 3", one of the
// page's two messages, or "Error" and a failure description (with a beep).
struct FactorisationOutput {
    std::string text;
    bool beep = false;
    bool factorised = false;  // false for the messages and failures
};
FactorisationOutput factorisationText(std::string_view boxText);

}  // namespace numerelle::numtools
