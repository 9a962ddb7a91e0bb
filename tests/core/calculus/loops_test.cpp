// The calculus loops over plain point functions: what no formula shows
// (the points visited, exactness for any n, cancellation and progress). The
// result boxes of sums, products, integrals and derivatives, failures
// included, are rows of tests/cases/calculus.cases.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "calculus/loops.h"
#include "common/number_text.h"

namespace {

using numerelle::numberText;
using numerelle::WorkControl;
using numerelle::calculus::Accumulation;
using numerelle::calculus::Result;
using numerelle::calculus::Status;
using numerelle::expr::Evaluation;
using Failure = numerelle::FailureKind;
using PointFunction = std::function<Evaluation(double)>;

Evaluation ok(double v) {
    return {v, Failure::None};
}

const PointFunction identity = [](double x) { return ok(x); };

// The range loop and the integral, each over many points: cancelled before
// the start nothing is evaluated; cancelled during the run they stop within
// one poll interval; left alone their progress reaches the end.
TEST(RangeLoop, CancellationAndProgress) {
    using Run = std::function<Result(const PointFunction&, double, WorkControl&)>;
    const Run runs[] = {
        [](const PointFunction& f, double n, WorkControl& c) {
            return numerelle::calculus::accumulateOverRange(f, 1, n, Accumulation::Sum, c);
        },
        [](const PointFunction& f, double n, WorkControl& c) {
            return numerelle::calculus::accumulateOverRange(f, 1, n, Accumulation::Product, c);
        },
        [](const PointFunction& f, double n, WorkControl& c) {
            return numerelle::calculus::integrateTrapezoids(f, 0, 1, n, c);
        },
    };
    for (std::size_t i = 0; i < std::size(runs); ++i) {
        SCOPED_TRACE(i);
        WorkControl before;
        before.cancel();
        long calls = 0;
        EXPECT_EQ(runs[i]([&](double x) { return ++calls, ok(x); }, 1e8, before).status, Status::Cancelled);
        EXPECT_EQ(calls, 0);

        WorkControl during;
        const PointFunction cancelling = [&](double) {
            if (++calls == 10000) during.cancel();
            return ok(1);  // so that no product overflows first
        };
        EXPECT_EQ(runs[i](cancelling, 1e12, during).status, Status::Cancelled);
        EXPECT_LE(calls, 10000 + static_cast<long>(numerelle::calculus::pollInterval));

        WorkControl whole;
        runs[i]([](double) { return ok(1); }, 100000, whole);
        EXPECT_EQ(whole.progressPermille(), 1000);
    }
    // An empty range that is cancelled is still reported as cancelled.
    WorkControl cancelled;
    cancelled.cancel();
    EXPECT_EQ(numerelle::calculus::accumulateOverRange(identity, 5, 1, Accumulation::Sum, cancelled).status,
              Status::Cancelled);
}

TEST(Integral, VisitsExactlyNPlusOnePointsEndingAtTheLimit) {
    // Adding the step again and again drifts; here the last point must be
    // the upper limit itself and no point may repeat.
    const double limits[][2] = {{1, 10}, {0, 1}, {2, 1}, {1e6, 1e6 + 0.7}, {-3.3, 7.1}};
    for (const auto& limit : limits) {
        for (const double n : {1.0, 3.0, 10.0, 1000.0, 4099.0}) {
            SCOPED_TRACE(numberText(limit[0]) + " .. " + numberText(limit[1]) + " n=" + numberText(n));
            std::vector<double> points;
            const PointFunction recording = [&points](double x) {
                points.push_back(x);
                return ok(x);
            };
            WorkControl control;
            numerelle::calculus::integrateTrapezoids(recording, limit[0], limit[1], n, control);
            ASSERT_EQ(points.size(), static_cast<std::size_t>(n) + 1);
            EXPECT_EQ(points.front(), limit[0]);
            EXPECT_EQ(points.back(), limit[1]);
            for (std::size_t i = 1; i < points.size(); ++i)
                ASSERT_NE(points[i], points[i - 1]) << "point " << i << " repeated";
        }
    }
}

TEST(Integral, PolynomialsOfDegreeOneAreExactForAnyN) {
    struct Line {
        double slope, offset;
    };
    const Line lines[] = {{0, 0}, {0, 2.5}, {1, 0}, {3, -2}, {-0.5, 7}};
    const double limits[][2] = {{0, 1}, {1, 10}, {2, 1}, {-5, 3}, {0.1, 0.7}, {-1e3, 2e3}};
    for (const Line& line : lines) {
        const PointFunction f = [line](double x) { return ok(line.slope * x + line.offset); };
        const auto antiderivative = [line](double x) { return line.slope * x * x / 2 + line.offset * x; };
        for (const auto& limit : limits) {
            // Widths are |h|: the integral runs upwards whichever limit is larger.
            const double low = std::min(limit[0], limit[1]);
            const double high = std::max(limit[0], limit[1]);
            const double exact = antiderivative(high) - antiderivative(low);
            for (const double n : {1.0, 2.0, 7.0, 1000.0, 9999.0}) {
                SCOPED_TRACE(numberText(line.slope) + "x+" + numberText(line.offset) + " over " + numberText(limit[0]) +
                             ".." + numberText(limit[1]) + " n=" + numberText(n));
                WorkControl control;
                const Result result = numerelle::calculus::integrateTrapezoids(f, limit[0], limit[1], n, control);
                ASSERT_TRUE(result.hasValue());
                const double scale = std::fabs(limit[1] - limit[0]) *
                                     (std::fabs(line.slope) * std::max(std::fabs(limit[0]), std::fabs(limit[1])) +
                                      std::fabs(line.offset));
                EXPECT_NEAR(result.value, exact, 1e-12 * scale + 1e-300);
            }
        }
    }
}

}  // namespace
