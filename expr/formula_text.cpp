// Text helpers of the formula language: blanks, case-blind replacement, the
// bracket count, normalisation, number reading and program number text.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "common/number_text.h"
#include "expr/jxjs.h"

namespace numerelle::expr {

namespace {

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int digitValue(char c) {
    if (isDigit(c)) return c - '0';
    const char u = upper(c);
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return 99;
}

// "&H1F" / "&O17": a whole number in base 16 or 8.
double radixNumber(std::string_view digits, int radix) {
    double value = 0;
    for (char c : digits) {
        const int d = digitValue(c);
        if (d >= radix) break;
        value = value * radix + d;
    }
    return value;
}

}  // namespace

std::string removeSpaces(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

// Scans left to right; after a replacement the scan resumes at the second
// character of the replacement, so a match may join the end of a replacement
// to the text after it. A match lying wholly inside replacement text is left
// alone: replacing it would repeat for ever.
std::string replaceText(std::string_view text, std::string_view find, std::string_view replacement) {
    if (find.empty()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::string_view pending;  // what is left of the last replacement
    std::size_t pos = 0;       // next unread character of text
    auto charAt = [&](std::size_t k) { return k < pending.size() ? pending[k] : text[pos + k - pending.size()]; };
    while (!pending.empty() || pos < text.size()) {
        const std::size_t remaining = pending.size() + (text.size() - pos);
        bool match = remaining >= find.size() && find.size() > pending.size();
        for (std::size_t k = 0; match && k < find.size(); ++k) match = upper(charAt(k)) == upper(find[k]);
        if (match) {
            pos += find.size() - pending.size();
            if (replacement.empty()) {
                pending = {};
                continue;
            }
            out += replacement[0];
            pending = replacement.substr(1);
            continue;
        }
        out += charAt(0);
        if (!pending.empty()) pending.remove_prefix(1);
        else ++pos;
    }
    return out;
}

bool checkBrackets(std::string_view text) {
    return std::count(text.begin(), text.end(), '(') == std::count(text.begin(), text.end(), ')');
}

std::string normaliseFormula(std::string_view text) {
    std::string out = removeSpaces(replaceText(text, "PI", "3.14159265358979"));
    if (!out.empty() && (out[0] == '-' || out[0] == '+')) out.insert(out.begin(), '0');
    return out;
}

double leadingNumber(std::string_view text) {
    if (text.size() >= 2 && text[0] == '&') {
        if (upper(text[1]) == 'H') return radixNumber(text.substr(2), 16);
        if (upper(text[1]) == 'O') return radixNumber(text.substr(2), 8);
        return 0;
    }
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    // Mantissa: digits with at most one point.
    std::string buffer;
    std::size_t digits = 0;
    long long order = 0;  // decimal order of the first significant digit
    bool seenSignificant = false, seenPoint = false;
    long long integerDigits = 0, leadingFractionZeros = 0;
    for (; i < n; ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            ++digits;
            if (!seenPoint) {
                if (c != '0' || seenSignificant) ++integerDigits;
            } else if (!seenSignificant && c == '0') {
                ++leadingFractionZeros;
            }
            if (c != '0') seenSignificant = true;
            buffer += c;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            buffer += c;
        } else {
            break;
        }
    }
    if (digits == 0) return 0;

    // Exponent: E, e, D or d, an optional sign and at least one digit.
    long long exponent = 0;
    if (i < n && (upper(text[i]) == 'E' || upper(text[i]) == 'D')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) expNegative = text[j++] == '-';
        if (j < n && isDigit(text[j])) {
            buffer += 'e';
            if (expNegative) buffer += '-';
            for (; j < n && isDigit(text[j]); ++j) {
                buffer += text[j];
                if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[j] - '0');
            }
            if (expNegative) exponent = -exponent;
        }
    }
    if (!seenSignificant) return negative ? -0.0 : 0.0;

    double value = 0;
    const auto [end, error] = std::from_chars(buffer.data(), buffer.data() + buffer.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        order = exponent + (integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1));
        value = order > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        value = 0;
    }
    return negative ? -value : value;
}

std::string numberToProgramText(double value) {
    if (!std::isfinite(value)) return value < 0 ? "-1E+999" : "1E+999";
    return programNumberText(value);
}

std::string substituteVariable(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool lone = (c == 'x' || c == 'X') && (i == 0 || !isLetter(text[i - 1])) &&
                          (i + 1 == text.size() || !isLetter(text[i + 1]));
        if (!lone) {
            out += c;
            continue;
        }
        out += 'x';
        // x followed by digits names a slot already; a lone x is slot 0.
        if (i + 1 == text.size() || !isDigit(text[i + 1])) out += '0';
    }
    return out;
}

}  // namespace numerelle::expr
