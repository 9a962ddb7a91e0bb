#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <random>

#include "matrix/jz1.h"
#include "matrix/messages.h"
#include "test_support.h"

namespace numerelle::matrix {
namespace {

using testing::matrixOf;
using Complex = std::complex<double>;

std::vector<Complex> sorted(const Eigenvalues& e) {
    std::vector<Complex> values;
    for (std::size_t k = 1; k < e.real.size(); ++k) values.emplace_back(e.real[k], e.imaginary[k]);
    std::sort(values.begin(), values.end(),
              [](Complex x, Complex y) { return x.real() != y.real() ? x.real() < y.real() : x.imag() < y.imag(); });
    return values;
}

// The reduction of small matrices, and the eigenvalues of small full ones,
// are rows of tests/cases/matrix.cases.
TEST(Hessenberg, TinyScaleIsStillReduced) {
    // All entries far below 1: a pivot test against 1 would skip them all.
    Matrix a = matrixOf({{1e-20, 2e-20, 3e-20}, {4e-20, 5e-20, 6e-20}, {7e-20, 8e-20, 10e-20}});
    ASSERT_EQ(toHessenberg(a), Outcome::Done);
    EXPECT_EQ(a(3, 1), 0);
    EXPECT_NE(a(2, 1), 0);
}

TEST(Eigenvalues, BlocksOfTheSmallCases) {
    struct Row {
        const char* name;
        Matrix a;
        std::vector<double> real, imaginary;  // by index 1..n
    };
    const double root = std::sqrt(33.0);
    const Row rows[] = {
        {"two 1x1 blocks", matrixOf({{2, 0}, {0, 3}}), {2, 3}, {0, 0}},
        {"complex pair", matrixOf({{0, -1}, {1, 0}}), {0, 0}, {-1, 1}},
        {"real 2x2 block", matrixOf({{1, 2}, {3, 4}}), {(5 - root) / 2, (5 + root) / 2}, {0, 0}},
        {"upper triangular", matrixOf({{1, 5, 6}, {0, 2, 7}, {0, 0, 3}}), {1, 2, 3}, {0, 0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Matrix a = row.a;
        const Eigenvalues e = hessenbergEigenvalues(a, 0.00001);
        ASSERT_EQ(e.outcome, Outcome::Done);
        EXPECT_EQ(e.status, 1);
        for (std::size_t k = 0; k < row.real.size(); ++k) {
            EXPECT_NEAR(e.real[k + 1], row.real[k], 1e-12);
            EXPECT_NEAR(e.imaginary[k + 1], row.imaginary[k], 1e-12);
        }
    }
}

TEST(Eigenvalues, FullMatricesAfterReduction) {
    struct Row {
        const char* name;
        Matrix a;
        std::vector<Complex> expected;  // ascending by real, then imaginary part
    };
    const Row rows[] = {
        // A cyclic permutation: plain double shifts stall on it.
        {"cyclic permutation",
         matrixOf({{0, 0, 0, 1}, {1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}),
         {{-1, 0}, {0, -1}, {0, 1}, {1, 0}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Matrix a = row.a;
        ASSERT_EQ(toHessenberg(a), Outcome::Done);
        const Eigenvalues e = hessenbergEigenvalues(a, 1e-15);
        ASSERT_EQ(e.outcome, Outcome::Done);
        const std::vector<Complex> got = sorted(e);
        ASSERT_EQ(got.size(), row.expected.size());
        for (std::size_t k = 0; k < got.size(); ++k) EXPECT_LT(std::abs(got[k] - row.expected[k]), 1e-9);
    }
}

// Cyclic Jacobi rotations on a symmetric matrix: a method unrelated to QR,
// accurate to a few ulps, for reference.
std::vector<double> jacobiEigenvalues(Matrix a) {
    const int n = a.order();
    for (int sweep = 0; sweep < 100; ++sweep) {
        double off = 0;
        for (int p = 1; p <= n; ++p)
            for (int q = p + 1; q <= n; ++q) off += a(p, q) * a(p, q);
        if (off == 0) break;
        for (int p = 1; p <= n; ++p)
            for (int q = p + 1; q <= n; ++q) {
                if (a(p, q) == 0) continue;
                const double theta = (a(q, q) - a(p, p)) / (2 * a(p, q));
                const double t = signOf(theta) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
                const double c = 1 / std::sqrt(t * t + 1), s = t * c;
                for (int k = 1; k <= n; ++k) {  // columns p, q, then rows p, q
                    const double x = a(k, p), y = a(k, q);
                    a(k, p) = c * x - s * y;
                    a(k, q) = s * x + c * y;
                }
                for (int k = 1; k <= n; ++k) {
                    const double x = a(p, k), y = a(q, k);
                    a(p, k) = c * x - s * y;
                    a(q, k) = s * x + c * y;
                }
            }
    }
    std::vector<double> values;
    for (int k = 1; k <= n; ++k) values.push_back(a(k, k));
    std::sort(values.begin(), values.end());
    return values;
}

TEST(Eigenvalues, SymmetricMatricesToTwelveDigits) {
    struct Row {
        const char* name;
        Matrix a;
    };
    std::vector<Row> rows = {
        {"close pair", matrixOf({{1, 0.00001}, {0.00001, 1}})},
        {"square of the second difference", matrixOf({{5, -4, 1}, {-4, 6, -4}, {1, -4, 5}})},
        {"zero diagonal", matrixOf({{0, 1e-9, 0}, {1e-9, 0, 1}, {0, 1, 0}})},
    };
    std::mt19937 random(12);
    for (int n : {4, 7, 12, 25}) {
        Matrix a = testing::randomMatrix(n, 5, random);
        for (int r = 1; r <= n; ++r)
            for (int c = 1; c < r; ++c) a(r, c) = a(c, r);
        rows.push_back({"random symmetric", a});
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Matrix a = row.a;
        ASSERT_EQ(toHessenberg(a), Outcome::Done);
        const Eigenvalues e = hessenbergEigenvalues(a, kEigenvalueTolerance);
        ASSERT_EQ(e.outcome, Outcome::Done);
        const std::vector<Complex> got = sorted(e);
        const std::vector<double> expected = jacobiEigenvalues(row.a);
        double scale = 0;
        for (double v : expected) scale = std::max(scale, std::fabs(v));
        for (std::size_t k = 0; k < got.size(); ++k) {
            EXPECT_NEAR(got[k].real(), expected[k], 1e-12 * std::max(std::fabs(expected[k]), 1e-3 * scale));
            EXPECT_EQ(got[k].imag(), 0);
        }
    }
}

TEST(Eigenvalues, LargeRandomMatrixKeepsTraceAndDeterminant) {
    std::mt19937 random(200);
    Matrix a = testing::randomMatrix(60, 1, random);
    double trace = 0;
    for (int i = 1; i <= 60; ++i) trace += a(i, i);
    const double det = determinant(a).value;
    ASSERT_EQ(toHessenberg(a), Outcome::Done);
    const Eigenvalues e = hessenbergEigenvalues(a, 1e-15);
    ASSERT_EQ(e.outcome, Outcome::Done);
    Complex sum = 0, product = 1;
    for (int k = 1; k <= 60; ++k) {
        sum += Complex(e.real[k], e.imaginary[k]);
        product *= Complex(e.real[k], e.imaginary[k]);
    }
    EXPECT_NEAR(sum.real(), trace, 1e-9);
    EXPECT_NEAR(sum.imag(), 0, 1e-9);
    EXPECT_NEAR(product.real(), det, 1e-7 * std::fabs(det));
}

TEST(Eigenvalues, Texts) {
    Eigenvalues e;
    e.real = {0, 0, 0, 2.5};
    e.imaginary = {0, -1, 1, 0};
    EXPECT_EQ(eigenvalueText(e), "0+1i\n0-1i\n2.5");
    EXPECT_EQ(complexText(0.5, 2), "0.5+2i");
    EXPECT_EQ(complexText(-1, -0.25), "-1-0.25i");
    EXPECT_EQ(complexText(3, -0.0), "3");
    EXPECT_EQ(signOf(0), 1);
    EXPECT_EQ(signOf(-0.0), 1);
    EXPECT_EQ(signOf(-1e-300), -1);
}

TEST(Eigenvalues, CancellationAndOverflow) {
    Matrix a = matrixOf({{1, 2, 3}, {4, 5, 6}, {0, 8, 10}});
    WorkControl control;
    control.cancel();
    EXPECT_EQ(hessenbergEigenvalues(a, 1e-15, &control).outcome, Outcome::Cancelled);
    Matrix huge = matrixOf({{1e300, 1e300}, {-1e300, 1e300}});
    EXPECT_EQ(hessenbergEigenvalues(huge, 1e-15).outcome, Outcome::Overflow);
}

}  // namespace
}  // namespace numerelle::matrix
