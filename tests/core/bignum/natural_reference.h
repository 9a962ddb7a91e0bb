#pragma once
// Slow, obviously correct natural-number arithmetic that the fast engine is
// checked against: schoolbook on limbs of 10^9, one factor at a time.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace numerelle::bignum::reference {

using Digits = std::vector<std::uint32_t>;
constexpr std::uint32_t kBase = 1000000000u;

inline void trim(Digits& a) {
    while (!a.empty() && a.back() == 0) a.pop_back();
}

inline Digits parse(std::string_view s) {
    Digits out;
    std::size_t end = s.size();
    while (end > 0) {
        std::size_t begin = end >= 9 ? end - 9 : 0;
        std::uint32_t v = 0;
        for (std::size_t i = begin; i < end; ++i) v = v * 10 + static_cast<std::uint32_t>(s[i] - '0');
        out.push_back(v);
        end = begin;
    }
    trim(out);
    return out;
}

inline std::string print(Digits a) {
    trim(a);
    if (a.empty()) return "0";
    std::string out = std::to_string(a.back());
    for (std::size_t i = a.size() - 1; i-- > 0;) {
        std::string part = std::to_string(a[i]);
        out += std::string(9 - part.size(), '0') + part;
    }
    return out;
}

inline Digits mul(const Digits& a, const Digits& b) {
    if (a.empty() || b.empty()) return {};
    Digits z(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.size(); ++j) {
            std::uint64_t t = static_cast<std::uint64_t>(a[i]) * b[j] + z[i + j] + carry;
            z[i + j] = static_cast<std::uint32_t>(t % kBase);
            carry = t / kBase;
        }
        // Each step stays below kBase^2, so the carry fits one limb, and no
        // earlier row reached this one (Knuth's algorithm M).
        z[i + b.size()] = static_cast<std::uint32_t>(carry);
    }
    trim(z);
    return z;
}

inline std::uint32_t divSmall(Digits& a, std::uint32_t d) {
    std::uint64_t rem = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        std::uint64_t cur = rem * kBase + a[i];
        a[i] = static_cast<std::uint32_t>(cur / d);
        rem = cur % d;
    }
    trim(a);
    return static_cast<std::uint32_t>(rem);
}

inline std::string add(std::string_view x, std::string_view y) {
    Digits a = parse(x), b = parse(y);
    if (a.size() < b.size()) a.swap(b);
    std::uint32_t carry = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::uint32_t t = a[i] + (i < b.size() ? b[i] : 0) + carry;
        carry = t >= kBase;
        a[i] = carry ? t - kBase : t;
    }
    if (carry) a.push_back(1);
    return print(a);
}

inline std::string subtract(std::string_view x, std::string_view y) {
    Digits a = parse(x), b = parse(y);
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::int64_t t = static_cast<std::int64_t>(a[i]) - (i < b.size() ? b[i] : 0) - borrow;
        borrow = t < 0;
        a[i] = static_cast<std::uint32_t>(borrow ? t + kBase : t);
    }
    return print(a);
}

inline std::string multiply(std::string_view x, std::string_view y) {
    return print(mul(parse(x), parse(y)));
}

inline std::string factorial(std::uint32_t n) {
    Digits r{1};
    for (std::uint32_t i = 2; i <= n; ++i) r = mul(r, Digits{i});
    return print(r);
}

inline std::string power(std::string_view base, std::uint32_t e) {
    Digits b = parse(base), r{1};
    for (std::uint32_t i = 0; i < e; ++i) r = mul(r, b);
    return print(r);
}

// n (n-1) … (n-m+1), one factor at a time; n - i computed by subtraction.
// Choosing divides by i after the i-th factor, exact at every step: the
// product so far is C(n, i).
inline std::string fallingProduct(std::string_view n, std::uint32_t m, bool choose) {
    Digits r{1};
    std::string cur(n);
    for (std::uint32_t i = 1; i <= m; ++i) {
        if (cur == "0") return "0";
        r = mul(r, parse(cur));
        if (choose) divSmall(r, i);
        cur = subtract(cur, "1");
    }
    return print(r);
}

inline std::string falling(std::string_view n, std::uint32_t m) {
    return fallingProduct(n, m, false);
}

inline std::string binomial(std::string_view n, std::uint32_t m) {
    return fallingProduct(n, m, true);
}

}  // namespace numerelle::bignum::reference
