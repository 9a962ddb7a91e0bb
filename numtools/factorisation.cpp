#include "numtools/factorisation.h"

#include <algorithm>
#include <cmath>
#include <charconv>
#include <cstdlib>
#include <numeric>
#include <utility>

#include "common/number_text.h"
#include "expr/jxjs.h"

namespace numerelle::numtools {

namespace {

__extension__ typedef unsigned __int128 u128;
using u64 = std::uint64_t;

// Arithmetic modulo an odd n in Montgomery form (R = 2^64): a product costs
// two 64x64 multiplications and no division, which is what makes Pollard's
// rho fast enough for 16-digit semiprimes.
class Montgomery {
public:
    explicit Montgomery(u64 n) : n_(n) {
        // Newton's iteration doubles the correct low bits each step: 3 bits
        // are right for any odd n to start with, 6 steps reach 64.
        u64 inverse = n;
        for (int i = 0; i < 6; ++i) inverse *= 2 - n * inverse;
        inverse_ = inverse;
        r2_ = static_cast<u64>((static_cast<u128>(-n) % n) * (static_cast<u128>(-n) % n) % n);
        one_ = reduce(r2_);
    }

    u64 modulus() const { return n_; }
    u64 one() const { return one_; }
    u64 toForm(u64 a) const { return multiply(a % n_, r2_); }
    u64 fromForm(u64 a) const { return reduce(a); }

    u64 multiply(u64 a, u64 b) const { return reduce(static_cast<u128>(a) * b); }
    u64 add(u64 a, u64 b) const {
        const u64 sum = a + b;
        return (sum >= n_ || sum < a) ? sum - n_ : sum;
    }
    u64 subtract(u64 a, u64 b) const { return a >= b ? a - b : a + (n_ - b); }

    u64 power(u64 base, u64 exponent) const {
        u64 result = one_;
        while (exponent > 0) {
            if (exponent & 1) result = multiply(result, base);
            base = multiply(base, base);
            exponent >>= 1;
        }
        return result;
    }

private:
    // t * 2^-64 mod n for t < n * 2^64.
    u64 reduce(u128 t) const {
        const u64 m = static_cast<u64>(t) * inverse_;
        const u64 high = static_cast<u64>(t >> 64);
        const u64 mn = static_cast<u64>((static_cast<u128>(m) * n_) >> 64);
        return high >= mn ? high - mn : high + (n_ - mn);
    }

    u64 n_;
    u64 inverse_ = 0;
    u64 r2_ = 0;
    u64 one_ = 0;
};

constexpr u64 smallPrimes[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47, 53, 59, 61};

// Miller-Rabin with the seven bases known to decide every 64-bit number.
bool strongProbablePrime(u64 n) {
    const Montgomery mont(n);
    u64 odd = n - 1;
    int twos = 0;
    while ((odd & 1) == 0) {
        odd >>= 1;
        ++twos;
    }
    const u64 minusOne = mont.subtract(0, mont.one());
    for (u64 base : {2ULL, 325ULL, 9375ULL, 28178ULL, 450775ULL, 9780504ULL, 1795265022ULL}) {
        if (base % n == 0) continue;
        u64 x = mont.power(mont.toForm(base), odd);
        if (x == mont.one() || x == minusOne) continue;
        bool composite = true;
        for (int i = 1; i < twos && composite; ++i) {
            x = mont.multiply(x, x);
            if (x == minusOne) composite = false;
        }
        if (composite) return false;
    }
    return true;
}

// A proper divisor of the odd composite n (Pollard's rho, Brent's cycle
// search, gcds taken over batches of products).
u64 findDivisor(u64 n) {
    const Montgomery mont(n);
    constexpr u64 batch = 128;
    for (u64 c = 1;; ++c) {
        const u64 cm = mont.toForm(c);
        auto step = [&](u64 v) { return mont.add(mont.multiply(v, v), cm); };
        u64 y = mont.toForm(2);
        u64 x = y;
        u64 saved = y;
        u64 product = mont.one();
        u64 divisor = 1;
        for (u64 length = 1; divisor == 1; length <<= 1) {
            x = y;
            for (u64 i = 0; i < length; ++i) y = step(y);
            for (u64 done = 0; done < length && divisor == 1; done += batch) {
                saved = y;
                const u64 count = std::min(batch, length - done);
                for (u64 i = 0; i < count; ++i) {
                    y = step(y);
                    product = mont.multiply(product, mont.subtract(x, y));
                }
                divisor = std::gcd(mont.fromForm(product), n);
            }
        }
        if (divisor == n) {
            // The batch overshot: walk it again one step at a time.
            divisor = 1;
            while (divisor == 1) {
                saved = step(saved);
                divisor = std::gcd(mont.fromForm(mont.subtract(x, saved)), n);
            }
        }
        if (divisor != n) return divisor;
        // A bad polynomial: the cycles mod every factor closed together.
    }
}

void collectFactors(u64 n, std::vector<u64>& factors) {
    if (n == 1) return;
    if (isPrime(n)) {
        factors.push_back(n);
        return;
    }
    const u64 divisor = findDivisor(n);
    collectFactors(divisor, factors);
    collectFactors(n / divisor, factors);
}

}  // namespace

bool isPrime(std::uint64_t n) {
    if (n < 2) return false;
    for (u64 p : smallPrimes) {
        if (n == p) return true;
        if (n % p == 0) return false;
    }
    if (n < 61 * 61) return true;
    return strongProbablePrime(n);
}

std::vector<std::uint64_t> primeFactors(std::uint64_t n) {
    std::vector<u64> factors;
    if (n < 2) return factors;
    for (u64 p : smallPrimes) {
        while (n % p == 0) {
            factors.push_back(p);
            n /= p;
        }
    }
    collectFactors(n, factors);
    std::sort(factors.begin(), factors.end());
    return factors;
}

namespace {

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<std::uint64_t> exactWholeNumber(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty()) return std::nullopt;
    u64 value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') return std::nullopt;
        value = value * 10 + static_cast<u64>(ch - '0');
        if (value > largestFactorisable) return std::nullopt;
    }
    return value;
}

