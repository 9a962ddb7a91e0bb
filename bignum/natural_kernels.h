// The hot loops: schoolbook rows and the three-prime transform. Included
// inside a namespace by natural_ntt.cpp (plain build) and natural_avx2.cpp
// (built for AVX2 and chosen at run time), so it includes nothing itself:
// the includer provides <cstddef>, <cstdint> and natural_limbs.h first.

// Lazy schoolbook: this many products of two limbs fit a 64-bit accumulator
// together with a normalised limb and an incoming carry.
constexpr int kRowsPerNormalise = 18;

// clang 14 vectorises the loops over blocks of eight below for AVX2 into code
// that gives wrong transforms (a 64-point product already); they gain nothing
// from vectors anyway (see forwardLevels).
#if defined(__clang__)
#define NUMERELLE_SCALAR_LOOP _Pragma("clang loop vectorize(disable)")
#else
#define NUMERELLE_SCALAR_LOOP
#endif

// Carries acc[lo..] into limbs, going on past hi while a carry remains.
inline void normaliseAccumulator(std::uint64_t* acc, std::size_t lo, std::size_t hi, std::size_t total) {
    std::uint64_t carry = 0;
    std::size_t k = lo;
    for (; k < hi; ++k) {
        std::uint64_t v = acc[k] + carry;
        carry = v / kBase;
        acc[k] = v - carry * kBase;
    }
    for (; carry != 0 && k < total; ++k) {
        std::uint64_t v = acc[k] + carry;
        carry = v / kBase;
        acc[k] = v - carry * kBase;
    }
}

// Makes room in acc[lo..hi) between passes of rows: each entry keeps its
// remainder and takes the quotient of the entry below it, so no carry runs
// along the window (a chain of dependent divisions was a third of the
// schoolbook's time). Entries end below 10^9 + 2^64 / 10^9, about 2^34.2,
// which still leaves room for kRowsPerNormalise products of two limbs. The
// top quotient lands in acc[hi]; at hi = total it is 0, as the partial
// product is below 10^(9 total).
inline void splitAccumulator(std::uint64_t* acc, std::size_t lo, std::size_t hi, std::size_t total) {
    std::uint64_t below = 0;
    for (std::size_t k = lo; k < hi; ++k) {
        const std::uint64_t v = acc[k];
        const std::uint64_t q = v / kBase;
        acc[k] = v - q * kBase + below;
        below = q;
    }
    if (hi < total) acc[hi] += below;
}

// z[0..n+m) = a * b with n >= m, using acc[0..n+m) as the accumulator.
// Two rows per pass over the accumulator; the touched window is split
// before the sums could overflow, and carried once at the end.
inline void schoolbook(const Limb* a, std::size_t n, const Limb* b, std::size_t m, Limb* z, std::uint64_t* acc) {
    const std::size_t total = n + m;
    for (std::size_t k = 0; k < total; ++k) acc[k] = 0;
    int rows = 0;
    std::size_t pending = 0;  // first row since the last carry pass
    std::size_t i = 0;
    for (; i + 1 < m; i += 2) {
        const std::uint64_t b0 = b[i], b1 = b[i + 1];
        std::uint64_t* row = acc + i;
        row[0] += b0 * a[0];
        for (std::size_t j = 1; j < n; ++j) row[j] += b0 * a[j] + b1 * a[j - 1];
        row[n] += b1 * a[n - 1];
        rows += 2;
        if (rows >= kRowsPerNormalise - 1) {
            splitAccumulator(acc, pending, i + n + 2, total);
            rows = 0;
            pending = i + 2;
        }
    }
    if (i < m) {
        const std::uint64_t bi = b[i];
        std::uint64_t* row = acc + i;
        for (std::size_t j = 0; j < n; ++j) row[j] += bi * a[j];
    }
    normaliseAccumulator(acc, 0, total, total);
    for (std::size_t k = 0; k < total; ++k) z[k] = static_cast<Limb>(acc[k]);
}

// Below this block length the transform runs level by level; above it, it
// recurses into halves so that the working set stays in cache.
constexpr std::size_t kTransformBlock = 1u << 12;
// Length of the runs of independent products that build the root table.
constexpr std::size_t kRootBlock = 64;

constexpr std::uint32_t powMod(std::uint64_t a, std::uint64_t e, std::uint32_t p) {
    std::uint64_t r = 1;
    a %= p;
    while (e > 0) {
        if (e & 1) r = r * a % p;
        a = a * a % p;
        e >>= 1;
    }
    return static_cast<std::uint32_t>(r);
}

