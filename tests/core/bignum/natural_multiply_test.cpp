#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

#include "bignum/natural.h"
#include "bignum/natural_limbs.h"
#include "tests/core/bignum/natural_reference.h"

// The plain build of the hot loops, as every processor without AVX2 runs them.
namespace numerelle::bignum::limbs::plain_for_test {
#include "bignum/natural_kernels.h"
}  // namespace numerelle::bignum::limbs::plain_for_test

namespace numerelle::bignum {
namespace {

using limbs::MulAlgorithm;

enum class Shape { Random, AllNines, PowerOfTen, SparseTop };

// "1" followed by `zeros` zeros.
std::string tenTo(std::size_t zeros) {
    std::string s(zeros + 1, '0');
    s[0] = '1';
    return s;
}

std::string makeNumber(std::mt19937_64& rng, std::size_t digits, Shape shape) {
    switch (shape) {
        case Shape::AllNines:
            return std::string(digits, '9');
        case Shape::PowerOfTen:
            return tenTo(digits - 1);
        case Shape::SparseTop: {
            // Non-zero only at the ends: long runs of zero limbs inside.
            std::string s(digits, '0');
            s[0] = '1';
            s[digits - 1] = static_cast<char>('1' + rng() % 9);
            return s;
        }
        case Shape::Random:
            break;
    }
    std::string s(digits, '0');
    for (auto& c : s) c = static_cast<char>('0' + rng() % 10);
    s[0] = static_cast<char>('1' + rng() % 9);
    return s;
}

const Shape kShapes[] = {Shape::Random, Shape::AllNines, Shape::PowerOfTen, Shape::SparseTop};

// Limb counts on both sides of every switch of the multiplication.
std::vector<std::size_t> thresholdSizes() {
    const std::size_t k = limbs::kKaratsubaThreshold, t = limbs::kTransformThreshold;
    // The first balanced size where the transform takes over.
    std::size_t c = t;
    while (!limbs::transformPays(c, c)) ++c;
    return {1, 2, 3, k - 1, k, k + 1, 2 * k - 1, 2 * k, 2 * k + 1, 4 * k + 3, t - 1, t, t + 1, c - 1, c, c + 1};
}

TEST(NaturalMultiply, EveryAlgorithmMatchesSchoolbookAcrossThresholds) {
    std::mt19937_64 rng(7);
    const MulAlgorithm algorithms[] = {MulAlgorithm::Automatic, MulAlgorithm::Karatsuba, MulAlgorithm::Transform};
    for (std::size_t n : thresholdSizes()) {
        for (Shape shape : kShapes) {
            const std::string a = makeNumber(rng, n * limbs::kLimbDigits - (n > 1 ? 4 : 0), shape);
            const limbs::Limbs x = limbs::fromDecimal(a);
            SCOPED_TRACE("limbs " + std::to_string(n) + " shape " + std::to_string(static_cast<int>(shape)));
            const std::string square = reference::multiply(a, a);
            for (MulAlgorithm alg : algorithms) ASSERT_EQ(limbs::toDecimal(limbs::square(x, alg)), square);
            // Pair each size with a balanced and an unbalanced partner.
            for (std::size_t m : {n, std::max<std::size_t>(1, n / 3 + 1), n + 7}) {
                const std::string b = makeNumber(rng, m * limbs::kLimbDigits - rng() % 9, Shape::Random);
                SCOPED_TRACE("times " + std::to_string(m) + " limbs");
                const std::string expected = reference::multiply(a, b);
                const limbs::Limbs y = limbs::fromDecimal(b);
                for (MulAlgorithm alg : algorithms) {
                    SCOPED_TRACE("algorithm " + std::to_string(static_cast<int>(alg)));
                    ASSERT_EQ(limbs::toDecimal(limbs::multiply(x, y, alg)), expected);
                }
            }
        }
    }
}

// Beyond the reach of the schoolbook reference: the transform against
// Karatsuba, with all-nines operands giving the largest coefficients.
TEST(NaturalMultiply, LongTransformAgreesWithKaratsuba) {
    std::mt19937_64 rng(13);
    struct Row {
        const char* name;
        std::size_t n, m;
        Shape shape;
    } rows[] = {
        {"random balanced", 20000, 20000, Shape::Random},
        {"nines balanced", 16384, 16384, Shape::AllNines},
        {"random unbalanced", 30000, 2500, Shape::Random},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        limbs::Limbs x = limbs::fromDecimal(makeNumber(rng, row.n * 9, row.shape));
        limbs::Limbs y = limbs::fromDecimal(makeNumber(rng, row.m * 9, row.shape));
        EXPECT_EQ(limbs::multiply(x, y, MulAlgorithm::Transform), limbs::multiply(x, y, MulAlgorithm::Karatsuba));
    }
}

// The machine running the tests picks one build of the kernels; check both.
TEST(NaturalMultiply, PlainAndVectorKernelsAgreeWithTheReference) {
    std::mt19937_64 rng(23);
    // 34 and 70 give 18 and 36 limbs for b: the schoolbook's last pass of
    // rows then ends at the top of the accumulator.
    for (std::size_t n : {1, 7, 8, 9, 33, 34, 70, 200, 1500}) {
        for (Shape shape : {Shape::Random, Shape::AllNines}) {
            const std::string a = makeNumber(rng, n * limbs::kLimbDigits, shape);
            const std::string b = makeNumber(rng, (n / 2 + 1) * limbs::kLimbDigits, shape);
            SCOPED_TRACE("limbs " + std::to_string(n));
            const limbs::Limbs x = limbs::fromDecimal(a), y = limbs::fromDecimal(b);
            const std::string expected = reference::multiply(a, b);
            const std::size_t zn = x.size() + y.size();
            std::size_t length = 1;
            while (length < zn - 1) length *= 2;
            std::vector<std::uint32_t> buffer(5 * length);
            std::vector<std::uint64_t> acc(zn);
            limbs::Limbs z(zn);
            const auto check = [&](auto convolveAndJoin, auto schoolbook) {
                convolveAndJoin(x.data(), x.size(), y.data(), y.size(), length, buffer.data(), z.data(), zn);
                EXPECT_EQ(limbs::toDecimal(z), expected);
                schoolbook(x.data(), x.size(), y.data(), y.size(), z.data(), acc.data());
                EXPECT_EQ(limbs::toDecimal(z), expected);
            };
            check(limbs::plain_for_test::convolveAndJoin, limbs::plain_for_test::schoolbook);
            if (limbs::avx2::available()) check(limbs::avx2::convolveAndJoin, limbs::avx2::schoolbook);
        }
    }
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
// The kernels' own CPUID probe must say what the compiler's runtime says,
// or a machine without AVX2 would run vector code (or one with it, not).
TEST(NaturalMultiply, VectorKernelProbeAgreesWithTheCompilersRuntime) {
    EXPECT_EQ(limbs::avx2::available(), static_cast<bool>(__builtin_cpu_supports("avx2")));
}
#endif

// Zero and one as factors, trailing zeros and powers of ten are golden
// rows (mul in tests/cases/bignum.cases); here a long product of them.
TEST(NaturalMultiply, PublicProductKeepsLongTrailingZeros) {
    WorkControl control;
    const std::string a = std::string(3000, '9') + std::string(500, '0'), b = naturalMultiplySmall(tenTo(20000), 7);
    EXPECT_EQ(naturalMultiply(a, b, control).value(), reference::multiply(a, b));
    WorkControl cancelled;
    cancelled.cancel();
    EXPECT_FALSE(naturalMultiply("123", "456", cancelled).has_value());
}

TEST(NaturalMultiply, AddAndSubtractMatchReferenceAcrossLimbBoundaries) {
    std::mt19937_64 rng(17);
    const std::size_t lengths[] = {1, 2, 8, 9, 10, 17, 18, 19, 27, 100, 1001};
    for (std::size_t la : lengths) {
        for (std::size_t lb : lengths) {
            for (Shape shape : kShapes) {
                // All nines against powers of ten carry and borrow across
                // every limb (nines plus one; ten to the n minus n nines).
                std::string a = makeNumber(rng, la, shape);
                std::string b = makeNumber(rng, lb, shape == Shape::AllNines ? Shape::PowerOfTen : Shape::Random);
                SCOPED_TRACE(a + " , " + b);
                ASSERT_EQ(naturalAdd(a, b), reference::add(a, b));
                if (naturalCompare(a, b) < 0) std::swap(a, b);
                ASSERT_EQ(naturalSubtract(a, b), reference::subtract(a, b));
            }
        }
    }
}

TEST(NaturalMultiply, SmallFactorsAndDivisors) {
    std::mt19937_64 rng(19);
    const std::uint64_t values[] = {1, 2, 7, 999999999, 1000000000, 1000000001, 4294967295ull, 4294967296ull,
                                    // the last factor on the 64-bit path, and the first past it
                                    18446744073ull, 18446744074ull, 999999999999999999ull, 18446744073709551615ull};
    const std::pair<std::size_t, Shape> numbers[] = {{1, Shape::Random},    {9, Shape::Random},   {10, Shape::Random},
                                                     {50, Shape::Random},   {400, Shape::Random}, {9, Shape::AllNines},
                                                     {400, Shape::AllNines}};
    for (const auto& [digits, shape] : numbers) {
        std::string a = makeNumber(rng, digits, shape);
        for (std::uint64_t v : values) {
            SCOPED_TRACE(a + " op " + std::to_string(v));
            std::string product = naturalMultiplySmall(a, v);
            EXPECT_EQ(product, reference::multiply(a, std::to_string(v)));
            std::uint64_t rem = 12345;
            EXPECT_EQ(naturalDivideSmall(product, v, &rem), a);
            EXPECT_EQ(rem, 0u);
            // a = q v + r with r < v, checked through the other routines.
            std::string q = naturalDivideSmall(a, v, &rem);
            EXPECT_LT(rem, v);
            EXPECT_EQ(naturalAdd(naturalMultiplySmall(q, v), std::to_string(rem)), a);
            EXPECT_EQ(naturalModSmall(a, v), rem);
        }
    }
    EXPECT_EQ(naturalMultiplySmall("12345", 0), "0");
    EXPECT_EQ(naturalDivideSmall("5", 7), "0");
}

}  // namespace
}  // namespace numerelle::bignum
