// Random and awkward matrices through the reduction, the QR iteration and
// the root finder: every run ends, and a Done result is finite and keeps the
// trace. Random systems, singular ones among them, are solved in
// core/matrix/solve_test.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>

#include "matrix/jz1.h"

namespace numerelle::matrix {
namespace {

Matrix awkwardMatrix(std::mt19937& random) {
    const int n = 1 + static_cast<int>(random() % 12);
    const int kind = static_cast<int>(random() % 5);
    std::uniform_real_distribution<double> value(-1, 1);
    const double scale = std::pow(10.0, static_cast<int>(random() % 41) - 20);
    Matrix m(n);
    for (int r = 1; r <= n; ++r) {
        for (int c = 1; c <= n; ++c) {
            double v = value(random) * scale;
            if (kind == 1 && random() % 2) v = 0;              // sparse
            if (kind == 2) v = std::round(value(random) * 2);  // small integers, repeated values
            if (kind == 3 && r == c % n + 1) v = 1;            // permutation-like
            if (kind == 3 && r != c % n + 1) v = 0;
            m(r, c) = v;
        }
    }
    if (kind == 4 && n > 1)  // two equal rows
        for (int c = 1; c <= n; ++c) m(n, c) = m(1, c);
    return m;
}

TEST(MatrixFuzz, EigenvaluesEndAndKeepTheTrace) {
    std::mt19937 random(31);
    for (int trial = 0; trial < 3000; ++trial) {
        Matrix a = awkwardMatrix(random);
        double trace = 0, size = 0;
        for (int i = 1; i <= a.order(); ++i) trace += a(i, i);
        for (double v : a.elements()) size = std::max(size, std::fabs(v));
        ASSERT_EQ(toHessenberg(a), Outcome::Done);
        const Eigenvalues e = hessenbergEigenvalues(a, 1e-14);
        if (e.outcome != Outcome::Done) continue;  // the sweep limit: reported, not wrong
        double sum = 0;
        for (int k = 1; k <= a.order(); ++k) {
            ASSERT_TRUE(std::isfinite(e.real[k]) && std::isfinite(e.imaginary[k]));
            sum += e.real[k];
        }
        ASSERT_NEAR(sum, trace, 1e-8 * size * a.order() + 1e-300) << "trial " << trial;
    }
}

TEST(MatrixFuzz, RootsAreRootsOrReported) {
    std::mt19937 random(41);
    std::uniform_real_distribution<double> value(-10, 10);
    for (int trial = 0; trial < 1500; ++trial) {
        std::vector<double> c(2 + random() % 15);
        for (double& v : c) v = (random() % 4 == 0) ? 0 : std::round(value(random));
        const PolynomialRoots found = polynomialRoots(c);
        if (c[0] == 0) {
            ASSERT_TRUE(found.leadingZero);
            continue;
        }
        if (found.outcome != Outcome::Done) continue;
        ASSERT_EQ(found.roots.size(), c.size() - 1);
        // Each root, put back in, leaves a residual small against the
        // polynomial's scale at that radius (at least 1: a cluster of roots
        // at 0 is only known to about the cube root of ε).
        for (std::complex<double> z : found.roots) {
            std::complex<double> p = c[0];
            double scale = std::fabs(c[0]);
            const double radius = std::max(1.0, std::abs(z));
            for (std::size_t i = 1; i < c.size(); ++i) {
                p = p * z + c[i];
                scale = scale * radius + std::fabs(c[i]);
            }
            ASSERT_LE(std::abs(p), 1e-6 * scale) << "trial " << trial;
        }
    }
}

}  // namespace
}  // namespace numerelle::matrix
