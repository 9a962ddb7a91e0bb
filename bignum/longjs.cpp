#include "bignum/longjs.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cstdlib>
#include <limits>

#include "bignum/natural.h"
#include "common/number_text.h"

namespace numerelle::bignum {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The natural engine wants no leading zeros; an empty digit run counts as 0.
std::string_view withoutLeadingZeros(std::string_view digits) {
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) return "0";
    return digits.substr(first);
}

// Digits of a decimal string with its point removed, and how many of them
// followed the point.
struct Digits {
    std::string digits;
    std::size_t fraction = 0;
};

Digits withoutPoint(std::string_view x) {
    const std::size_t point = x.find('.');
    if (point == std::string_view::npos) return {std::string(x), 0};
    std::string digits(x.substr(0, point));
    digits.append(x.substr(point + 1));
    return {std::move(digits), x.size() - point - 1};
}

// Both operands with the same count of fraction digits.
struct Aligned {
    std::string x, y;
    std::size_t fraction = 0;
};

Aligned align(std::string_view x, std::string_view y) {
    Digits a = withoutPoint(x), b = withoutPoint(y);
    const std::size_t fraction = std::max(a.fraction, b.fraction);
    a.digits.append(fraction - a.fraction, '0');
    b.digits.append(fraction - b.fraction, '0');
    return {std::move(a.digits), std::move(b.digits), fraction};
}

// Inserts the point before the last `fraction` digits, with leading zeros
// when the digits are fewer than that.
void placePoint(std::string& digits, std::size_t fraction) {
    if (fraction == 0) return;
    if (digits.size() < fraction) digits.insert(0, fraction - digits.size(), '0');
    digits.insert(digits.size() - fraction, 1, '.');
}

}  // namespace

void removeSpaces(std::string& s) {
    std::erase(s, ' ');
}

void normaliseDecimal(std::string& s) {
    std::size_t zeros = 0;
    while (zeros + 1 < s.size() && s[zeros] == '0') ++zeros;
    s.erase(0, zeros);
    if (s.find('.') == std::string::npos) return;
    while (s.size() > 1 && s.back() == '0') s.pop_back();
    if (s.size() < 3) s = signedNumberText(numberFromText(s));
}

void splitDecimal(std::string& s, std::int64_t& x10, int& negative) {
    negative = 0;
    if (!s.empty() && s.front() == '-') {
        negative = -1;
        s.erase(0, 1);
    }
    const std::size_t point = s.find('.');
    if (point == std::string::npos) {
        const std::size_t last = s.find_last_not_of('0');
        const std::size_t keep = last == std::string::npos ? 0 : last + 1;
        x10 = static_cast<std::int64_t>(s.size() - keep);
        s.resize(keep);
        return;
    }
    s.erase(point, 1);
    x10 = static_cast<std::int64_t>(point) - static_cast<std::int64_t>(s.size());
}

void applySignAndExponent(std::string& r, std::int64_t x, int g) {
    if (g == -1 && (r.empty() || r.front() != '-')) r.insert(0, 1, '-');
    if (x > 0) {
        r.append(static_cast<std::size_t>(x), '0');
    } else if (x < 0) {
        const auto places = static_cast<std::size_t>(-x);
        // The sign and a leading blank stay in front of the zeros.
        const std::size_t prefix = std::min(r.find_first_not_of("- "), r.size());
        const std::size_t digits = r.size() - prefix;
        if (digits < places) r.insert(prefix, places - digits, '0');
        r.insert(r.size() - places, 1, '.');
    }
}

void bigAdd(std::string_view x, std::string_view y, std::string& out) {
    if (x.find('.') == std::string_view::npos && y.find('.') == std::string_view::npos) {
        // Whole numbers need no aligning copies.
        out = naturalAdd(withoutLeadingZeros(x), withoutLeadingZeros(y));
        return;
    }
    const Aligned a = align(x, y);
    std::string sum = naturalAdd(withoutLeadingZeros(a.x), withoutLeadingZeros(a.y));
    placePoint(sum, a.fraction);
    normaliseDecimal(sum);
    out = std::move(sum);
}

