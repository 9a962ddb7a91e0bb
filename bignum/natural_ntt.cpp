// Multiplication of long limb vectors by number-theoretic transforms modulo
// three primes below 2^31, joined by the Chinese remainder theorem. Each
// convolution coefficient is below n * (10^9)^2, far under the primes'
// product (about 2^90), so the joined value is exact.
#include <memory>
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "bignum/natural_limbs.h"

namespace numerelle::bignum::limbs {

namespace plain {
#include "bignum/natural_kernels.h"
}  // namespace plain

namespace {

std::size_t transformLength(std::size_t resultLimbs) {
    std::size_t n = 1;
    while (n < resultLimbs) n *= 2;
    return n;
}

void convolveAll(const Limb* a, std::size_t an, const Limb* b, std::size_t bn, Limb* z) {
    const std::size_t zn = an + (b ? bn : an);
    const std::size_t n = transformLength(zn - 1);
    // Every word is written before it is read (the operands are loaded with
    // their zero padding, the roots built): no zeroing of 20 n bytes first.
    const auto buffer = std::make_unique_for_overwrite<std::uint32_t[]>(5 * n);
    if (kernelsUseAvx2()) {
        avx2::convolveAndJoin(a, an, b, bn, n, buffer.get(), z, zn);
    } else {
        plain::convolveAndJoin(a, an, b, bn, n, buffer.get(), z, zn);
    }
}

}  // namespace

void mulTransform(const Limb* a, std::size_t n, const Limb* b, std::size_t m, Limb* z) {
    if (n < m) {
        std::swap(a, b);
        std::swap(n, m);
    }
    if (m == 0) {
        std::fill(z, z + n, 0);
        return;
    }
    const std::size_t maxLength = std::size_t{1} << kTransformMaxLog;
    if (n + m - 1 <= maxLength) {
        convolveAll(a, n, b, m, z);
        return;
    }
    // Too long for one transform: multiply pieces of the longer operand.
    const std::size_t piece = maxLength / 2;
    if (m > piece) throw std::length_error("operands too long to multiply");
    std::fill(z, z + n + m, 0);
    Limbs part(piece + m);
    for (std::size_t off = 0; off < n; off += piece) {
        std::size_t len = std::min(piece, n - off);
        convolveAll(a + off, len, b, m, part.data());
        Limb carry = 0;
        std::size_t i = 0;
        for (; i < len + m; ++i) {
            Limb t = z[off + i] + part[i] + carry;
            carry = t >= kBase;
            z[off + i] = carry ? t - kBase : t;
        }
        for (std::size_t k = off + i; carry != 0 && k < n + m; ++k) {
            Limb t = z[k] + 1;
            carry = t >= kBase;
            z[k] = carry ? 0 : t;
        }
    }
}

void sqrTransform(const Limb* a, std::size_t n, Limb* z) {
    if (n == 0) return;
    if (2 * n - 1 > (std::size_t{1} << kTransformMaxLog)) {
        mulTransform(a, n, a, n, z);
        return;
    }
    convolveAll(a, n, nullptr, 0, z);
}

}  // namespace numerelle::bignum::limbs