template <std::uint32_t P, std::uint32_t G>
struct Field {
    static constexpr std::uint32_t kP = P;
    // -P^-1 mod 2^32 by Newton's iteration.
    static constexpr std::uint32_t negInverse() {
        std::uint32_t inv = P;
        for (int i = 0; i < 5; ++i) inv *= 2u - P * inv;
        return 0u - inv;
    }
    static constexpr std::uint32_t kNegInv = negInverse();
    static constexpr std::uint32_t kR2 = static_cast<std::uint32_t>((static_cast<unsigned __int128>(1) << 64) % P);

    // Montgomery product a * b / 2^32 mod P, for a, b < P.
    static std::uint32_t mul(std::uint32_t a, std::uint32_t b) {
        std::uint64_t t = static_cast<std::uint64_t>(a) * b;
        std::uint32_t m = static_cast<std::uint32_t>(t) * kNegInv;
        std::uint32_t u = static_cast<std::uint32_t>((t + static_cast<std::uint64_t>(m) * P) >> 32);
        return u >= P ? u - P : u;
    }
    static std::uint32_t toMont(std::uint32_t a) { return mul(a, kR2); }
    static std::uint32_t add(std::uint32_t a, std::uint32_t b) {
        std::uint32_t s = a + b;
        return s >= P ? s - P : s;
    }
    static std::uint32_t sub(std::uint32_t a, std::uint32_t b) { return a >= b ? a - b : a + P - b; }

    // table[len + j] = w_{2 len}^j in Montgomery form, for every level len < n.
    // The top level is built in blocks of independent products (no long
    // chain of dependent multiplications); lower levels take every other entry.
    static void roots(std::uint32_t* table, std::size_t n) {
        const std::size_t half = n / 2;
        if (half == 0) return;
        const std::uint32_t wm = toMont(powMod(G, (P - 1) / n, P));
        std::uint32_t* top = table + half;
        const std::size_t block = half < kRootBlock ? half : kRootBlock;
        top[0] = toMont(1);
        for (std::size_t j = 1; j < block; ++j) top[j] = mul(top[j - 1], wm);
        const std::uint32_t step = mul(top[block - 1], wm);
        std::uint32_t base = step;
        for (std::size_t k = block; k < half; k += block) {
            for (std::size_t j = 0; j < block; ++j) top[k + j] = mul(base, top[j]);
            base = mul(base, step);
        }
        for (std::size_t len = half / 2; len >= 1; len /= 2) {
            for (std::size_t j = 0; j < len; ++j) table[len + j] = table[2 * len + 2 * j];
        }
    }
    // Turns the table of roots into the table of their inverses, in place:
    // w^-j = w^(2 len - j) = -w^(len - j) on the level of half-length len.
    static void invertRoots(std::uint32_t* table, std::size_t n) {
        for (std::size_t len = 1; len < n; len *= 2) {
            std::uint32_t* level = table + len;
            for (std::size_t j = 1, k = len - 1; j <= k; ++j, --k) {
                std::uint32_t x = level[j], y = level[k];
                level[j] = y == 0 ? 0 : P - y;
                level[k] = x == 0 ? 0 : P - x;
            }
        }
    }

