#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "matrix/jz1.h"

namespace numerelle::matrix {
namespace {

using Complex = std::complex<double>;

std::vector<double> fromRoots(const std::vector<Complex>& roots) {
    std::vector<Complex> c{1};
    for (Complex r : roots) {
        c.push_back(0);
        for (std::size_t i = c.size() - 1; i > 0; --i) c[i] -= r * c[i - 1];
    }
    std::vector<double> real;
    for (Complex v : c) real.push_back(v.real());
    return real;
}

// Each expected root has its own found root within tolerance (relative
// above 1).
bool sameRoots(std::vector<Complex> found, const std::vector<Complex>& expected, double tolerance) {
    if (found.size() != expected.size()) return false;
    for (Complex want : expected) {
        auto best = found.begin();
        for (auto it = found.begin(); it != found.end(); ++it)
            if (std::abs(*it - want) < std::abs(*best - want)) best = it;
        if (std::abs(*best - want) > tolerance * std::max(1.0, std::abs(want))) return false;
        found.erase(best);
    }
    return true;
}

// The other known roots, exactly as the page prints them, are in
// tests/cases/matrix.cases; a triple root is found only to about 1e-5.
TEST(PolynomialRoots, TripleRoot) {
    const PolynomialRoots found = polynomialRoots({1, -3, 3, -1});
    ASSERT_EQ(found.outcome, Outcome::Done);
    EXPECT_TRUE(sameRoots(found.roots, {1, 1, 1}, 1e-4));
}

TEST(PolynomialRoots, DegreeTwentyFromKnownRoots) {
    // Ten conjugate pairs of different moduli and a spread of angles.
    std::vector<Complex> roots;
    for (int k = 1; k <= 10; ++k) {
        const Complex z = std::polar(0.5 + 0.07 * k, 0.3 * k);
        roots.push_back(z);
        roots.push_back(std::conj(z));
    }
    const PolynomialRoots found = polynomialRoots(fromRoots(roots));
    ASSERT_EQ(found.outcome, Outcome::Done);
    EXPECT_TRUE(sameRoots(found.roots, roots, 1e-9));
    // Output order: real parts descending.
    for (std::size_t k = 1; k < found.roots.size(); ++k) EXPECT_GE(found.roots[k - 1].real(), found.roots[k].real());
}

TEST(PolynomialRoots, DegreeHundredUnitCircle) {
    // x^100 − 1: all hundred roots of unity, conjugate pairs exact.
    std::vector<double> c(101, 0.0);
    c[0] = 1;
    c[100] = -1;
    const PolynomialRoots found = polynomialRoots(c);
    ASSERT_EQ(found.outcome, Outcome::Done);
    ASSERT_EQ(found.roots.size(), 100u);
    for (Complex z : found.roots) EXPECT_NEAR(std::abs(z), 1, 1e-12);
    EXPECT_EQ(found.roots.front(), Complex(1, 0));
    EXPECT_EQ(found.roots.back(), Complex(-1, 0));
}

TEST(PolynomialRoots, Refusals) {
    EXPECT_TRUE(polynomialRoots({0, 1, 2}).leadingZero);
    EXPECT_TRUE(polynomialRoots({0, 5}).leadingZero);
    EXPECT_FALSE(polynomialRoots({5}).leadingZero);
    EXPECT_NE(polynomialRoots({5}).outcome, Outcome::Done);
}

}  // namespace
}  // namespace numerelle::matrix
