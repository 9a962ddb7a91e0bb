#pragma once
// How doubles are written into boxes and read back from them, the same under
// every locale of the host process.
#include <cstddef>
#include <string>
#include <string_view>

namespace numerelle {

// "%.15G" in the C locale: 0.5, -0.5, 12, 1E+16, 1.5E-07.
std::string numberText(double value);

// Number text with a leading blank for non-negatives and no 0 before the
// point: " 12", " .5", "-.5".
std::string signedNumberText(double value);

// Signed number text without its leading blank (".5", "-.5", "12"): the
// form in which literals are written into a formula program.
std::string programNumberText(double value);

// `value` with `digits` significant digits, "%.*G" in the C locale.
std::string numberTextWithDigits(double value, int digits);

// Reads the longest number at the start of `text` as the C library's strtod
// does in the C locale: leading white space, a sign, decimal or 0x
// hexadecimal digits with a point, an exponent, INF and NAN; too large gives
// an infinity, too small a zero. `used` receives the characters read (0 when
// there is no number, and the value is then 0).
double numberFromText(std::string_view text, std::size_t* used = nullptr);

}  // namespace numerelle
