#include "bignum/natural_limbs.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace numerelle::bignum::limbs {

namespace plain {
#include "bignum/natural_kernels.h"
}  // namespace plain

namespace {

constexpr std::size_t kStackAccumulator = 256;

const char kTwoDigits[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void writeNineDigits(char* out, Limb v) {
    char* p = out + kLimbDigits;
    for (int k = 0; k < 4; ++k) {
        Limb q = v / 100;
        p -= 2;
        std::memcpy(p, kTwoDigits + 2 * (v - q * 100), 2);
        v = q;
    }
    *--p = static_cast<char>('0' + v);
}

// r[0..xn) = x + y (xn >= yn); returns the carry out.
Limb addSpans(Limb* r, const Limb* x, std::size_t xn, const Limb* y, std::size_t yn) {
    Limb carry = 0;
    std::size_t i = 0;
    for (; i < yn; ++i) {
        Limb t = x[i] + y[i] + carry;
        carry = t >= kBase;
        r[i] = carry ? t - kBase : t;
    }
    for (; i < xn; ++i) {
        Limb t = x[i] + carry;
        carry = t >= kBase;
        r[i] = carry ? t - kBase : t;
    }
    return carry;
}

// z += x; the sum must fit in zn limbs.
void addInPlace(Limb* z, std::size_t zn, const Limb* x, std::size_t xn) {
    Limb carry = 0;
    std::size_t i = 0;
    for (; i < xn; ++i) {
        Limb t = z[i] + x[i] + carry;
        carry = t >= kBase;
        z[i] = carry ? t - kBase : t;
    }
    for (; carry != 0 && i < zn; ++i) {
        Limb t = z[i] + 1;
        carry = t >= kBase;
        z[i] = carry ? 0 : t;
    }
}

// z -= x; requires z >= x.
void subInPlace(Limb* z, std::size_t zn, const Limb* x, std::size_t xn) {
    Limb borrow = 0;
    std::size_t i = 0;
    for (; i < xn; ++i) {
        Limb sub = x[i] + borrow;
        borrow = z[i] < sub;
        z[i] = borrow ? z[i] + kBase - sub : z[i] - sub;
    }
    for (; borrow != 0 && i < zn; ++i) {
        borrow = z[i] == 0;
        z[i] = borrow ? kBase - 1 : z[i] - 1;
    }
}

std::size_t significant(const Limb* a, std::size_t n) {
    while (n > 0 && a[n - 1] == 0) --n;
    return n;
}

void mulAuto(const Limb* a, std::size_t n, const Limb* b, std::size_t m, Limb* z, MulAlgorithm ceiling);
void sqrAuto(const Limb* a, std::size_t n, Limb* z, MulAlgorithm ceiling);

// One Karatsuba step; the three half products recurse through mulAuto.
void karatsubaStep(const Limb* a, std::size_t n, const Limb* b, std::size_t m, Limb* z, MulAlgorithm ceiling) {
    const std::size_t h = (n + 1) / 2;
    if (m <= h) {
        // Unbalanced: cut the longer operand into pieces as long as the shorter.
        std::fill(z, z + n + m, 0);
        Limbs piece(2 * m);
        for (std::size_t off = 0; off < n; off += m) {
            std::size_t len = std::min(m, n - off);
            mulAuto(a + off, len, b, m, piece.data(), ceiling);
            addInPlace(z + off, n + m - off, piece.data(), len + m);
        }
        return;
    }
    mulAuto(a, h, b, h, z, ceiling);                          // a0 b0
    mulAuto(a + h, n - h, b + h, m - h, z + 2 * h, ceiling);  // a1 b1
    Limbs scratch(4 * h + 4);
    Limb* sa = scratch.data();
    Limb* sb = sa + h + 1;
    Limb* mid = sb + h + 1;
    sa[h] = addSpans(sa, a, h, a + h, n - h);
    sb[h] = addSpans(sb, b, h, b + h, m - h);
    std::size_t la = significant(sa, h + 1), lb = significant(sb, h + 1);
    std::fill(mid, mid + 2 * h + 2, 0);
    mulAuto(sa, la, sb, lb, mid, ceiling);
    subInPlace(mid, 2 * h + 2, z, 2 * h);
    subInPlace(mid, 2 * h + 2, z + 2 * h, n + m - 2 * h);
    addInPlace(z + h, n + m - h, mid, significant(mid, 2 * h + 2));
}

void karatsubaSquareStep(const Limb* a, std::size_t n, Limb* z, MulAlgorithm ceiling) {
    const std::size_t h = (n + 1) / 2;
    sqrAuto(a, h, z, ceiling);
    sqrAuto(a + h, n - h, z + 2 * h, ceiling);
    Limbs scratch(3 * h + 3);
    Limb* sa = scratch.data();
    Limb* mid = sa + h + 1;
    sa[h] = addSpans(sa, a, h, a + h, n - h);
    std::size_t la = significant(sa, h + 1);
    std::fill(mid, mid + 2 * h + 2, 0);
    sqrAuto(sa, la, mid, ceiling);
    subInPlace(mid, 2 * h + 2, z, 2 * h);
    subInPlace(mid, 2 * h + 2, z + 2 * h, 2 * n - 2 * h);
    addInPlace(z + h, 2 * n - h, mid, significant(mid, 2 * h + 2));
}

void mulAuto(const Limb* a, std::size_t n, const Limb* b, std::size_t m, Limb* z, MulAlgorithm ceiling) {
    if (n < m) {
        std::swap(a, b);
        std::swap(n, m);
    }
    if (m == 0) {
        std::fill(z, z + n, 0);
        return;
    }
    if (ceiling == MulAlgorithm::Schoolbook || m < kKaratsubaThreshold) {
        mulSchoolbook(a, n, b, m, z);
    } else if (ceiling != MulAlgorithm::Karatsuba && transformPays(n, m)) {
        mulTransform(a, n, b, m, z);
    } else {
        karatsubaStep(a, n, b, m, z, ceiling);
    }
}

void sqrAuto(const Limb* a, std::size_t n, Limb* z, MulAlgorithm ceiling) {
    if (n == 0) return;
    if (ceiling == MulAlgorithm::Schoolbook || n < kKaratsubaThreshold) {
        mulSchoolbook(a, n, a, n, z);
    } else if (ceiling != MulAlgorithm::Karatsuba && transformPays(n, n)) {
        sqrTransform(a, n, z);
    } else {
        karatsubaSquareStep(a, n, z, ceiling);
    }
}

}  // namespace

Limbs fromDecimal(std::string_view s) {
    Limbs out((s.size() + kLimbDigits - 1) / kLimbDigits);
    std::size_t end = s.size();
    std::size_t k = 0;
    while (end >= kLimbDigits) {
        const char* p = s.data() + end - kLimbDigits;
        Limb v = 0;
        for (int i = 0; i < kLimbDigits; ++i) v = v * 10 + static_cast<Limb>(p[i] - '0');
        out[k++] = v;
        end -= kLimbDigits;
    }
    if (end > 0) {
        Limb v = 0;
        for (std::size_t i = 0; i < end; ++i) v = v * 10 + static_cast<Limb>(s[i] - '0');
        out[k++] = v;
    }
    trim(out);
    return out;
}

std::string toDecimal(const Limbs& a) {
    std::size_t n = significant(a.data(), a.size());
    if (n == 0) return "0";
    std::string top = std::to_string(a[n - 1]);
    std::string out(top.size() + (n - 1) * kLimbDigits, '0');
    std::memcpy(out.data(), top.data(), top.size());
    char* p = out.data() + top.size();
    for (std::size_t i = n - 1; i-- > 0; p += kLimbDigits) writeNineDigits(p, a[i]);
    return out;
}

void trim(Limbs& a) {
    a.resize(significant(a.data(), a.size()));
}

void mulSchoolbook(const Limb* a, std::size_t n, const Limb* b, std::size_t m, Limb* z) {
    if (n < m) {
        std::swap(a, b);
        std::swap(n, m);
    }
    const std::size_t total = n + m;
    std::uint64_t stackAcc[kStackAccumulator];
    std::vector<std::uint64_t> heapAcc;
    std::uint64_t* acc = stackAcc;
    if (total > kStackAccumulator) {
        heapAcc.resize(total);
        acc = heapAcc.data();
    }
    if (kernelsUseAvx2()) {
        avx2::schoolbook(a, n, b, m, z, acc);
    } else {
        plain::schoolbook(a, n, b, m, z, acc);
    }
}

bool transformPays(std::size_t n, std::size_t m) {
    if (std::min(n, m) < kTransformThreshold) return false;
    std::size_t length = 1;
    int log = 0;
    while (length < n + m - 1) {
        length *= 2;
        ++log;
    }
    const double karatsuba =
        kKaratsubaCost * static_cast<double>(std::max(n, m)) * std::pow(static_cast<double>(std::min(n, m)), 0.585);
    const double transform = kTransformCost * static_cast<double>(length) * log;
    return transform < karatsuba;
}

bool kernelsUseAvx2() {
    static const bool kAvx2 = avx2::available();
    return kAvx2;
}

Limbs multiply(const Limbs& a, const Limbs& b, MulAlgorithm algorithm) {
    if (a.empty() || b.empty()) return {};
    Limbs z(a.size() + b.size());
    if (&a == &b) {
        sqrAuto(a.data(), a.size(), z.data(), algorithm);
    } else if (algorithm == MulAlgorithm::Transform) {
        mulTransform(a.data(), a.size(), b.data(), b.size(), z.data());
    } else {
        mulAuto(a.data(), a.size(), b.data(), b.size(), z.data(), algorithm);
    }
    trim(z);
    return z;
}

Limbs square(const Limbs& a, MulAlgorithm algorithm) {
    if (a.empty()) return {};
    Limbs z(2 * a.size());
    if (algorithm == MulAlgorithm::Transform) {
        sqrTransform(a.data(), a.size(), z.data());
    } else {
        sqrAuto(a.data(), a.size(), z.data(), algorithm);
    }
    trim(z);
    return z;
}

void multiplySmall(Limbs& a, std::uint64_t factor) {
    if (factor == 0 || a.empty()) {
        a.clear();
        return;
    }
    if (factor <= kSmallFactorMax) {
        // limb * factor + carry < 10^9 factor stays in 64 bits (carry < factor).
        std::uint64_t carry = 0;
        for (auto& limb : a) {
            std::uint64_t t = limb * factor + carry;
            carry = t / kBase;
            limb = static_cast<Limb>(t - carry * kBase);
        }
        while (carry != 0) {
            a.push_back(static_cast<Limb>(carry % kBase));
            carry /= kBase;
        }
        return;
    }
    unsigned __int128 carry = 0;
    for (auto& limb : a) {
        unsigned __int128 t = static_cast<unsigned __int128>(limb) * factor + carry;
        carry = t / kBase;
        limb = static_cast<Limb>(t - carry * kBase);
    }
    while (carry != 0) {
        a.push_back(static_cast<Limb>(carry % kBase));
        carry /= kBase;
    }
}

std::uint64_t divideSmall(Limbs& a, std::uint64_t divisor) {
    if (divisor <= 0xFFFFFFFFu) {
        std::uint64_t rem = 0;
        for (std::size_t i = a.size(); i-- > 0;) {
            std::uint64_t cur = rem * kBase + a[i];
            std::uint64_t q = cur / divisor;
            rem = cur - q * divisor;
            a[i] = static_cast<Limb>(q);
        }
        trim(a);
        return rem;
    }
    unsigned __int128 rem = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        unsigned __int128 cur = rem * kBase + a[i];
        unsigned __int128 q = cur / divisor;
        rem = cur - q * divisor;
        a[i] = static_cast<Limb>(q);
    }
    trim(a);
    return static_cast<std::uint64_t>(rem);
}

}  // namespace numerelle::bignum::limbs
