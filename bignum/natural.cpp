#include "bignum/natural.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "bignum/natural_limbs.h"

namespace numerelle::bignum {
namespace {

constexpr std::size_t kWordDigits = 8;
constexpr std::uint64_t kByteOnes = 0x0101010101010101ull;
constexpr std::uint64_t kAsciiZeros = kByteOnes * '0';
constexpr std::uint64_t kCarryBias = 246;  // 256 - 10

std::size_t trailingZeros(std::string_view s) {
    std::size_t k = 0;
    while (k + 1 < s.size() && s[s.size() - 1 - k] == '0') ++k;
    return k;
}

// Eight digits at a time on the texts themselves: linear, one allocation.
// A word of eight ASCII digits is byte-swapped so that the least
// significant digit sits in the lowest byte; adding 246 to every byte makes
// a decimal carry a binary one, and the bytes that did not carry get their
// 246 back afterwards (subtraction: a decimal borrow is a binary borrow, and
// the bytes that borrowed give 246 back).
// The first digit of the text in the highest byte of the word.
std::uint64_t textOrder(std::uint64_t w) {
    if constexpr (std::endian::native == std::endian::little) return __builtin_bswap64(w);
    return w;
}

std::uint64_t loadDigits(const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return textOrder(w) - kAsciiZeros;
}

void storeDigits(char* p, std::uint64_t digits) {
    std::uint64_t w = textOrder(digits + kAsciiZeros);
    std::memcpy(p, &w, 8);
}

// Bytes whose top bit is set, as a 0/1 per byte.
std::uint64_t highBits(std::uint64_t w) {
    return (w >> 7) & kByteOnes;
}

}  // namespace

int naturalCompare(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string naturalAdd(std::string_view a, std::string_view b) {
    if (a.size() < b.size()) std::swap(a, b);
    std::string out;
    out.reserve(a.size() + 1);  // room for a carry out without a second buffer
    out.resize(a.size(), '0');
    const char* pa = a.data();
    const char* pb = b.data();
    char* po = out.data();
    std::size_t i = a.size();
    std::size_t j = b.size();
    unsigned carry = 0;
    while (j >= kWordDigits) {
        i -= kWordDigits;
        j -= kWordDigits;
        std::uint64_t sum = loadDigits(pa + i) + loadDigits(pb + j);
        std::uint64_t t, u;
        bool c1 = __builtin_add_overflow(sum, kByteOnes * kCarryBias, &t);
        bool c2 = __builtin_add_overflow(t, static_cast<std::uint64_t>(carry), &u);
        carry = c1 | c2;
        storeDigits(po + i, u - highBits(u) * kCarryBias);
    }
    while (j > 0) {
        --i;
        --j;
        unsigned d = static_cast<unsigned>(pa[i] - '0') + static_cast<unsigned>(pb[j] - '0') + carry;
        carry = d >= 10;
        po[i] = static_cast<char>('0' + (carry ? d - 10 : d));
    }
    while (carry && i > 0) {
        --i;
        unsigned d = static_cast<unsigned>(pa[i] - '0') + 1;
        carry = d >= 10;
        po[i] = static_cast<char>('0' + (carry ? 0 : d));
    }
    std::memcpy(po, pa, i);
    if (carry) out.insert(out.begin(), '1');
    return out;
}

std::string naturalSubtract(std::string_view a, std::string_view b) {
    std::string out(a.size(), '0');
    const char* pa = a.data();
    const char* pb = b.data();
    char* po = out.data();
    std::size_t i = a.size();
    std::size_t j = b.size();
    unsigned borrow = 0;
    while (j >= kWordDigits) {
        i -= kWordDigits;
        j -= kWordDigits;
        std::uint64_t t, u;
        bool b1 = __builtin_sub_overflow(loadDigits(pa + i), loadDigits(pb + j), &t);
        bool b2 = __builtin_sub_overflow(t, static_cast<std::uint64_t>(borrow), &u);
        borrow = b1 | b2;
        storeDigits(po + i, u - highBits(u) * kCarryBias);
    }
    while (j > 0) {
        --i;
        --j;
        int d = (pa[i] - '0') - (pb[j] - '0') - static_cast<int>(borrow);
        borrow = d < 0;
        po[i] = static_cast<char>('0' + (borrow ? d + 10 : d));
    }
    while (borrow && i > 0) {
        --i;
        int d = (pa[i] - '0') - 1;
        borrow = d < 0;
        po[i] = static_cast<char>('0' + (borrow ? 9 : d));
    }
    std::memcpy(po, pa, i);
    std::size_t lead = 0;
    while (lead + 1 < out.size() && out[lead] == '0') ++lead;
    if (lead > 0) out.erase(0, lead);
    return out;
}

std::optional<std::string> naturalMultiply(std::string_view a, std::string_view b, WorkControl& control) {
    if (control.cancelled()) return std::nullopt;
    if (a == "0" || b == "0") return std::string("0");
    // Trailing zeros cost nothing to multiply: set them aside.
    const std::size_t za = trailingZeros(a), zb = trailingZeros(b);
    limbs::Limbs x = limbs::fromDecimal(a.substr(0, a.size() - za));
    limbs::Limbs y = limbs::fromDecimal(b.substr(0, b.size() - zb));
    limbs::Limbs z = limbs::multiply(x, y);
    if (control.cancelled()) return std::nullopt;
    std::string out = limbs::toDecimal(z);
    out.append(za + zb, '0');
    return out;
}

std::string naturalMultiplySmall(std::string_view a, std::uint64_t factor) {
    limbs::Limbs x = limbs::fromDecimal(a);
    limbs::multiplySmall(x, factor);
    return limbs::toDecimal(x);
}

std::string naturalDivideSmall(std::string_view a, std::uint64_t divisor, std::uint64_t* remainder) {
    limbs::Limbs x = limbs::fromDecimal(a);
    std::uint64_t r = limbs::divideSmall(x, divisor);
    if (remainder) *remainder = r;
    return limbs::toDecimal(x);
}

std::uint64_t naturalModSmall(std::string_view a, std::uint64_t divisor) {
    // Nine digits at a time from the left; no copy of the number.
    const std::size_t head = a.size() % limbs::kLimbDigits;
    unsigned __int128 rem = 0;
    std::size_t pos = 0;
    auto group = [&](std::size_t len) {
        std::uint64_t v = 0;
        for (std::size_t k = 0; k < len; ++k) v = v * 10 + static_cast<std::uint64_t>(a[pos + k] - '0');
        pos += len;
        return v;
    };
    if (head > 0) {
        std::uint64_t scale = 1;
        for (std::size_t k = 0; k < head; ++k) scale *= 10;
        rem = (rem * scale + group(head)) % divisor;
    }
    while (pos < a.size()) rem = (rem * limbs::kBase + group(limbs::kLimbDigits)) % divisor;
    return static_cast<std::uint64_t>(rem);
}

}  // namespace numerelle::bignum