std::optional<std::string> typedDigits(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty()) return std::nullopt;
    for (char ch : text)
        if (ch < '0' || ch > '9') return std::nullopt;
    while (text.size() > 1 && text.front() == '0') text.remove_prefix(1);
    return std::string(text);
}

FactorisationInput rewriteFactorisationInput(std::string_view text) {
    if (auto digits = typedDigits(text)) return {std::move(*digits)};
    const expr::Evaluation result = expr::evaluateFormula(text);
    if (!result.ok()) return {std::string(text), result.failure};
    // The nearest whole number made non-negative: -12.6 becomes 13. Up to
    // 10^16 it is written with every digit, so that a formula such as
    // 2^53-1 is factorised as the number it computes, not as its 15-digit
    // rounding; larger values keep the usual number text.
    // (v + 0.5 itself would round to even above 2^52, turning 2^53 - 1 into 2^53.)
    double nearest = std::floor(result.value);
    if (result.value - nearest >= 0.5) nearest += 1;
    const double whole = std::fabs(nearest);
    if (whole <= 1e16) {
        char digits[32];
        const auto written = std::to_chars(digits, digits + sizeof digits, whole, std::chars_format::fixed, 0);
        return {std::string(digits, written.ptr)};
    }
    const double shown = numberFromText(numberText(result.value));
    return {numberText(std::fabs(std::floor(shown + 0.5)))};
}

FactorisationOutput factorisationText(std::string_view boxText) {
    u64 number = 0;
    if (const auto exact = exactWholeNumber(boxText)) {
        number = *exact;
    } else if (typedDigits(boxText)) {
        return {"数太大了！"};
    } else {
        const double value = expr::leadingNumber(boxText);
        if (value == 0) return {"有听过0也能分解的吗？"};
        if (value > 1e16) return {"数太大了！"};
        if (!(value > 0)) {
            // A negative number that never went through the box's rewrite.
            return {"Error" + failureText(FailureKind::InvalidArgument), true};
        }
        if (value != std::floor(value)) {
            // No whole number divides a fraction: it is its own only factor.
            return {std::string(boxText) + "=" + signedNumberText(value), false, true};
        }
        number = static_cast<u64>(value);
    }
    if (number == 0) return {"有听过0也能分解的吗？"};
    std::string line = std::string(boxText) + "=";
    if (number == 1) return {line + " 1", false, true};
    bool first = true;
    for (u64 factor : primeFactors(number)) {
        if (!first) line += '*';
        line += ' ';
        line += std::to_string(factor);
        first = false;
    }
    return {line, false, true};
}

}  // namespace numerelle::numtools
