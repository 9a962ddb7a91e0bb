#pragma once
// Exact arithmetic on natural numbers given and returned as decimal digit
// strings: digits only, no sign, no point, no leading zeros ("0" for zero).
// Inputs that break that form are the caller's fault; the decimal-string
// layer (longjs.h) checks and normalises user text before calling here.
//
// Long operations poll the WorkControl and return std::nullopt when cancelled.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/work_control.h"

namespace numerelle::bignum {

int naturalCompare(std::string_view a, std::string_view b);  // -1, 0, 1
std::string naturalAdd(std::string_view a, std::string_view b);
std::string naturalSubtract(std::string_view a, std::string_view b);  // requires a >= b
std::optional<std::string> naturalMultiply(std::string_view a, std::string_view b, WorkControl& control);
std::string naturalMultiplySmall(std::string_view a, std::uint64_t factor);
// Quotient and remainder by a small divisor (divisor > 0).
std::string naturalDivideSmall(std::string_view a, std::uint64_t divisor, std::uint64_t* remainder = nullptr);
std::uint64_t naturalModSmall(std::string_view a, std::uint64_t divisor);

std::optional<std::string> naturalFactorial(std::uint32_t n, WorkControl& control);
std::optional<std::string> naturalPower(std::string_view base, std::uint64_t exponent, WorkControl& control);
// n · (n − 1) · … · (n − m + 1); 1 for m = 0; 0 when m > n.
std::optional<std::string> naturalFallingFactorial(std::string_view n, std::uint32_t m, WorkControl& control);
// C(n, m); 0 when m > n.
std::optional<std::string> naturalBinomial(std::string_view n, std::uint32_t m, WorkControl& control);

}  // namespace numerelle::bignum
