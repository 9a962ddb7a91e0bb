#include "numtools/number_base.h"

#include <cmath>
#include <cstdint>

#include "common/number_text.h"

namespace numerelle::numtools {

namespace {

char upper(char ch) {
    return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
}

char digitCharacter(int value) {
    return static_cast<char>(value < 10 ? 48 + value : 55 + value);
}

}  // namespace

int baseDigitValue(char ch) {
    const int code = static_cast<unsigned char>(upper(ch));
    return code < 58 ? code - 48 : code - 55;
}

expr::Evaluation parseInBase(std::string_view text, int base) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    if (negative) whole.remove_prefix(1);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view("0") : text.substr(point + 1);

    const double b = base;
    const auto n = static_cast<double>(whole.size());
    double value = 0;
    for (std::size_t k = 0; k < whole.size(); ++k)
        value += baseDigitValue(whole[k]) * std::pow(b, n - 1 - static_cast<double>(k));
    for (std::size_t k = 0; k < fraction.size(); ++k)
        value += baseDigitValue(fraction[k]) * std::pow(b, -static_cast<double>(k + 1));
    if (negative) value *= -1;
    // A long enough input overflows; 0 times an infinite weight even gives NaN.
    if (!std::isfinite(value)) return {0, FailureKind::Overflow};
    return {value, FailureKind::None};
}

BaseText formatInBase(double value, int base) {
    const double magnitude = std::fabs(value);
    if (!(magnitude < 2147483648.0)) return {"", FailureKind::Overflow};
    if (base == 0) return {"", FailureKind::DivisionByZero};
    if (base < kSmallestBase || base > kLargestBase) return {"", FailureKind::InvalidArgument};

    std::int32_t whole = static_cast<std::int32_t>(magnitude);
    double fraction = magnitude - whole;
    std::string text;
    do {
        const std::int32_t digit = whole % base;
        text.insert(text.begin(), digitCharacter(digit));
        whole = (whole - digit) / base;
    } while (whole > 0);

    if (fraction != 0) {
        text += '.';
        for (int i = 0; i < 160 / base && fraction != 0; ++i) {
            fraction *= base;
            const int digit = static_cast<int>(fraction);
            fraction -= digit;
            text += digitCharacter(digit);
        }
    }
    if (value < 0) text.insert(text.begin(), '-');
    return {text, FailureKind::None};
}

BaseText convertNumberBase(std::string_view input, int fromBase, int toBase) {
    std::string text(input);
    for (char& ch : text) ch = upper(ch);
    double value = 0;
    if (fromBase == 10) {
        value = expr::leadingNumber(text);
    } else {
        const expr::Evaluation parsed = parseInBase(text, fromBase);
        if (!parsed.ok()) return {"", parsed.failure};
        value = parsed.value;
    }
    if (toBase == 10) return {signedNumberText(value), FailureKind::None};
    return formatInBase(value, toBase);
}

int customBase(double answer) {
    const double magnitude = std::trunc(std::fabs(answer));
    if (!(magnitude > kSmallestBase)) return kSmallestBase;  // NaN too
    if (magnitude >= kLargestBase) return kLargestBase;
    return static_cast<int>(magnitude);
}

bool baseKeyAccepted(char32_t key, int fromBase) {
    if (key == U'-' || key == 8) return true;
    if (fromBase >= 11) {
        const char32_t lastLetter = U'A' + static_cast<char32_t>(fromBase - 11);
        if ((key >= U'A' && key <= lastLetter) || (key >= U'a' && key <= lastLetter + 32)) return true;
    }
    if (key < 46 || key >= 58) return false;
    return key != U'/';
}

}  // namespace numerelle::numtools