    static void butterflyLevel(std::uint32_t* a, std::size_t n, std::size_t len, const std::uint32_t* w) {
        for (std::size_t s = 0; s < n; s += 2 * len) {
            std::uint32_t* x = a + s;
            std::uint32_t* y = x + len;
            const std::uint32_t* t = w + len;
            for (std::size_t j = 0; j < len; ++j) {
                std::uint32_t u = x[j], v = y[j];
                x[j] = add(u, v);
                y[j] = mul(sub(u, v), t[j]);
            }
        }
    }
    static void forwardLevels(std::uint32_t* a, std::size_t n, std::size_t topLen, const std::uint32_t* w) {
        if (n < 8) {
            for (std::size_t len = topLen; len >= 1; len /= 2) butterflyLevel(a, n, len, w);
            return;
        }
        for (std::size_t len = topLen; len >= 8; len /= 2) butterflyLevel(a, n, len, w);
        // The last three levels by blocks of eight: the vector loops above
        // do not pay on such short runs, and a twiddle of 1 needs no product.
        const std::uint32_t w8a = w[5], w8b = w[6], w8c = w[7], w4 = w[3];
        NUMERELLE_SCALAR_LOOP
        for (std::size_t s = 0; s < n; s += 8) {
            std::uint32_t* x = a + s;
            std::uint32_t u, v;
            u = x[0], v = x[4], x[0] = add(u, v), x[4] = sub(u, v);
            u = x[1], v = x[5], x[1] = add(u, v), x[5] = mul(sub(u, v), w8a);
            u = x[2], v = x[6], x[2] = add(u, v), x[6] = mul(sub(u, v), w8b);
            u = x[3], v = x[7], x[3] = add(u, v), x[7] = mul(sub(u, v), w8c);
            for (std::size_t h = 0; h < 8; h += 4) {
                u = x[h], v = x[h + 2], x[h] = add(u, v), x[h + 2] = sub(u, v);
                u = x[h + 1], v = x[h + 3], x[h + 1] = add(u, v), x[h + 3] = mul(sub(u, v), w4);
            }
            for (std::size_t h = 0; h < 8; h += 2) {
                u = x[h], v = x[h + 1], x[h] = add(u, v), x[h + 1] = sub(u, v);
            }
        }
    }
    // Decimation in frequency: natural order in, bit-reversed order out.
    static void forward(std::uint32_t* a, std::size_t n, const std::uint32_t* w) {
        if (n <= kTransformBlock) {
            forwardLevels(a, n, n / 2, w);
            return;
        }
        const std::size_t len = n / 2;
        std::uint32_t* y = a + len;
        const std::uint32_t* t = w + len;
        for (std::size_t j = 0; j < len; ++j) {
            std::uint32_t u = a[j], v = y[j];
            a[j] = add(u, v);
            y[j] = mul(sub(u, v), t[j]);
        }
        forward(a, len, w);
        forward(y, len, w);
    }
    static void inverseLevel(std::uint32_t* a, std::size_t n, std::size_t len, const std::uint32_t* w) {
        for (std::size_t s = 0; s < n; s += 2 * len) {
            std::uint32_t* x = a + s;
            std::uint32_t* y = x + len;
            const std::uint32_t* t = w + len;
            for (std::size_t j = 0; j < len; ++j) {
                std::uint32_t u = x[j], v = mul(y[j], t[j]);
                x[j] = add(u, v);
                y[j] = sub(u, v);
            }
        }
    }
    static void inverseLevels(std::uint32_t* a, std::size_t n, const std::uint32_t* w) {
        if (n < 8) {
            for (std::size_t len = 1; len < n; len *= 2) inverseLevel(a, n, len, w);
            return;
        }
        // The first three levels by blocks of eight (see forwardLevels).
        const std::uint32_t w8a = w[5], w8b = w[6], w8c = w[7], w4 = w[3];
        NUMERELLE_SCALAR_LOOP
        for (std::size_t s = 0; s < n; s += 8) {
            std::uint32_t* x = a + s;
            std::uint32_t u, v;
            for (std::size_t h = 0; h < 8; h += 2) {
                u = x[h], v = x[h + 1], x[h] = add(u, v), x[h + 1] = sub(u, v);
            }
            for (std::size_t h = 0; h < 8; h += 4) {
                u = x[h], v = x[h + 2], x[h] = add(u, v), x[h + 2] = sub(u, v);
                u = x[h + 1], v = mul(x[h + 3], w4), x[h + 1] = add(u, v), x[h + 3] = sub(u, v);
            }
            u = x[0], v = x[4], x[0] = add(u, v), x[4] = sub(u, v);
            u = x[1], v = mul(x[5], w8a), x[1] = add(u, v), x[5] = sub(u, v);
            u = x[2], v = mul(x[6], w8b), x[2] = add(u, v), x[6] = sub(u, v);
            u = x[3], v = mul(x[7], w8c), x[3] = add(u, v), x[7] = sub(u, v);
        }
        for (std::size_t len = 8; len < n; len *= 2) inverseLevel(a, n, len, w);
    }
    // Decimation in time: bit-reversed order in, natural order out (times n).
    static void inverse(std::uint32_t* a, std::size_t n, const std::uint32_t* w) {
        if (n <= kTransformBlock) {
            inverseLevels(a, n, w);
            return;
        }
        const std::size_t len = n / 2;
        std::uint32_t* y = a + len;
        inverse(a, len, w);
        inverse(y, len, w);
        const std::uint32_t* t = w + len;
        for (std::size_t j = 0; j < len; ++j) {
            std::uint32_t u = a[j], v = mul(y[j], t[j]);
            a[j] = add(u, v);
            y[j] = sub(u, v);
        }
    }

