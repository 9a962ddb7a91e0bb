// libFuzzer target: the decimal-string page actions against schoolbook
// arithmetic on digit strings. The first byte picks the action, the rest is
// the two box texts separated by the first line break. Operands are kept
// short enough for the reference; the page must accept exactly the texts
// the reference accepts and show the same value.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bignum/longjs.h"

namespace {

using namespace numerelle;
using namespace numerelle::bignum;

[[noreturn]] void fail(const char* what, std::string_view a, std::string_view b, std::string_view shown) {
    std::fprintf(stderr, "decimal page: %s\na: %.*s\nb: %.*s\nshown: %.*s\n", what, static_cast<int>(a.size()),
                 a.data(), static_cast<int>(b.size()), b.data(), static_cast<int>(shown.size()), shown.data());
    std::abort();
}

// ---- schoolbook on digit strings, most significant digit first ----------

std::string stripped(std::string s) {
    const std::size_t first = s.find_first_not_of('0');
    return first == std::string::npos ? std::string() : s.substr(first);  // zero is ""
}

int compare(const std::string& a, const std::string& b) {  // both stripped
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

std::string add(const std::string& a, const std::string& b) {
    std::string out;
    int carry = 0;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()) || carry; ++i) {
        int sum = carry;
        if (i < a.size()) sum += a[a.size() - 1 - i] - '0';
        if (i < b.size()) sum += b[b.size() - 1 - i] - '0';
        out.push_back(static_cast<char>('0' + sum % 10));
        carry = sum / 10;
    }
    std::reverse(out.begin(), out.end());
    return stripped(out);
}

std::string subtract(const std::string& a, const std::string& b) {  // a >= b
    std::string out;
    int borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        int digit = a[a.size() - 1 - i] - '0' - borrow;
        if (i < b.size()) digit -= b[b.size() - 1 - i] - '0';
        borrow = digit < 0;
        out.push_back(static_cast<char>('0' + (digit + 10) % 10));
    }
    std::reverse(out.begin(), out.end());
    return stripped(out);
}

std::string multiply(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return {};
    std::vector<std::uint64_t> sums(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < b.size(); ++j) {
            sums[i + j + 1] += static_cast<std::uint64_t>(a[i] - '0') * static_cast<std::uint64_t>(b[j] - '0');
        }
    }
    for (std::size_t k = sums.size(); k-- > 1;) {
        sums[k - 1] += sums[k] / 10;
        sums[k] %= 10;
    }
    std::string out;
    for (std::uint64_t d : sums) out.push_back(static_cast<char>('0' + d));
    return stripped(out);
}

std::string divideSmall(const std::string& a, unsigned d) {  // exact division expected
    std::string out;
    unsigned long long rest = 0;
    for (char c : a) {
        rest = rest * 10 + static_cast<unsigned>(c - '0');
        out.push_back(static_cast<char>('0' + rest / d));
        rest %= d;
    }
    return stripped(out);
}

// A signed decimal: digits * 10^-scale, in a unique form (no leading zeros,
// no trailing fraction zeros, zero is positive with scale 0).
struct Decimal {
    bool negative = false;
    std::string digits;
    std::size_t scale = 0;
};

Decimal canonical(Decimal d) {
    d.digits = stripped(d.digits);
    while (d.scale > 0 && !d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
        --d.scale;
    }
    if (d.digits.empty()) d = Decimal{};
    return d;
}

bool operator==(const Decimal& a, const Decimal& b) {
    return a.negative == b.negative && a.digits == b.digits && a.scale == b.scale;
}

