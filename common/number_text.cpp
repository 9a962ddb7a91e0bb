#include "common/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace numerelle {

namespace {

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

int digitValue(char c, int base) {
    int v = base;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    return v < base ? v : -1;
}

// Whether an out-of-range number text [first, last) is too large rather
// than too small: the order of its first significant digit plus its exponent
// is positive. Hexadecimal orders count in bits.
bool overflows(const char* first, const char* last, int base) {
    long long integerDigits = 0, index = 0, significantIndex = -1;
    bool seenPoint = false;
    const char* p = first;
    for (; p != last; ++p) {
        if (*p == '.') {
            seenPoint = true;
            continue;
        }
        const int v = digitValue(*p, base);
        if (v < 0) break;
        if (!seenPoint) ++integerDigits;
        if (v != 0 && significantIndex < 0) significantIndex = index;
        ++index;
    }
    if (significantIndex < 0) return false;
    long long exponent = 0;
    if (p != last) {
        ++p;  // past the e or p
        const bool negative = *p == '-';
        if (*p == '-' || *p == '+') ++p;
        for (; p != last; ++p)
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (*p - '0');
        if (negative) exponent = -exponent;
    }
    const long long order = integerDigits - 1 - significantIndex;
    return order * (base == 16 ? 4 : 1) + exponent > 0;
}

std::string upperCased(const char* first, const char* last) {
    std::string text(first, last);
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

}  // namespace

std::string numberTextWithDigits(double value, int digits) {
    // std::to_chars ignores the locale, unlike snprintf("%G").
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    std::string text = upperCased(buffer, result.ptr);
    // %G writes at least two exponent digits: 1.5E-07, not 1.5E-7.
    const std::size_t e = text.find('E');
    if (e != std::string::npos && text.size() - e == 3) text.insert(e + 2, 1, '0');
    return text;
}

std::string numberText(double value) {
    std::string text = numberTextWithDigits(value, 15);
    // Avoid "-0": a negative zero reads as 0 everywhere else.
    if (text == "-0") return "0";
    return text;
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

double numberFromText(std::string_view text, std::size_t* used) {
    if (used) *used = 0;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin;
    while (p != end && isBlank(*p)) ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';

    int base = 10;
    auto format = std::chars_format::general;
    if (end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') &&
        (digitValue(p[2], 16) >= 0 || (p[2] == '.' && end - p > 3 && digitValue(p[3], 16) >= 0))) {
        p += 2;
        base = 16;
        format = std::chars_format::hex;
    }
    double value = 0;
    const auto [last, error] = std::from_chars(p, end, value, format);
    if (last == p) return 0;  // no number (a lone "0x" never gets here)
    if (error == std::errc::result_out_of_range)
        value = overflows(p, last, base) ? std::numeric_limits<double>::infinity() : 0.0;
    if (used) *used = static_cast<std::size_t>(last - begin);
    return negative ? -value : value;
}

}  // namespace numerelle
