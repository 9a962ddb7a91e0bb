#pragma once
// The decimal-string page actions against the schoolbook natural-number
// reference of the core tests, for the libFuzzer target and its seed corpus.
// Operands are kept short enough for the reference; the page must accept
// exactly the texts the reference accepts and show the same value in normal
// form. A disagreement prints the input and aborts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "bignum/longjs.h"
#include "tests/core/bignum/natural_reference.h"

namespace decimal_checks {

using namespace numerelle;
using namespace numerelle::bignum;

[[noreturn]] inline void fail(const char* what, std::string_view a, std::string_view b, std::string_view shown) {
    std::fprintf(stderr, "decimal page: %s\na: %.*s\nb: %.*s\nshown: %.*s\n", what, static_cast<int>(a.size()),
                 a.data(), static_cast<int>(b.size()), b.data(), static_cast<int>(shown.size()), shown.data());
    std::abort();
}

inline std::string natural(std::string_view digits) {
    return reference::print(reference::parse(digits));
}

inline bool less(const std::string& a, const std::string& b) {  // naturals without leading zeros
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

inline std::string withoutBlanks(std::string_view text) {
    std::string s(text);
    std::erase(s, ' ');
    return s;
}

// A signed decimal: digits * 10^-scale, in a unique form (no leading zeros,
// no trailing fraction zeros, zero is "0", positive, with scale 0).
struct Decimal {
    bool negative = false;
    std::string digits = "0";
    std::size_t scale = 0;
    bool operator==(const Decimal&) const = default;
};

inline Decimal canonical(Decimal d) {
    d.digits = natural(d.digits);
    while (d.scale > 0 && d.digits.size() > 1 && d.digits.back() == '0') {
        d.digits.pop_back();
        --d.scale;
    }
    if (d.digits == "0") d = Decimal{};
    return d;
}

// The box text as the page reads it: blanks dropped, digits, one point,
// a minus only in front; nothing typed reads as zero.
inline std::optional<Decimal> readBox(std::string_view text) {
    const std::string s = withoutBlanks(text);
    Decimal d{!s.empty() && s[0] == '-', "", 0};
    bool point = false;
    for (std::size_t i = d.negative ? 1 : 0; i < s.size(); ++i) {
        if (s[i] == '.' && !point) {
            point = true;
        } else if (s[i] >= '0' && s[i] <= '9') {
            d.digits.push_back(s[i]);
            if (point) ++d.scale;
        } else {
            return std::nullopt;
        }
    }
    return canonical(d);
}

// A result box: optional blanks, an optional minus and blanks, then digits
// with at most one point and at least one digit, no leading zero before a
// whole part and no zero after a fraction; a point may end the text, as in
// the page's "21." for 10.5 + 10.5. Zero has no sign.
inline std::optional<Decimal> readResult(const std::string& text) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos) return std::nullopt;
    Decimal d{text[i] == '-', "", 0};
    if (d.negative) i = text.find_first_not_of(' ', i + 1);
    if (i == std::string::npos) return std::nullopt;
    const std::string_view rest = std::string_view(text).substr(i);
    if (rest.find_first_not_of("0123456789.") != std::string_view::npos) return std::nullopt;
    const std::size_t point = rest.find('.');
    if (point != std::string_view::npos) {
        if (rest.find('.', point + 1) != std::string_view::npos || rest.back() == '0') return std::nullopt;
        d.scale = rest.size() - point - 1;
    }
    if (rest.size() > 1 && rest[0] == '0' && rest[1] != '.') return std::nullopt;
    for (char c : rest) {
        if (c != '.') d.digits.push_back(c);
    }
    if (d.digits.empty()) return std::nullopt;
    const Decimal value = canonical(d);
    if (d.negative && !value.negative) return std::nullopt;
    return value;
}

inline Decimal sum(Decimal a, Decimal b) {
    const std::size_t scale = std::max(a.scale, b.scale);
    a.digits = natural(a.digits.append(scale - a.scale, '0'));
    b.digits = natural(b.digits.append(scale - b.scale, '0'));
    if (a.negative == b.negative) return canonical({a.negative, reference::add(a.digits, b.digits), scale});
    if (less(a.digits, b.digits)) std::swap(a, b);
    return canonical({a.negative, reference::subtract(a.digits, b.digits), scale});
}

inline Decimal product(const Decimal& a, const Decimal& b) {
    return canonical({a.negative != b.negative, reference::multiply(a.digits, b.digits), a.scale + b.scale});
}

// What the page should do: show a value, show a refusal or the typed text
// in the result box, or only show messages; Skip when the reference would
// take too long.
struct Expected {
    enum Kind { Value, FailureText, Text, MessagesOnly, Skip } kind = Skip;
    Decimal value;
    std::string text;
};

inline Expected value(Decimal d) {
    return {Expected::Value, canonical(std::move(d)), {}};
}
inline Expected shownText(Expected::Kind kind, std::string text) {
    return {kind, {}, std::move(text)};
}
const Expected messagesOnly{Expected::MessagesOnly, {}, {}};

