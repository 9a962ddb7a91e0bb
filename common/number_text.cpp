#include "common/number_text.h"

#include <cstdio>
#include <cstring>

namespace numerelle {

std::string numberText(double value) {
    // snprintf with %G follows LC_NUMERIC; the program never changes it from "C",
    // and Qt sets only LC_ALL's non-numeric parts, so the point stays a point.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    // Avoid "-0": a negative zero reads as 0 everywhere else.
    if (std::strcmp(buffer, "-0") == 0) return "0";
    return buffer;
}

std::string programNumberText(double value) {
    std::string text = numberText(value);
    if (text.rfind("0.", 0) == 0) return text.substr(1);
    if (text.rfind("-0.", 0) == 0) return text.erase(1, 1);
    return text;
}

std::string signedNumberText(double value) {
    std::string text = programNumberText(value);
    if (text[0] == '-') return text;
    text.insert(text.begin(), ' ');
    return text;
}

}  // namespace numerelle
