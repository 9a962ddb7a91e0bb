// Factorials, powers, falling factorials and binomials: long products built
// by balanced product trees (so the big multiplications meet operands of
// equal size) and powers by repeated squaring.
#include <algorithm>
#include <cmath>
#include <limits>

#include "bignum/natural.h"
#include "bignum/natural_limbs.h"

namespace numerelle::bignum {
namespace {

using limbs::kBinomialSieveLimit;
static_assert(kBinomialSieveLimit < (std::uint64_t{1} << 32), "the sieve's exponents use 32-bit arithmetic");
using limbs::kBinomialSieveRatio;
using limbs::kSwingFactorialMin;
using limbs::Limbs;

// Words multiplied one after another into a leaf of the product tree.
constexpr std::size_t kLeafWords = 24;
// Product-tree nodes at least this long (in limbs) poll for cancellation.
constexpr std::size_t kPollLimbs = 256;

// Factors are packed into words up to the largest that multiplySmall takes
// in 64-bit arithmetic: two primes of 17 bits share a word.
constexpr std::uint64_t kWordLimit = limbs::kSmallFactorMax;

// Packs factors into as few words as possible, each product at most `limit`.
class WordPacker {
public:
    explicit WordPacker(std::uint64_t limit) : limit_(limit) {}
    void add(std::uint64_t f) {
        if (f <= 1) return;
        if (cur_ <= limit_ / f) {
            cur_ *= f;
        } else {
            words_.push_back(cur_);
            cur_ = f;
        }
    }
    std::vector<std::uint64_t> take() {
        if (cur_ > 1) words_.push_back(cur_);
        cur_ = 1;
        return std::move(words_);
    }

private:
    std::uint64_t limit_;
    std::uint64_t cur_ = 1;
    std::vector<std::uint64_t> words_;
};

struct TreeContext {
    WorkControl& control;
    double progressFrom;
    double progressTo;
    std::size_t total;
};

// Product of words[lo, hi); std::nullopt when cancelled.
std::optional<Limbs> wordProduct(const std::vector<std::uint64_t>& words, std::size_t lo, std::size_t hi,
                                 TreeContext& ctx) {
    if (hi - lo <= kLeafWords) {
        Limbs acc{1};
        for (std::size_t i = lo; i < hi; ++i) limbs::multiplySmall(acc, words[i]);
        return acc;
    }
    const std::size_t mid = lo + (hi - lo) / 2;
    auto left = wordProduct(words, lo, mid, ctx);
    if (!left) return std::nullopt;
    auto right = wordProduct(words, mid, hi, ctx);
    if (!right) return std::nullopt;
    if (left->size() >= kPollLimbs) {
        if (ctx.control.cancelled()) return std::nullopt;
        ctx.control.setProgress(ctx.progressFrom +
                                (ctx.progressTo - ctx.progressFrom) * static_cast<double>(hi) / ctx.total);
    }
    return limbs::multiply(*left, *right);
}

std::optional<Limbs> productOfWords(const std::vector<std::uint64_t>& words, WorkControl& control, double from = 0.0,
                                    double to = 1.0) {
    if (words.empty()) return Limbs{1};
    TreeContext ctx{control, from, to, words.size()};
    return wordProduct(words, 0, words.size(), ctx);
}

// Sieve of Eratosthenes over the odd numbers.
std::vector<std::uint32_t> primesUpTo(std::uint64_t limit) {
    std::vector<std::uint32_t> primes;
    if (limit < 2) return primes;
    // pi(x) < 1.26 x / ln x for x > 1, so every store below has room.
    const double x = static_cast<double>(limit);
    primes.resize(static_cast<std::size_t>(1.26 * x / std::log(x)) + 2);
    primes[0] = 2;
    const std::size_t half = static_cast<std::size_t>((limit - 1) / 2);  // index i stands for 2 i + 1
    std::vector<std::uint8_t> composite(half + 1, 0);
    for (std::size_t i = 1; (2 * i + 1) * (2 * i + 1) <= limit; ++i) {
        if (composite[i]) continue;
        const std::size_t p = 2 * i + 1;
        for (std::size_t j = (p * p - 1) / 2; j <= half; j += p) composite[j] = 1;
    }
    // Without a branch per number: which odd numbers are prime is
    // unpredictable, and the mispredictions cost more than the stores.
    std::size_t count = 1;
    for (std::size_t i = 1; i <= half; ++i) {
        primes[count] = static_cast<std::uint32_t>(2 * i + 1);
        count += composite[i] == 0;
    }
    primes.resize(count);
    return primes;
}

std::optional<std::uint64_t> toU64(std::string_view s) {
    if (s.size() > 20) return std::nullopt;
    unsigned __int128 v = 0;
    for (char c : s) v = v * 10 + static_cast<unsigned>(c - '0');
    if (v > std::numeric_limits<std::uint64_t>::max()) return std::nullopt;
    return static_cast<std::uint64_t>(v);
}

// Exponent of p in x! (Legendre).
std::uint64_t legendre(std::uint64_t x, std::uint64_t p) {
    std::uint64_t e = 0;
    while (x >= p) {
        x /= p;
        e += x;
    }
    return e;
}

// Binomial from the exponents of every prime up to n.
std::optional<std::string> binomialBySieve(std::uint64_t n, std::uint64_t m, WorkControl& control) {
    const std::vector<std::uint32_t> primes = primesUpTo(n);
    WordPacker packer(kWordLimit);
    // n <= kBinomialSieveLimit < 2^32: 32-bit divisions, several times
    // cheaper than 64-bit ones, for the one quotient or so each prime needs.
    const auto n32 = static_cast<std::uint32_t>(n), m32 = static_cast<std::uint32_t>(m);
    for (std::uint32_t p : primes) {
        if (p > n32 / 2) {
            // One multiple of p in 1 … n: it divides the binomial exactly
            // when it lies in the top block n - m + 1 … n (m <= n - m here).
            if (p > n32 - m32) packer.add(p);
            continue;
        }
        if (p > n32 / p) {
            // p^2 > n: the exponent is the carry of m + (n - m) in base p
            // (Kummer), 1 exactly when n mod p < m mod p.
            if (n32 % p < m32 % p) packer.add(p);
            continue;
        }
        std::uint64_t e = legendre(n, p) - legendre(m, p) - legendre(n - m, p);
        for (std::uint64_t k = 0; k < e; ++k) packer.add(p);
    }
    auto r = productOfWords(packer.take(), control);
    if (!r) return std::nullopt;
    return limbs::toDecimal(*r);
}

// Binomial from the block n - m + 1 … n with the primes of m! divided out.
std::optional<std::string> binomialByBlock(std::uint64_t n, std::uint64_t m, WorkControl& control) {
    std::vector<std::uint64_t> terms(m);
    for (std::uint64_t i = 0; i < m; ++i) terms[i] = n - m + 1 + i;
    for (std::uint32_t p : primesUpTo(m)) {
        if (control.cancelled()) return std::nullopt;
        std::uint64_t e = legendre(m, p);
        std::uint64_t first = (p - (n - m + 1) % p) % p;
        for (std::uint64_t i = first; e > 0 && i < m; i += p) {
            while (e > 0 && terms[i] % p == 0) {
                terms[i] /= p;
                --e;
            }
        }
    }
    const std::uint64_t limit = n <= kWordLimit ? kWordLimit : std::numeric_limits<std::uint64_t>::max();
    WordPacker packer(limit);
    for (std::uint64_t t : terms) packer.add(t);
    auto r = productOfWords(packer.take(), control);
    if (!r) return std::nullopt;
    return limbs::toDecimal(*r);
}

// Product of the limb vectors n - lo, …, n - (hi - 1), for n beyond 64 bits.
std::optional<Limbs> bigBlockProduct(const std::vector<Limbs>& terms, std::size_t lo, std::size_t hi,
                                     WorkControl& control) {
    if (hi - lo == 1) return terms[lo];
    const std::size_t mid = lo + (hi - lo) / 2;
    auto left = bigBlockProduct(terms, lo, mid, control);
    if (!left) return std::nullopt;
    auto right = bigBlockProduct(terms, mid, hi, control);
    if (!right) return std::nullopt;
    if (control.cancelled()) return std::nullopt;
    return limbs::multiply(*left, *right);
}

void subtractSmall(Limbs& a, std::uint64_t v) {
    // a -= v, a >= v.
    std::uint64_t borrow = v;
    for (std::size_t i = 0; borrow != 0 && i < a.size(); ++i) {
        std::uint64_t sub = borrow % limbs::kBase;
        borrow /= limbs::kBase;
        if (a[i] >= sub) {
            a[i] = static_cast<limbs::Limb>(a[i] - sub);
        } else {
            a[i] = static_cast<limbs::Limb>(a[i] + limbs::kBase - sub);
            ++borrow;
        }
    }
    limbs::trim(a);
}

// The terms n - m + 1 … n for n beyond 64 bits (so every term exceeds m).
// Empty when cancelled: each term is a copy of a long n.
std::optional<std::vector<Limbs>> bigTerms(std::string_view n, std::uint32_t m, WorkControl& control) {
    Limbs top = limbs::fromDecimal(n);
    std::vector<Limbs> terms(m);
    for (std::uint32_t i = 0; i < m; ++i) {
        if (control.cancelled()) return std::nullopt;
        terms[i] = top;
        subtractSmall(terms[i], m - 1 - i);
    }
    return terms;
}

std::uint64_t modLimbs(const Limbs& a, std::uint64_t p) {
    std::uint64_t rem = 0;
    for (std::size_t i = a.size(); i-- > 0;) rem = (rem * limbs::kBase + a[i]) % p;
    return rem;
}

// The swinging factorial n! / (floor(n/2)!)^2: every prime p <= n to the
// power of the number of odd quotients floor(n / p^k).
std::optional<Limbs> swing(std::uint64_t n, const std::vector<std::uint32_t>& primes, WorkControl& control,
                           double progress) {
    WordPacker packer(kWordLimit);
    for (std::uint32_t p : primes) {
        if (p > n) break;
        std::uint64_t q = n;
        while (q >= p) {
            q /= p;
            if (q & 1) packer.add(p);
        }
    }
    return productOfWords(packer.take(), control, progress, progress);
}

// n! = (floor(n/2)!)^2 * swing(n): one squaring per halving instead of a
// full product tree over 2 … n. The work of the level of n grows about
// linearly with n, so n / top is the share done once that level is built.
std::optional<Limbs> swingFactorial(std::uint64_t n, std::uint64_t top, const std::vector<std::uint32_t>& primes,
                                    WorkControl& control) {
    const double before = static_cast<double>(n / 2) / static_cast<double>(top);
    if (n < kSwingFactorialMin) {
        WordPacker packer(kWordLimit);
        for (std::uint64_t i = 2; i <= n; ++i) packer.add(i);
        return productOfWords(packer.take(), control, before, before);
    }
    auto half = swingFactorial(n / 2, top, primes, control);
    if (!half) return std::nullopt;
    auto s = swing(n, primes, control, before);
    if (!s || control.cancelled()) return std::nullopt;
    Limbs sq = limbs::square(*half);
    half->clear();
    half->shrink_to_fit();
    if (control.cancelled()) return std::nullopt;
    Limbs result = limbs::multiply(sq, *s);
    control.setProgress(static_cast<double>(n) / static_cast<double>(top));
    return result;
}

}  // namespace

std::optional<std::string> naturalFactorial(std::uint32_t n, WorkControl& control) {
    if (n < kSwingFactorialMin) {
        WordPacker packer(kWordLimit);
        for (std::uint64_t i = 2; i <= n; ++i) packer.add(i);
        auto r = productOfWords(packer.take(), control);
        if (!r) return std::nullopt;
        return limbs::toDecimal(*r);
    }
    const std::vector<std::uint32_t> primes = primesUpTo(n);
    auto r = swingFactorial(n, n, primes, control);
    if (!r) return std::nullopt;
    return limbs::toDecimal(*r);
}

std::optional<std::string> naturalPower(std::string_view base, std::uint64_t exponent, WorkControl& control) {
    if (exponent == 0) return std::string("1");
    if (base == "0" || base == "1") return std::string(base);
    // base = digits * 10^zeros; the zeros are appended at the end.
    std::size_t zeros = 0;
    while (base[base.size() - 1 - zeros] == '0') ++zeros;
    const Limbs b = limbs::fromDecimal(base.substr(0, base.size() - zeros));
    const bool smallBase = b.size() <= 1;
    int top = 63;
    while (((exponent >> top) & 1) == 0) --top;
    Limbs r = b;
    for (int bit = top - 1; bit >= 0; --bit) {
        if (control.cancelled()) return std::nullopt;
        // Each step doubles the length, so the steps left weigh 2^-bit.
        control.setProgress(std::ldexp(1.0, -(bit + 1)));
        r = limbs::square(r);
        if ((exponent >> bit) & 1) {
            if (smallBase) {
                limbs::multiplySmall(r, b[0]);
            } else {
                r = limbs::multiply(r, b);
            }
        }
    }
    control.setProgress(1.0);
    std::string out = limbs::toDecimal(r);
    if (zeros > 0) out.append(zeros * exponent, '0');
    return out;
}

std::optional<std::string> naturalFallingFactorial(std::string_view n, std::uint32_t m, WorkControl& control) {
    if (m == 0) return std::string("1");
    if (naturalCompare(n, std::to_string(m)) < 0) return std::string("0");
    if (auto small = toU64(n)) {
        const std::uint64_t limit = *small <= kWordLimit ? kWordLimit : std::numeric_limits<std::uint64_t>::max();
        WordPacker packer(limit);
        for (std::uint64_t i = 0; i < m; ++i) packer.add(*small - i);
        auto r = productOfWords(packer.take(), control);
        if (!r) return std::nullopt;
        return limbs::toDecimal(*r);
    }
    const auto terms = bigTerms(n, m, control);
    if (!terms) return std::nullopt;
    auto r = bigBlockProduct(*terms, 0, m, control);
    if (!r) return std::nullopt;
    return limbs::toDecimal(*r);
}

std::optional<std::string> naturalBinomial(std::string_view n, std::uint32_t m, WorkControl& control) {
    if (naturalCompare(n, std::to_string(m)) < 0) return std::string("0");
    if (auto small = toU64(n)) {
        const std::uint64_t nn = *small;
        const std::uint64_t mm = std::min<std::uint64_t>(m, nn - m);
        if (mm == 0) return std::string("1");
        if (nn <= kBinomialSieveLimit && nn / kBinomialSieveRatio <= mm) return binomialBySieve(nn, mm, control);
        return binomialByBlock(nn, mm, control);
    }
    if (m == 0) return std::string("1");
    // n beyond 64 bits: divide m!'s primes out of the block of terms.
    std::optional<std::vector<Limbs>> block = bigTerms(n, m, control);
    if (!block) return std::nullopt;
    std::vector<Limbs>& terms = *block;
    const Limbs first = terms[0];  // the terms are divided in place below
    for (std::uint32_t p : primesUpTo(m)) {
        if (control.cancelled()) return std::nullopt;
        std::uint64_t e = legendre(m, p);
        std::uint64_t startIndex = (p - modLimbs(first, p)) % p;
        for (std::uint64_t i = startIndex; e > 0 && i < m; i += p) {
            while (e > 0 && modLimbs(terms[i], p) == 0) {
                limbs::divideSmall(terms[i], p);
                --e;
            }
        }
    }
    auto r = bigBlockProduct(terms, 0, m, control);
    if (!r) return std::nullopt;
    return limbs::toDecimal(*r);
}

}  // namespace numerelle::bignum