// Long enough for the product's Karatsuba and transform paths (the seeds
// have such operands); the reference's limbs of 10^9 keep these quick.
constexpr std::size_t kOperandLimit = 5000;  // characters of one operand of + - *
constexpr std::size_t kResultLimit = 10000;  // digits of a power, factorial or selection

// A whole-number box (exponent, set size, selection, factorial) holds only
// digits and blanks, and its blanks are dropped before it is read; anything
// else is refused with a message.
inline bool onlyDigits(std::string_view text) {
    return withoutBlanks(text).find_first_not_of("0123456789") == std::string::npos;
}

inline Expected expectPower(std::string_view typed, std::string_view exponent) {
    const std::optional<Decimal> base = readBox(typed);
    if (!base || !onlyDigits(exponent)) return messagesOnly;
    const std::uint64_t e = leadingWholeNumber(withoutBlanks(exponent));
    const bool zero = base->digits == "0";
    if (e == 0) return zero ? shownText(Expected::FailureText, "无意义！") : value({false, "1", 0});
    // To the power one the base comes back as it was typed, blanks dropped
    // ("123.40", "-0", "007"), not in normal form.
    if (e == 1) return shownText(Expected::Text, withoutBlanks(typed));
    if (zero) return value({});
    if (e > kResultLimit || e * base->digits.size() > kResultLimit) return {};
    const auto n = static_cast<std::uint32_t>(e);
    return value({base->negative && n % 2 == 1, reference::power(base->digits, n), base->scale * n});
}

inline Expected expectSelection(bool combination, std::string_view mText, std::string_view nText) {
    if (!onlyDigits(nText) || !onlyDigits(mText)) return messagesOnly;
    const std::string n = withoutBlanks(nText);
    const std::uint64_t m = leadingWholeNumber(withoutBlanks(mText));
    if (m > 99999) return messagesOnly;
    if (m * std::max<std::size_t>(n.size(), 1) > kResultLimit) return {};
    const auto k = static_cast<std::uint32_t>(m);
    return value({false, combination ? reference::binomial(natural(n), k) : reference::falling(natural(n), k), 0});
}

inline Expected expectFactorial(std::string_view text) {
    if (!onlyDigits(text)) return messagesOnly;
    const std::uint64_t n = leadingWholeNumber(withoutBlanks(text));
    if (n > 99999) return shownText(Expected::FailureText, "太大了！");
    if (n > 3000) return {};
    return value({false, reference::factorial(static_cast<std::uint32_t>(n)), 0});
}

inline void check(const Expected& expected, const PageOutcome& outcome, std::string_view a, std::string_view b) {
    const std::string shown = outcome.result.value_or("(unchanged)");
    if (outcome.cancelled) fail("cancelled without a cancel", a, b, shown);
    switch (expected.kind) {
        case Expected::Skip:
            return;
        case Expected::MessagesOnly:
            if (outcome.result || outcome.messages.empty()) fail("should refuse with a message", a, b, shown);
            return;
        case Expected::Text:
        case Expected::FailureText:
            if (!outcome.result || outcome.resultIsFailure != (expected.kind == Expected::FailureText) ||
                *outcome.result != expected.text) {
                fail(expected.kind == Expected::Text ? "should show the typed text" : "should show a refusal", a, b,
                     shown);
            }
            return;
        case Expected::Value: {
            if (!outcome.result || outcome.resultIsFailure) fail("should show a value", a, b, shown);
            const std::optional<Decimal> read = readResult(*outcome.result);
            if (!read) fail("result is not a decimal in normal form", a, b, shown);
            if (!(*read == expected.value)) fail("wrong value", a, b, shown);
            return;
        }
    }
}

// One input as the target reads it: the action (0 sum, 1 difference,
// 2 product, 3 power, 4 permutation, 5 combination, 6 factorial) and the two
// box texts. The expectation comes first so that a skipped input costs the
// page nothing.
inline void checkAction(int action, std::string_view a, std::string_view b) {
    if ((action <= 3 && a.size() > kOperandLimit) || (action <= 2 && b.size() > kOperandLimit)) return;
    const std::optional<Decimal> x = readBox(a), y = readBox(b);
    Expected expected = messagesOnly;
    if (action == 0 && x && y) expected = value(sum(*x, *y));
    if (action == 1 && x && y) expected = value(sum(*x, {!y->negative, y->digits, y->scale}));
    if (action == 2 && x && y) expected = value(product(*x, *y));
    if (action == 3) expected = expectPower(a, b);
    if (action == 4 || action == 5) expected = expectSelection(action == 5, a, b);
    if (action == 6) expected = expectFactorial(a);
    if (expected.kind == Expected::Skip) return;
    WorkControl control;
    const PageOutcome outcome = action == 0   ? computeSum(a, b)
                                : action == 1 ? computeDifference(a, b)
                                : action == 2 ? computeProduct(a, b, control)
                                : action == 3 ? computePower(a, b, control)
                                : action == 4 ? computePermutation(a, b, control)
                                : action == 5 ? computeCombination(a, b, control)
                                              : computeFactorial(a, control);
    check(expected, outcome, a, b);
}

}  // namespace decimal_checks