// The box text as the page reads it: blanks dropped, digits, one point,
// a minus only in front; nothing typed reads as zero.
std::optional<Decimal> readBox(std::string_view text) {
    std::string s;
    for (char c : text) {
        if (c != ' ') s.push_back(c);
    }
    Decimal d;
    std::size_t i = 0;
    if (i < s.size() && s[i] == '-') {
        d.negative = true;
        ++i;
    }
    bool point = false;
    for (; i < s.size(); ++i) {
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
// with at most one point and at least one digit. No zero trails a
// fraction; a point may end the text, as in the page's "21." for 10.5 + 10.5.
std::optional<Decimal> readResult(const std::string& text) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos) return std::nullopt;
    Decimal d;
    if (text[i] == '-') {
        d.negative = true;
        i = text.find_first_not_of(' ', i + 1);
        if (i == std::string::npos) return std::nullopt;
    }
    const std::string_view rest = std::string_view(text).substr(i);
    if (rest.find_first_not_of("0123456789.") != std::string_view::npos) return std::nullopt;
    const std::size_t point = rest.find('.');
    if (point != std::string_view::npos) {
        if (rest.find('.', point + 1) != std::string_view::npos || rest.back() == '0') {
            return std::nullopt;
        }
        d.scale = rest.size() - point - 1;
    }
    for (char c : rest) {
        if (c != '.') d.digits.push_back(c);
    }
    if (d.digits.empty()) return std::nullopt;
    const Decimal value = canonical(d);
    if (d.negative && !value.negative) return std::nullopt;  // a zero shown with a sign
    return value;
}

Decimal widened(Decimal d, std::size_t scale) {
    d.digits.append(scale - d.scale, '0');
    d.scale = scale;
    return d;
}

Decimal sum(Decimal a, Decimal b) {
    const std::size_t scale = std::max(a.scale, b.scale);
    a = widened(a, scale);
    b = widened(b, scale);
    Decimal out;
    out.scale = scale;
    if (a.negative == b.negative) {
        out.negative = a.negative;
        out.digits = add(stripped(a.digits), stripped(b.digits));
    } else if (compare(stripped(a.digits), stripped(b.digits)) >= 0) {
        out.negative = a.negative;
        out.digits = subtract(stripped(a.digits), stripped(b.digits));
    } else {
        out.negative = b.negative;
        out.digits = subtract(stripped(b.digits), stripped(a.digits));
    }
    return canonical(out);
}

Decimal product(const Decimal& a, const Decimal& b) {
    return canonical(Decimal{a.negative != b.negative, multiply(a.digits, b.digits), a.scale + b.scale});
}

std::uint64_t leadingWhole(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    std::uint64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        value = value > (UINT64_MAX - digit) / 10 ? UINT64_MAX : value * 10 + digit;
    }
    return value;
}

// Expected outcomes: a value, a refusal in the result box, or messages only.
struct Expected {
    enum Kind { Value, FailureText, MessagesOnly, Text, Skip } kind = Skip;
    Decimal value;
    std::string text;
};

Expected value(Decimal d) { return {Expected::Value, canonical(std::move(d)), {}}; }

constexpr std::size_t kOperandLimit = 300;   // digits of one operand of + - *
constexpr std::size_t kResultLimit = 3000;   // digits of a power, factorial or selection

// The power page gives a base to the power one back as it was typed (blanks
// dropped), not in normal form: "123.40", "-0", "007".
Expected expectPower(std::string_view typed, const Decimal& base, std::uint64_t e) {
    if (e == 1) {
        std::string text;
        for (char c : typed) {
            if (c != ' ') text.push_back(c);
        }
        return {Expected::Text, {}, text};
    }
    if (e == 0) return base.digits.empty() ? Expected{Expected::FailureText, {}, "无意义！"} : value(Decimal{false, "1", 0});
    if (base.digits.empty()) return value({});
    if (e > kResultLimit || e * base.digits.size() > kResultLimit) return {};
    Decimal out{false, "1", 0};
    for (std::uint64_t i = 0; i < e; ++i) out = product(out, base);
    return value(out);
}

std::string decimalText(std::uint64_t v) { return stripped(std::to_string(v)); }

