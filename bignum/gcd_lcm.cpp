// The greatest-common-divisor page: its count and number boxes and its two
// buttons, in exact integer arithmetic.
#include <algorithm>
#include <new>
#include <numeric>

#include "bignum/longjs.h"
#include "bignum/natural.h"
#include "common/failure.h"

namespace numerelle::bignum {

namespace {

constexpr std::string_view kLimit = "10000000000000000";  // 10^16, the largest number accepted

std::string_view digitsOf(const std::string& number) {
    const std::size_t first = number.find_first_not_of('0');
    return first == std::string::npos ? std::string_view("0") : std::string_view(number).substr(first);
}

bool isZero(const std::string& number) {
    return digitsOf(number) == "0";
}

// Only called on numbers not above 10^16.
std::uint64_t smallValue(std::string_view digits) {
    return std::stoull(std::string(digits));
}

}  // namespace

GcdCount gcdCountFromText(std::string_view text) {
    const std::uint64_t value = leadingWholeNumber(text);
    GcdCount count;
    if (value < 2) {
        count.text.assign(1, '2');
        count.beep = true;
        return count;
    }
    // A count beyond what anyone types by hand would only exhaust memory.
    count.count = static_cast<std::size_t>(std::min(value, kMaxGcdCount));
    count.beep = value > kMaxGcdCount;
    count.text = std::to_string(count.count);
    return count;
}

std::string gcdNumberText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    const std::size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    std::string whole(text.substr(start, i - start));
    const std::size_t first = whole.find_first_not_of('0');
    whole = first == std::string::npos ? "0" : whole.substr(first);
    // The whole part is the floor: a negative number with a fraction rounds
    // away from zero before its absolute value is taken.
    if (negative && i < text.size() && text[i] == '.') {
        const std::string_view fraction = text.substr(i + 1);
        const std::size_t end = std::min(fraction.find_first_not_of("0123456789"), fraction.size());
        if (fraction.substr(0, end).find_first_not_of('0') != std::string_view::npos) whole = naturalAdd(whole, "1");
    }
    return whole;
}

GcdOutcome computeGcd(const std::vector<std::string>& numbers, WorkControl& control) {
    GcdOutcome outcome;
    outcome.divisorBox = "1";
    outcome.failed = true;
    std::string_view smallest;
    for (const std::string& number : numbers) {
        if (isZero(number)) {
            outcome.messages.push_back("数据不可以有0");
            return outcome;
        }
        if (smallest.empty() || naturalCompare(digitsOf(number), smallest) < 0) smallest = digitsOf(number);
    }
    if (smallest.empty()) return outcome;
    if (naturalCompare(smallest, kLimit) > 0) {
        outcome.divisorBox = "数太大了！";
        return outcome;
    }
    try {
        std::uint64_t divisor = smallValue(smallest);
        for (std::size_t i = 0; i < numbers.size() && divisor > 1; ++i) {
            if (control.cancelled()) {
                outcome.cancelled = true;
                return outcome;
            }
            divisor = std::gcd(divisor, naturalModSmall(digitsOf(numbers[i]), divisor));
            control.setProgress(static_cast<double>(i) / static_cast<double>(numbers.size()));
        }
        outcome.divisorBox = std::to_string(divisor);
        outcome.failed = false;
    } catch (const std::bad_alloc&) {
        outcome.divisorBox = failureText(FailureKind::OutOfMemory);
        outcome.beep = true;
    }
    return outcome;
}

GcdOutcome computeLcm(const std::vector<std::string>& numbers, WorkControl& control) {
    GcdOutcome outcome;
    outcome.failed = true;
    if (numbers.empty()) return outcome;
    // The multiple box first shows the largest number, as far as the check
    // for zeros gets.
    std::string_view largest = digitsOf(numbers.front());
    outcome.multipleBox = std::string(largest);
    for (const std::string& number : numbers) {
        if (isZero(number)) {
            outcome.messages.push_back("数据不可以有0");
            return outcome;
        }
        if (naturalCompare(largest, digitsOf(number)) < 0) largest = digitsOf(number);
        outcome.multipleBox = std::string(largest);
    }
    // The refusal goes into the multiple's own box, under its caption; the
    // divisor box keeps what the other button wrote there.
    if (naturalCompare(largest, kLimit) > 0) {
        outcome.multipleBox = "数太大了！";
        return outcome;
    }
    try {
        // lcm(L, a) = L * (a / gcd(L mod a, a)); every a fits 64 bits, L grows freely.
        std::string multiple(largest);
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            if (control.cancelled()) {
                outcome.cancelled = true;
                return outcome;
            }
            const std::uint64_t a = smallValue(digitsOf(numbers[i]));
            const std::uint64_t factor = a / std::gcd(a, naturalModSmall(multiple, a));
            if (factor > 1) multiple = naturalMultiplySmall(multiple, factor);
            control.setProgress(static_cast<double>(i) / static_cast<double>(numbers.size()));
        }
        outcome.multipleBox = std::move(multiple);
        outcome.failed = false;
    } catch (const std::bad_alloc&) {
        outcome.multipleBox = failureText(FailureKind::OutOfMemory);
        outcome.beep = true;
    }
    return outcome;
}

}  // namespace numerelle::bignum