void bigSubtract(std::string_view x, std::string_view y, std::string& out) {
    const bool whole = x.find('.') == std::string_view::npos && y.find('.') == std::string_view::npos;
    // Whole numbers need no aligning copies.
    const Aligned a = whole ? Aligned{} : align(x, y);
    const std::string_view left = withoutLeadingZeros(whole ? x : a.x), right = withoutLeadingZeros(whole ? y : a.y);
    std::string difference;
    if (naturalCompare(left, right) < 0) {
        // "-" first, so the normal form keeps any zero before the point
        // from being read as a leading zero.
        std::string magnitude = naturalSubtract(right, left);
        placePoint(magnitude, a.fraction);
        difference = "-" + magnitude;
    } else {
        difference = naturalSubtract(left, right);
        placePoint(difference, a.fraction);
    }
    normaliseDecimal(difference);
    out = std::move(difference);
}

bool bigMultiply(std::string_view x, std::string_view y, std::string& out, WorkControl& control) {
    const Digits a = withoutPoint(x), b = withoutPoint(y);
    std::optional<std::string> product =
        naturalMultiply(withoutLeadingZeros(a.digits), withoutLeadingZeros(b.digits), control);
    if (!product) return false;
    placePoint(*product, a.fraction + b.fraction);
    normaliseDecimal(*product);
    out = std::move(*product);
    return true;
}

DecimalTextProblem checkDecimalText(std::string_view text) {
    // One pass, eight digits at a time while the text is all digits: a long
    // operand is read once, not once per rule.
    bool misplacedMinus = false, other = false;
    std::size_t points = 0;
    std::size_t i = 0;
    const char* p = text.data();
    while (i < text.size()) {
        if (i + 8 <= text.size()) {
            std::uint64_t word;
            std::memcpy(&word, p + i, 8);
            // A byte is a digit when its high nibble is 3 and its low nibble under 10.
            const std::uint64_t low = word & 0x0F0F0F0F0F0F0F0FULL;
            const bool digits = (word & 0xF0F0F0F0F0F0F0F0ULL) == 0x3030303030303030ULL &&
                                ((low + 0x0606060606060606ULL) & 0xF0F0F0F0F0F0F0F0ULL) == 0;
            if (digits) {
                i += 8;
                continue;
            }
        }
        const char c = p[i];
        if (c == '-') misplacedMinus |= i > 0;
        else if (c == '.') ++points;
        else other |= !isDigit(c);
        ++i;
    }
    if (misplacedMinus) return DecimalTextProblem::MisplacedMinus;
    if (points > 1) return DecimalTextProblem::TwoPoints;
    return other ? DecimalTextProblem::OtherCharacter : DecimalTextProblem::None;
}

std::string decimalTextMessage(DecimalTextProblem problem) {
    switch (problem) {
        case DecimalTextProblem::MisplacedMinus:
            return "不能把负号放在这里";
        case DecimalTextProblem::TwoPoints:
            return "不能有两个小数点";
        case DecimalTextProblem::OtherCharacter:
            return "只能输入数字、小数点和负号";
        case DecimalTextProblem::None:
            break;
    }
    return {};
}

std::vector<std::string> decimalBoxFocusMessages(std::string_view text) {
    std::string cleaned(text);
    removeSpaces(cleaned);
    std::vector<std::string> messages;
    if (cleaned.find('-', 1) != std::string::npos)
        messages.push_back(decimalTextMessage(DecimalTextProblem::MisplacedMinus));
    if (std::count(cleaned.begin(), cleaned.end(), '.') > 1)
        messages.push_back(decimalTextMessage(DecimalTextProblem::TwoPoints));
    return messages;
}

std::uint64_t leadingWholeNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    constexpr std::uint64_t most = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        value = value > (most - digit) / 10 ? most : value * 10 + digit;
    }
    return value;
}

}  // namespace numerelle::bignum