    static void load(std::uint32_t* f, std::size_t n, const Limb* a, std::size_t an) {
        for (std::size_t i = 0; i < an; ++i) f[i] = a[i] % P;
        for (std::size_t i = an; i < n; ++i) f[i] = 0;
    }

    // out[0..n) = the cyclic convolution of a and b modulo P (b == nullptr: of a with itself).
    static void convolve(const Limb* a, std::size_t an, const Limb* b, std::size_t bn, std::size_t n,
                         std::uint32_t* out, std::uint32_t* work, std::uint32_t* table) {
        roots(table, n);
        load(out, n, a, an);
        forward(out, n, table);
        if (b != nullptr) {
            load(work, n, b, bn);
            forward(work, n, table);
            for (std::size_t i = 0; i < n; ++i) out[i] = mul(out[i], work[i]);
        } else {
            for (std::size_t i = 0; i < n; ++i) out[i] = mul(out[i], out[i]);
        }
        invertRoots(table, n);
        inverse(out, n, table);
        // Undo the Montgomery factor of the pointwise product and the 1/n.
        const std::uint32_t scale = toMont(toMont(powMod(n, P - 2, P)));
        for (std::size_t i = 0; i < n; ++i) out[i] = mul(out[i], scale);
    }
};

using F1 = Field<2013265921u, 31u>;  // 15 * 2^27 + 1
using F2 = Field<1811939329u, 13u>;  // 27 * 2^26 + 1
using F3 = Field<469762049u, 3u>;    // 7 * 2^26 + 1
constexpr std::uint64_t kP1 = F1::kP, kP2 = F2::kP, kP3 = F3::kP;
constexpr std::uint64_t kP1P2 = kP1 * kP2;
constexpr std::uint64_t kInvP1ModP2 = powMod(kP1, kP2 - 2, static_cast<std::uint32_t>(kP2));
constexpr std::uint64_t kInvP1P2ModP3 = powMod(kP1P2 % kP3, kP3 - 2, static_cast<std::uint32_t>(kP3));

// Joins the three residues and carries in base 10^9 into z[0..zn).
inline void join(const std::uint32_t* r1, const std::uint32_t* r2, const std::uint32_t* r3, std::size_t count, Limb* z,
                 std::size_t zn) {
    std::uint64_t carry = 0;
    std::size_t k = 0;
    for (; k < count && k < zn; ++k) {
        std::uint64_t x1 = r1[k];
        std::uint64_t t2 = (r2[k] + kP2 - x1 % kP2) % kP2 * kInvP1ModP2 % kP2;
        std::uint64_t x12 = x1 + kP1 * t2;
        std::uint64_t t3 = (r3[k] + kP3 - x12 % kP3) % kP3 * kInvP1P2ModP3 % kP3;
        unsigned __int128 value = static_cast<unsigned __int128>(kP1P2) * t3 + x12 + carry;
        // Divide the (at most 91-bit) value by 10^9 in two 64-bit steps.
        std::uint64_t hi = static_cast<std::uint64_t>(value >> 32);
        std::uint64_t lo = static_cast<std::uint32_t>(value);
        std::uint64_t qHi = hi / kBase;
        std::uint64_t rest = ((hi - qHi * kBase) << 32) | lo;
        std::uint64_t qLo = rest / kBase;
        z[k] = static_cast<Limb>(rest - qLo * kBase);
        carry = (qHi << 32) + qLo;
    }
    for (; k < zn; ++k) {
        z[k] = static_cast<Limb>(carry % kBase);
        carry /= kBase;
    }
}

// The three residue convolutions of a and b (b == nullptr: a squared),
// joined into z[0..zn); the caller provides 5 n words of buffer.
inline void convolveAndJoin(const Limb* a, std::size_t an, const Limb* b, std::size_t bn, std::size_t n,
                            std::uint32_t* buffer, Limb* z, std::size_t zn) {
    std::uint32_t* r1 = buffer;
    std::uint32_t* r2 = r1 + n;
    std::uint32_t* r3 = r2 + n;
    std::uint32_t* work = r3 + n;
    std::uint32_t* table = work + n;
    F1::convolve(a, an, b, bn, n, r1, work, table);
    F2::convolve(a, an, b, bn, n, r2, work, table);
    F3::convolve(a, an, b, bn, n, r3, work, table);
    join(r1, r2, r3, zn - 1, z, zn);
}

#undef NUMERELLE_SCALAR_LOOP
