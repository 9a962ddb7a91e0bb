#pragma once
// How doubles are written into boxes.
#include <string>

namespace numerelle {

// "%.15G" in the C locale: 0.5, -0.5, 12, 1E+16, 1.5E-07.
std::string numberText(double value);

// Number text with a leading blank for non-negatives and no 0 before the
// point: " 12", " .5", "-.5".
std::string signedNumberText(double value);

// Signed number text without its leading blank (".5", "-.5", "12"): the
// form in which literals are written into a formula program.
std::string programNumberText(double value);

}  // namespace numerelle
