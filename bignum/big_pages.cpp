// The button actions of the addition, multiplication, factorial, power and
// permutation pages.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <new>

#include "bignum/longjs.h"
#include "bignum/natural.h"
#include "common/failure.h"
#include "common/number_text.h"

namespace numerelle::bignum {

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A signed decimal as the user typed it: blanks dropped, sign split off.
// The magnitude views the typed text itself; only a text with blanks is
// copied, so a long operand is never duplicated. Filled in place (never
// moved) because the view may point into `spaceless`.
struct SignedText {
    SignedText() = default;
    SignedText(const SignedText&) = delete;
    SignedText& operator=(const SignedText&) = delete;
    std::string spaceless;
    std::string_view magnitude;
    bool negative = false;
    DecimalTextProblem problem = DecimalTextProblem::None;
};

void readSigned(std::string_view text, SignedText& value) {
    if (text.find(' ') != std::string_view::npos) {
        value.spaceless = std::string(text);
        removeSpaces(value.spaceless);
        text = value.spaceless;
    }
    value.problem = checkDecimalText(text);
    if (!text.empty() && text.front() == '-') {
        value.negative = true;
        text.remove_prefix(1);
    }
    value.magnitude = text;
}

PageOutcome refusal(DecimalTextProblem problem) {
    PageOutcome outcome;
    outcome.messages.push_back(decimalTextMessage(problem));
    return outcome;
}

PageOutcome refusedInResult(std::string text, bool beep) {
    PageOutcome outcome;
    outcome.result = std::move(text);
    outcome.resultIsFailure = true;
    outcome.beep = beep;
    return outcome;
}

PageOutcome cancelledOutcome() {
    PageOutcome outcome;
    outcome.cancelled = true;
    return outcome;
}

// A whole-number box holds digits only (blanks of a pasted number are
// dropped). A sign, a letter or a full-width digit can only arrive by pasting
// or on the command line, and is refused rather than read as 0.
std::optional<std::string> wholeBoxDigits(std::string_view text) {
    std::string digits(text);
    removeSpaces(digits);
    if (digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    return digits;
}

PageOutcome digitsOnlyRefusal() {
    PageOutcome outcome;
    outcome.messages.push_back("只能输入数字");
    return outcome;
}

bool isZeroText(std::string_view digits) {
    return digits.find_first_not_of("0. ") == std::string_view::npos;
}

// Runs an action; exhausted memory ends it with the failure's description in
// the result box and a beep.
template <typename Action>
PageOutcome guarded(Action action) {
    try {
        return action();
    } catch (const std::bad_alloc&) {
        return refusedInResult(failureText(FailureKind::OutOfMemory), true);
    } catch (const std::length_error&) {
        return refusedInResult(failureText(FailureKind::OutOfMemory), true);
    }
}

// The four sign cases of a sum: a + b with each of a, b possibly negative.
std::string signedSum(const SignedText& a, const SignedText& b) {
    std::string out;
    if (!a.negative && !b.negative) {
        bigAdd(a.magnitude, b.magnitude, out);
    } else if (a.negative && !b.negative) {
        bigSubtract(b.magnitude, a.magnitude, out);
    } else if (!a.negative && b.negative) {
        bigSubtract(a.magnitude, b.magnitude, out);
    } else {
        bigAdd(a.magnitude, b.magnitude, out);
        // "-0" typed twice sums to zero, which has no sign.
        if (!isZeroText(out)) out.insert(0, 1, '-');
    }
    return out;
}

}  // namespace

std::string elapsedSecondsText(double seconds) {
    // The clock's reading is shown with single precision: 7 significant digits.
    return signedNumberText(numberFromText(numberTextWithDigits(seconds, 7))) + "秒";
}

PageOutcome computeSum(std::string_view a, std::string_view b) {
    SignedText x, y;
    readSigned(a, x);
    readSigned(b, y);
    if (x.problem != DecimalTextProblem::None) return refusal(x.problem);
    if (y.problem != DecimalTextProblem::None) return refusal(y.problem);
    return guarded([&] {
        PageOutcome outcome;
        outcome.result = signedSum(x, y);
        return outcome;
    });
}

PageOutcome computeDifference(std::string_view a, std::string_view b) {
    SignedText x, y;
    readSigned(a, x);
    readSigned(b, y);
    if (x.problem != DecimalTextProblem::None) return refusal(x.problem);
    if (y.problem != DecimalTextProblem::None) return refusal(y.problem);
    y.negative = !y.negative;  // a - b = a + (-b), with the same four cases
    return guarded([&] {
        PageOutcome outcome;
        outcome.result = signedSum(x, y);
        return outcome;
    });
}

PageOutcome computeProduct(std::string_view a, std::string_view b, WorkControl& control) {
    SignedText x, y;
    readSigned(a, x);
    readSigned(b, y);
    if (x.problem != DecimalTextProblem::None) return refusal(x.problem);
    if (y.problem != DecimalTextProblem::None) return refusal(y.problem);
    return guarded([&] {
        const auto start = Clock::now();
        std::string product;
        if (!bigMultiply(x.magnitude, y.magnitude, product, control)) return cancelledOutcome();
        // The sign goes in front of the magnitude's normal form, as on the
        // addition page ("- 3"); a zero product has no sign.
        if (x.negative != y.negative && !isZeroText(product)) product.insert(0, 1, '-');
        PageOutcome outcome;
        outcome.result = std::move(product);
        outcome.elapsedSeconds = secondsSince(start);
        return outcome;
    });
}

PageOutcome computeFactorial(std::string_view text, WorkControl& control) {
    const std::optional<std::string> digits = wholeBoxDigits(text);
    if (!digits) return digitsOnlyRefusal();
    const std::uint64_t n = leadingWholeNumber(*digits);
    if (n == 0) {
        PageOutcome outcome;
        outcome.result = "1";
        return outcome;
    }
    if (n > 99999) return refusedInResult("太大了！", false);
    if (n <= 17) {
        double f = 1;
        for (std::uint64_t i = 1; i <= n; ++i) f *= static_cast<double>(i);  // 17! is exact in a double
        PageOutcome outcome;
        outcome.result = signedNumberText(f);
        return outcome;
    }
    return guarded([&] {
        const auto start = Clock::now();
        std::optional<std::string> digits = naturalFactorial(static_cast<std::uint32_t>(n), control);
        if (!digits) return cancelledOutcome();
        PageOutcome outcome;
        outcome.result = std::move(*digits);
        outcome.elapsedSeconds = secondsSince(start);
        return outcome;
    });
}

namespace {

// The largest k with v^k <= 10^6: below that exponent the power is short
// enough to be written as a signed number text. 0 for v < 2, whose powers
// never grow (and would never leave the loop).
unsigned groupedFactors(std::uint64_t v) {
    if (v < 2) return 0;
    unsigned k = 0;
    for (std::uint64_t p = v; p <= 1'000'000; p *= v) ++k;
    return k;
}

// log10 of a natural number written without leading zeros, from its first
// digits and its length.
double decimalLog(std::string_view digits) {
    const std::size_t head = std::min<std::size_t>(digits.size(), 17);
    double leading = 0;
    for (std::size_t i = 0; i < head; ++i) leading = leading * 10 + (digits[i] - '0');
    return std::log10(leading) + static_cast<double>(digits.size() - head);
}

}  // namespace

double powerTextLength(std::string_view digits, std::int64_t shift, std::uint64_t e) {
    const double power = std::floor(static_cast<double>(e) * decimalLog(digits)) + 1;
    const double zeros = static_cast<double>(e) * std::abs(static_cast<double>(shift));
    // A fraction is a point and its places, the power's digits padded to them.
    return shift >= 0 ? power + zeros : std::max(power, zeros) + 1;
}

PageOutcome computePower(std::string_view baseText, std::string_view exponentText, WorkControl& control) {
    SignedText base;
    readSigned(baseText, base);
    if (base.problem != DecimalTextProblem::None) return refusal(base.problem);
    const std::optional<std::string> exponentDigits = wholeBoxDigits(exponentText);
    if (!exponentDigits) return digitsOnlyRefusal();
    const std::uint64_t e = leadingWholeNumber(*exponentDigits);
    // The value saturates beyond 20 digits; the parity comes from the last digit.
    const bool oddExponent = !exponentDigits->empty() && (exponentDigits->back() - '0') % 2 == 1;
    std::string b = std::string(base.negative ? "-" : "").append(base.magnitude);

    const bool zeroBase = isZeroText(base.magnitude);
    PageOutcome outcome;
    if (zeroBase && e == 0) return refusedInResult("无意义！", false);
    if (e == 0) {
        outcome.result = "1";
        return outcome;
    }
    if (b == "0") {
        outcome.result = "0";
        return outcome;
    }
    if (e == 1) {
        outcome.result = std::move(b);
        return outcome;
    }

    return guarded([&]() -> PageOutcome {
        const auto start = Clock::now();
        std::string d = b;
        std::int64_t x10 = 0;
        int negative = 0;
        splitDecimal(d, x10, negative);
        const std::size_t lead = d.find_first_not_of('0');
        // A base with digits after its point keeps a point in the text it
        // builds (" 1." for 1.0^2), even when the value is whole.
        const bool pointText = x10 < 0;
        PageOutcome done;
        if (lead == std::string::npos) {
            // Zero to any power: the text a zero with a point normalises to.
            std::string zero = pointText ? "0." : "0";
            normaliseDecimal(zero);
            done.result = std::move(zero);
            return done;
        }
        const std::string significant = d.substr(lead);
        // The digits that matter: trailing zeros of a fraction move into the
        // power of ten, so 1.0 and 1.000 are raised as 1.
        const std::size_t last = significant.find_last_not_of('0');
        const std::string_view core = std::string_view(significant).substr(0, last + 1);
        const std::int64_t shift = x10 + static_cast<std::int64_t>(significant.size() - core.size());

        // Refuse what cannot fit rather than exhaust the machine's memory;
        // the length comes from the value, not from the digits as typed.
        if (powerTextLength(core, shift, e) > static_cast<double>(kMaxPowerDigits)) {
            return refusedInResult(failureText(FailureKind::OutOfMemory), true);
        }

        std::string r;
        std::int64_t places = 0;
        if (d.size() < 7 && e < groupedFactors(std::stoull(significant))) {
            // A short power keeps the signed-number-text form (" 25").
            std::uint64_t t = 1;
            const std::uint64_t v = std::stoull(significant);
            for (std::uint64_t i = 0; i < e; ++i) t *= v;
            r = std::to_string(t);
            r.insert(r.begin(), ' ');
            places = static_cast<std::int64_t>(e) * x10;
        } else {
            std::optional<std::string> power = naturalPower(core, e, control);
            if (!power) return cancelledOutcome();
            r = std::move(*power);
            places = static_cast<std::int64_t>(e) * shift;
            if (pointText && places >= 0) {
                // The whole value of a fraction: its zeros, then the point
                // that the dropped fraction zeros left behind.
                r.append(static_cast<std::size_t>(places), '0');
                r.push_back('.');
                places = 0;
            }
        }
        const int g = negative == 0 ? 0 : (oddExponent ? -1 : 1);
        applySignAndExponent(r, places, g);
        normaliseDecimal(r);
        done.result = std::move(r);
        done.elapsedSeconds = secondsSince(start);
        return done;
    });
}

namespace {

constexpr std::uint64_t kMaxSelection = 99999;

// The checks both buttons make before computing. Returns false when the
// handler ends; `outcome` then holds what to show.
struct SelectionInputs {
    std::uint32_t m = 0;
    std::string n;          // digits, leading zeros dropped
    bool shortSet = false;  // the set size was typed with fewer than 6 characters
    std::uint64_t value = 0;
};

bool readSelection(std::string_view mText, std::string_view nText, SelectionInputs& inputs, PageOutcome& outcome) {
    const std::optional<std::string> setDigits = wholeBoxDigits(nText);
    const std::optional<std::string> selectionDigits = wholeBoxDigits(mText);
    if (!setDigits || !selectionDigits) {
        outcome = digitsOnlyRefusal();
        return false;
    }
    const std::string& n = *setDigits;
    const std::uint64_t m = leadingWholeNumber(*selectionDigits);
    if (m > kMaxSelection) {
        outcome.messages.push_back("数据太大？需要很长时间，所以不能计算！");
        return false;
    }
    inputs.m = static_cast<std::uint32_t>(m);
    // Both results are below n^m: one that could not be written in the power
    // page's longest text is refused before anything is allocated.
    const std::size_t first = n.find_first_not_of('0');
    if (first != std::string::npos && m > 0 &&
        powerTextLength(std::string_view(n).substr(first), 0, m) > static_cast<double>(kMaxPowerDigits)) {
        outcome.result = failureText(FailureKind::OutOfMemory);
        outcome.resultIsFailure = true;
        outcome.beep = true;
        return false;
    }
    inputs.shortSet = n.size() < 6;
    inputs.n = first == std::string::npos ? "0" : n.substr(first);
    if (inputs.shortSet) {
        inputs.value = std::stoull(inputs.n);
        if (inputs.value < m) outcome.messages.push_back("数据要上小，下大？");
    }
    return true;
}

// Both buttons check alike and then count. A selection larger than the set
// warns and then computes: there is no way to choose more than there is, so
// C(n, m) is 0, as P(n, m) is.
PageOutcome computeSelection(std::string_view mText, std::string_view nText, WorkControl& control,
                             std::optional<std::string> (*count)(std::string_view, std::uint32_t, WorkControl&)) {
    PageOutcome outcome;
    SelectionInputs inputs;
    if (!readSelection(mText, nText, inputs, outcome)) return outcome;
    return guarded([&] {
        std::optional<std::string> counted = count(inputs.n, inputs.m, control);
        if (!counted) return cancelledOutcome();
        outcome.result = std::move(*counted);
        return outcome;
    });
}

}  // namespace

PageOutcome computePermutation(std::string_view mText, std::string_view nText, WorkControl& control) {
    return computeSelection(mText, nText, control, naturalFallingFactorial);
}

PageOutcome computeCombination(std::string_view mText, std::string_view nText, WorkControl& control) {
    return computeSelection(mText, nText, control, naturalBinomial);
}

}  // namespace numerelle::bignum
