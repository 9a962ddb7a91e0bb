#include "bignum/natural.h"

#include <algorithm>
#include <vector>

// Plain schoolbook engine on limbs of 10^9 (least significant first).
namespace numerelle::bignum {
namespace {

constexpr std::uint32_t kBase = 1000000000u;
constexpr int kLimbDigits = 9;
using Limbs = std::vector<std::uint32_t>;

Limbs toLimbs(std::string_view s) {
    Limbs out;
    out.reserve(s.size() / kLimbDigits + 1);
    std::size_t end = s.size();
    while (end > 0) {
        std::size_t begin = end >= kLimbDigits ? end - kLimbDigits : 0;
        std::uint32_t v = 0;
        for (std::size_t i = begin; i < end; ++i) v = v * 10 + static_cast<std::uint32_t>(s[i] - '0');
        out.push_back(v);
        end = begin;
    }
    while (!out.empty() && out.back() == 0) out.pop_back();
    return out;
}

std::string fromLimbs(const Limbs& a) {
    std::size_t n = a.size();
    while (n > 0 && a[n - 1] == 0) --n;
    if (n == 0) return "0";
    std::string out = std::to_string(a[n - 1]);
    for (std::size_t i = n - 1; i-- > 0;) {
        char buf[kLimbDigits];
        std::uint32_t v = a[i];
        for (int k = kLimbDigits - 1; k >= 0; --k) {
            buf[k] = static_cast<char>('0' + v % 10);
            v /= 10;
        }
        out.append(buf, kLimbDigits);
    }
    return out;
}

void trim(Limbs& a) {
    while (!a.empty() && a.back() == 0) a.pop_back();
}

Limbs mulLimbs(const Limbs& a, const Limbs& b) {
    if (a.empty() || b.empty()) return {};
    Limbs z(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.size(); ++j) {
            std::uint64_t t = static_cast<std::uint64_t>(a[i]) * b[j] + z[i + j] + carry;
            z[i + j] = static_cast<std::uint32_t>(t % kBase);
            carry = t / kBase;
        }
        std::size_t k = i + b.size();
        while (carry != 0) {
            std::uint64_t t = z[k] + carry;
            z[k] = static_cast<std::uint32_t>(t % kBase);
            carry = t / kBase;
            ++k;
        }
    }
    trim(z);
    return z;
}

void mulSmallInPlace(Limbs& a, std::uint64_t f) {
    if (f == 0) {
        a.clear();
        return;
    }
    unsigned __int128 carry = 0;
    for (auto& limb : a) {
        unsigned __int128 t = static_cast<unsigned __int128>(limb) * f + carry;
        limb = static_cast<std::uint32_t>(t % kBase);
        carry = t / kBase;
    }
    while (carry != 0) {
        a.push_back(static_cast<std::uint32_t>(carry % kBase));
        carry /= kBase;
    }
}

std::uint64_t divSmallInPlace(Limbs& a, std::uint64_t d) {
    unsigned __int128 rem = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        unsigned __int128 cur = rem * kBase + a[i];
        a[i] = static_cast<std::uint32_t>(cur / d);
        rem = cur % d;
    }
    trim(a);
    return static_cast<std::uint64_t>(rem);
}

}  // namespace

int naturalCompare(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string naturalAdd(std::string_view a, std::string_view b) {
    Limbs x = toLimbs(a), y = toLimbs(b);
    if (x.size() < y.size()) std::swap(x, y);
    std::uint32_t carry = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        std::uint32_t t = x[i] + (i < y.size() ? y[i] : 0) + carry;
        carry = t >= kBase;
        x[i] = carry ? t - kBase : t;
    }
    if (carry) x.push_back(1);
    return fromLimbs(x);
}

std::string naturalSubtract(std::string_view a, std::string_view b) {
    Limbs x = toLimbs(a), y = toLimbs(b);
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        std::int64_t t = static_cast<std::int64_t>(x[i]) - (i < y.size() ? y[i] : 0) - borrow;
        borrow = t < 0;
        x[i] = static_cast<std::uint32_t>(borrow ? t + kBase : t);
    }
    return fromLimbs(x);
}

std::optional<std::string> naturalMultiply(std::string_view a, std::string_view b, WorkControl& control) {
    if (control.cancelled()) return std::nullopt;
    return fromLimbs(mulLimbs(toLimbs(a), toLimbs(b)));
}

std::string naturalMultiplySmall(std::string_view a, std::uint64_t factor) {
    Limbs x = toLimbs(a);
    mulSmallInPlace(x, factor);
    return fromLimbs(x);
}

std::string naturalDivideSmall(std::string_view a, std::uint64_t divisor, std::uint64_t* remainder) {
    Limbs x = toLimbs(a);
    std::uint64_t r = divSmallInPlace(x, divisor);
    if (remainder) *remainder = r;
    return fromLimbs(x);
}

std::uint64_t naturalModSmall(std::string_view a, std::uint64_t divisor) {
    Limbs x = toLimbs(a);
    return divSmallInPlace(x, divisor);
}

std::optional<std::string> naturalFactorial(std::uint32_t n, WorkControl& control) {
    Limbs x{1};
    for (std::uint32_t i = 2; i <= n; ++i) {
        if (control.cancelled()) return std::nullopt;
        mulSmallInPlace(x, i);
    }
    return fromLimbs(x);
}

std::optional<std::string> naturalPower(std::string_view base, std::uint64_t exponent, WorkControl& control) {
    Limbs result{1};
    Limbs b = toLimbs(base);
    while (exponent > 0) {
        if (control.cancelled()) return std::nullopt;
        if (exponent & 1) result = mulLimbs(result, b);
        exponent >>= 1;
        if (exponent) b = mulLimbs(b, b);
    }
    return fromLimbs(result);
}

std::optional<std::string> naturalFallingFactorial(std::string_view n, std::uint32_t m, WorkControl& control) {
    Limbs x = toLimbs(n);
    Limbs result{1};
    for (std::uint32_t i = 0; i < m; ++i) {
        if (control.cancelled()) return std::nullopt;
        if (x.empty()) return std::string("0");
        result = mulLimbs(result, x);
        // x -= 1
        std::size_t k = 0;
        while (x[k] == 0) x[k++] = kBase - 1;
        --x[k];
        trim(x);
    }
    return fromLimbs(result);
}

std::optional<std::string> naturalBinomial(std::string_view n, std::uint32_t m, WorkControl& control) {
    if (naturalCompare(n, std::to_string(m)) < 0) return std::string("0");
    // C(n, m) built as C(n-m+i, i) = C(n-m+i-1, i-1) * (n-m+i) / i, exact at every step.
    Limbs top = toLimbs(naturalSubtract(n, std::to_string(m)));
    Limbs result{1};
    for (std::uint32_t i = 1; i <= m; ++i) {
        if (control.cancelled()) return std::nullopt;
        // top = n - m + i
        std::size_t k = 0;
        while (k < top.size() && top[k] == kBase - 1) top[k++] = 0;
        if (k == top.size()) top.push_back(1); else ++top[k];
        result = mulLimbs(result, top);
        divSmallInPlace(result, i);
    }
    return fromLimbs(result);
}

}  // namespace numerelle::bignum
