#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "matrix/jz1.h"
#include "test_support.h"

namespace numerelle::matrix {
namespace {

using testing::matrixOf;

// Solution lines and singular systems row by row are in
// tests/cases/matrix.cases; here scale, random systems and cancellation.
TEST(LinearSystem, ScaleDoesNotMatter) {
    // The same well-posed system at tiny and huge scales: a fixed tolerance
    // would call the first singular, division-free elimination would
    // overflow on the second.
    for (double scale : {1e-150, 1.0, 1e150}) {
        SCOPED_TRACE(scale);
        const Solution s =
            solveLinearSystem(matrixOf({{2 * scale, scale}, {scale, 3 * scale}}), {3 * scale, 4 * scale});
        ASSERT_EQ(s.outcome, Outcome::Done);
        EXPECT_NEAR(s.x[0], 1, 1e-14);
        EXPECT_NEAR(s.x[1], 1, 1e-14);
    }
}

TEST(LinearSystem, ScalingAnEquationKeepsItsVerdict) {
    // Random systems, every third made singular by a combination of rows; any
    // row times 10^k must solve (or not) as before.
    std::mt19937 random(9);
    std::uniform_int_distribution<int> order(2, 6), power(-150, 150);
    for (int trial = 0; trial < 300; ++trial) {
        SCOPED_TRACE(trial);
        const int n = order(random);
        Matrix a = testing::randomMatrix(n, 10, random);
        std::vector<double> b(n);
        for (double& v : b) v = power(random) / 10.0;
        const bool singular = trial % 3 == 0;
        if (singular)  // whole numbers, so that the dependence is exact
            for (int j = 1; j <= n; ++j) {
                for (int i = 1; i < n; ++i) a(i, j) = std::round(a(i, j));
                a(n, j) = 3 * a(1, j) - 2 * a(n - 1, j);
            }
        Matrix scaled = a;
        std::vector<double> scaledB = b;
        for (int i = 1; i <= n; ++i) {
            if (random() % 2 == 0) continue;
            const double factor = std::pow(10.0, power(random));
            for (int j = 1; j <= n; ++j) scaled(i, j) *= factor;
            scaledB[i - 1] *= factor;
        }
        const Outcome expected = singular ? Outcome::Singular : Outcome::Done;
        EXPECT_EQ(solveLinearSystem(a, b).outcome, expected);
        const Solution s = solveLinearSystem(scaled, scaledB);
        ASSERT_EQ(s.outcome, expected);
        if (singular) continue;
        const Solution plain = solveLinearSystem(a, b);
        for (int j = 0; j < n; ++j) EXPECT_NEAR(s.x[j], plain.x[j], 1e-9 * (1 + std::fabs(plain.x[j])));
    }
}

TEST(LinearSystem, FiftyFourUnknownsWithLargeEntries) {
    std::mt19937 random(54);
    for (int trial = 0; trial < 5; ++trial) {
        SCOPED_TRACE(trial);
        const Matrix a = testing::randomMatrix(54, 1000, random);
        std::vector<double> known(54), b(54, 0.0);
        std::uniform_real_distribution<double> value(-1000, 1000);
        for (double& k : known) k = value(random);
        for (int i = 1; i <= 54; ++i)
            for (int j = 1; j <= 54; ++j) b[i - 1] += a(i, j) * known[j - 1];
        const Solution s = solveLinearSystem(a, b);
        ASSERT_EQ(s.outcome, Outcome::Done);
        // Within 1e-6 of the known answer; that also bounds the residual by
        // 54 * 1000 * 1e-6, relative to |A|·|x| about 1e-9.
        for (int j = 0; j < 54; ++j) EXPECT_NEAR(s.x[j], known[j], 1e-6);
    }
}

TEST(LinearSystem, OverflowAndCancellation) {
    // Overflow of the solution and equations at the edge of the range are golden cases.
    WorkControl control;
    control.cancel();
    EXPECT_EQ(solveLinearSystem(matrixOf({{1}}), {1}, &control).outcome, Outcome::Cancelled);
}

}  // namespace
}  // namespace numerelle::matrix
