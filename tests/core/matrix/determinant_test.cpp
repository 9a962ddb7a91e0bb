#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "matrix/jz1.h"
#include "test_support.h"

namespace numerelle::matrix {
namespace {

using testing::matrixOf;

// Small determinants row by row are in tests/cases/matrix.cases.

TEST(Determinant, CofactorSumIsExactOnIntegers) {
    // Entries small enough that every partial sum is an exact integer: the
    // textbook expansion must give the exact value, LU only a close one.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> digit(-9, 9);
    for (int n = 4; n <= 8; ++n) {
        SCOPED_TRACE(n);
        Matrix a(n);
        for (int r = 1; r <= n; ++r)
            for (int c = 1; c <= n; ++c) a(r, c) = digit(random);
        const double exact = cofactorDeterminant(a).value;
        EXPECT_EQ(exact, std::round(exact));
        EXPECT_NEAR(luDeterminant(a).value, exact, 1e-6 * std::max(1.0, std::fabs(exact)));
    }
}

// det(a) mod a prime by elimination in the field of residues: an exact
// computation that shares nothing with the code under test.
std::int64_t determinantModulo(const Matrix& m, std::int64_t prime) {
    const int n = m.order();
    std::vector<std::vector<std::int64_t>> a(n, std::vector<std::int64_t>(n));
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) a[r][c] = ((static_cast<std::int64_t>(m(r + 1, c + 1)) % prime) + prime) % prime;
    auto power = [prime](std::int64_t x, std::int64_t e) {
        std::int64_t result = 1;
        for (; e; e >>= 1, x = x * x % prime)
            if (e & 1) result = result * x % prime;
        return result;
    };
    std::int64_t det = 1;
    for (int k = 0; k < n; ++k) {
        int pivot = k;
        while (pivot < n && a[pivot][k] == 0) ++pivot;
        if (pivot == n) return 0;
        if (pivot != k) std::swap(a[pivot], a[k]), det = prime - det;
        det = det * a[k][k] % prime;
        const std::int64_t inverse = power(a[k][k], prime - 2);
        for (int i = k + 1; i < n; ++i) {
            const std::int64_t f = a[i][k] * inverse % prime;
            for (int j = k; j < n; ++j) a[i][j] = ((a[i][j] - f * a[k][j]) % prime + prime) % prime;
        }
    }
    return det % prime;
}

TEST(Determinant, WholeNumbersAboveOrderTenAreExact) {
    struct Row {
        const char* name;
        int order;
        int range;   // entries in -range..range
        bool exact;  // the value has at most 15 digits
    };
    const Row rows[] = {
        {"order 11, digits", 11, 9, true},
        {"order 12, small", 12, 3, true},
        {"order 40, ones and zeros", 40, 1, false},
        {"order 16, digits: more than 15 digits", 16, 9, false},
    };
    constexpr std::int64_t primes[] = {1000000007, 998244353, 2147483647};
    std::mt19937 random(13);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::uniform_int_distribution<int> entry(-row.range, row.range);
        Matrix a(row.order);
        for (int r = 1; r <= row.order; ++r)
            for (int c = 1; c <= row.order; ++c) a(r, c) = entry(random);
        const Determinant d = determinant(a);
        ASSERT_EQ(d.outcome, Outcome::Done);
        if (!row.exact) {
            EXPECT_FALSE(exactIntegerDeterminant(a).has_value());
            continue;
        }
        ASSERT_LT(std::fabs(d.value), 1e15);
        ASSERT_EQ(d.value, std::round(d.value));
        const auto value = static_cast<std::int64_t>(d.value);
        for (std::int64_t prime : primes) EXPECT_EQ(((value % prime) + prime) % prime, determinantModulo(a, prime));
    }
    // Fractions must go to LU.
    Matrix twelve(12);
    for (int r = 1; r <= 12; ++r)
        for (int c = 1; c <= 12; ++c) twelve(r, c) = r == c ? 2 : (r + c) % 3;
    ASSERT_TRUE(exactIntegerDeterminant(twelve).has_value());
    twelve(3, 4) += 0.5;
    EXPECT_FALSE(exactIntegerDeterminant(twelve).has_value());
}

TEST(Determinant, ProductRuleHoldsAcrossBothMethods) {
    std::mt19937 random(11);
    for (int n : {2, 3, 5, 9, 12, 40}) {
        SCOPED_TRACE(n);
        const Matrix a = testing::randomMatrix(n, 2, random);
        const Matrix b = testing::randomMatrix(n, 2, random);
        const Product ab = multiply(a, b);
        ASSERT_EQ(ab.outcome, Outcome::Done);
        const double lhs = determinant(ab.c).value;
        const double rhs = determinant(a).value * determinant(b).value;
        EXPECT_NEAR(lhs, rhs, 1e-8 * std::fabs(rhs));
    }
}

TEST(Determinant, OverflowAndCancellation) {
    // A 2 by 2 overflow is a golden case; order 20 goes through LU.
    Matrix big(20);
    for (int i = 1; i <= 20; ++i) big(i, i) = 1e20;
    EXPECT_EQ(determinant(big).outcome, Outcome::Overflow);

    WorkControl control;
    control.cancel();
    std::mt19937 random(3);
    EXPECT_EQ(determinant(testing::randomMatrix(10, 1, random), &control).outcome, Outcome::Cancelled);
    EXPECT_EQ(determinant(testing::randomMatrix(30, 1, random), &control).outcome, Outcome::Cancelled);
}

TEST(Product, KnownProducts) {
    const Matrix a = matrixOf({{1, 2}, {3, 4}});
    EXPECT_EQ(multiply(a, matrixOf({{0, 1}, {1, 0}})).c, matrixOf({{2, 1}, {4, 3}}));
    EXPECT_EQ(multiply(a, matrixOf({{1, 0}, {0, 1}})).c, a);
    EXPECT_EQ(multiply(matrixOf({{1e200, 0}, {0, 1}}), matrixOf({{1e200, 0}, {0, 1}})).outcome, Outcome::Overflow);
}

}  // namespace
}  // namespace numerelle::matrix