Expected expectSelection(bool combination, std::string_view mText, std::string_view nText) {
    std::string n;
    for (char c : nText) {
        if (c != ' ') n.push_back(c);
    }
    if (n.find_first_not_of("0123456789") != std::string::npos) return {Expected::MessagesOnly, {}, {}};
    const std::uint64_t m = leadingWhole(mText);
    if (m > 99999) return {Expected::MessagesOnly, {}, {}};
    n = stripped(n);
    if (m * std::max<std::size_t>(n.size(), 1) > kResultLimit) return {};
    const std::string mDigits = decimalText(m);
    if (compare(n, mDigits) < 0) return value({});  // more chosen than there are
    std::string result = "1";
    for (std::uint64_t i = 0; i < m; ++i) {
        result = multiply(result, subtract(n, decimalText(i)));
        if (combination) result = divideSmall(result, static_cast<unsigned>(i + 1));
    }
    return value(Decimal{false, result, 0});
}

Expected expectFactorial(std::string_view text) {
    const std::uint64_t n = leadingWhole(text);
    if (n > 99999) return {Expected::FailureText, {}, "太大了！"};
    if (n > 800) return {};
    std::string result = "1";
    for (std::uint64_t i = 2; i <= n; ++i) result = multiply(result, decimalText(i));
    return value(Decimal{false, result, 0});
}

void check(const Expected& expected, const PageOutcome& outcome, std::string_view a, std::string_view b) {
    const std::string shown = outcome.result.value_or("(unchanged)");
    if (outcome.cancelled) fail("cancelled without a cancel", a, b, shown);
    switch (expected.kind) {
        case Expected::Skip: return;
        case Expected::MessagesOnly:
            if (outcome.result || outcome.messages.empty()) fail("should refuse with a message", a, b, shown);
            return;
        case Expected::Text:
            if (!outcome.result || outcome.resultIsFailure || *outcome.result != expected.text) {
                fail("should show the typed text", a, b, shown);
            }
            return;
        case Expected::FailureText:
            if (!outcome.result || !outcome.resultIsFailure || *outcome.result != expected.text) {
                fail("should show a refusal", a, b, shown);
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t cut = std::min(input.find('\n'), input.size());
    const std::string_view a = input.substr(0, cut);
    const std::string_view b = cut < input.size() ? input.substr(cut + 1) : std::string_view();
    WorkControl control;
    switch (data[0] % 7) {
        case 0:
        case 1:
        case 2: {
            if (a.size() > kOperandLimit || b.size() > kOperandLimit) return 0;
            const std::optional<Decimal> x = readBox(a), y = readBox(b);
            Expected expected{Expected::MessagesOnly, {}, {}};
            PageOutcome outcome;
            if (data[0] % 7 == 0) {
                outcome = computeSum(a, b);
                if (x && y) expected = value(sum(*x, *y));
            } else if (data[0] % 7 == 1) {
                outcome = computeDifference(a, b);
                if (x && y) expected = value(sum(*x, Decimal{!y->negative && !y->digits.empty(), y->digits, y->scale}));
            } else {
                outcome = computeProduct(a, b, control);
                if (x && y) expected = value(product(*x, *y));
            }
            check(expected, outcome, a, b);
            return 0;
        }
        case 3: {
            if (a.size() > kOperandLimit) return 0;
            const std::optional<Decimal> base = readBox(a);
            const Expected expected = base ? expectPower(a, *base, leadingWhole(b)) : Expected{Expected::MessagesOnly, {}, {}};
            if (expected.kind == Expected::Skip) return 0;  // too long for the reference
            check(expected, computePower(a, b, control), a, b);
            return 0;
        }
        case 4:
        case 5: {
            const bool combination = data[0] % 7 == 5;
            const Expected expected = expectSelection(combination, a, b);
            if (expected.kind == Expected::Skip) return 0;
            check(expected, combination ? computeCombination(a, b, control) : computePermutation(a, b, control), a, b);
            return 0;
        }
        default: {
            const Expected expected = expectFactorial(a);
            if (expected.kind == Expected::Skip) return 0;
            check(expected, computeFactorial(a, control), a, b);
            return 0;
        }
    }
}
