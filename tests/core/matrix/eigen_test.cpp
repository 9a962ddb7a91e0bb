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

// The reduction and the eigenvalues of small matrices (a close pair and the
// square of the second difference among them), the blocks of order one and
// two and overflow, are rows of tests/cases/matrix.cases.
TEST(Eigenvalues, CyclicPermutationAfterReduction) {
    // Plain double shifts stall on it.
    Matrix a = matrixOf({{0, 0, 0, 1}, {1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}});
    ASSERT_EQ(toHessenberg(a), Outcome::Done);
    const Eigenvalues e = hessenbergEigenvalues(a, 1e-15);
    ASSERT_EQ(e.outcome, Outcome::Done);
    const std::vector<Complex> got = sorted(e), expected{{-1, 0}, {0, -1}, {0, 1}, {1, 0}};
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t k = 0; k < got.size(); ++k) EXPECT_LT(std::abs(got[k] - expected[k]), 1e-9);
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

TEST(Eigenvalues, TextsAndSigns) {
    EXPECT_EQ(complexText(3, -0.0), "3");
    EXPECT_EQ(signOf(0), 1);
    EXPECT_EQ(signOf(-0.0), 1);
    EXPECT_EQ(signOf(-1e-300), -1);
}

TEST(Eigenvalues, Cancellation) {
    Matrix a = matrixOf({{1, 2, 3}, {4, 5, 6}, {0, 8, 10}});
    WorkControl control;
    control.cancel();
    EXPECT_EQ(hessenbergEigenvalues(a, 1e-15, &control).outcome, Outcome::Cancelled);
}

}  // namespace
}  // namespace numerelle::matrix
