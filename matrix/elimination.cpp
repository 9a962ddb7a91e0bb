#include <cmath>
#include <limits>

#include "common/number_text.h"
#include "matrix/jz1.h"

namespace numerelle::matrix {

namespace {

// The power of two that brings the largest magnitude among `values` into
// [0.5, 1); 0 when all are zero. Scaling by it rounds nothing.
int equilibratingExponent(double largest) {
    if (largest == 0) return 0;
    int exponent = 0;
    std::frexp(largest, &exponent);
    return -exponent;
}

}  // namespace

Solution solveLinearSystem(Matrix a, std::vector<double> b, WorkControl* control) {
    const int n = a.order();
    Solution result;
    // Equilibrate rows, then columns, by powers of two, so that a pivot is
    // judged against the scale of its own equation and unknown: multiplying
    // an equation by 10^k or measuring an unknown in other units must not
    // decide whether the system solves.
    for (int i = 1; i <= n; ++i) {
        double* row = a.row(i);
        double largest = 0;
        for (int j = 0; j < n; ++j) largest = std::max(largest, std::fabs(row[j]));
        if (largest == 0) return {Outcome::Singular, {}};
        const int e = equilibratingExponent(largest);
        for (int j = 0; j < n; ++j) row[j] = std::ldexp(row[j], e);
        b[i - 1] = std::ldexp(b[i - 1], e);
    }
    std::vector<int> columnExponent(n, 0);
    for (int j = 1; j <= n; ++j) {
        double largest = 0;
        for (int i = 1; i <= n; ++i) largest = std::max(largest, std::fabs(a(i, j)));
        if (largest == 0) return {Outcome::Singular, {}};
        columnExponent[j - 1] = equilibratingExponent(largest);
        for (int i = 1; i <= n; ++i) a(i, j) = std::ldexp(a(i, j), columnExponent[j - 1]);
    }
    // Every coefficient is now below 1 and every row and column reaches 0.5
    // or so: a pivot this small is rounding noise left of a zero (dependent
    // rows, or a hopelessly ill-conditioned system).
    const double tolerance = 4 * std::max(n, 1) * std::numeric_limits<double>::epsilon();
    for (int k = 1; k <= n; ++k) {
        if (control) {
            if (control->cancelled()) return {Outcome::Cancelled, {}};
            control->setProgress(static_cast<double>(k) / n);
        }
        int pivot = k;
        for (int i = k + 1; i <= n; ++i)
            if (std::fabs(a(i, k)) > std::fabs(a(pivot, k))) pivot = i;
        if (!(std::fabs(a(pivot, k)) > tolerance)) {
            result.outcome = Outcome::Singular;
            return result;
        }
        if (pivot != k) {
            for (int j = k; j <= n; ++j) std::swap(a(k, j), a(pivot, j));
            std::swap(b[k - 1], b[pivot - 1]);
        }
        // Scale the pivot row to 1, then clear column k from every other row.
        const double p = a(k, k);
        double* rowK = a.row(k);
        for (int j = k + 1; j <= n; ++j) rowK[j - 1] /= p;
        rowK[k - 1] = 1;
        b[k - 1] /= p;
        for (int i = 1; i <= n; ++i) {
            if (i == k) continue;
            const double q = a(i, k);
            if (q == 0) continue;
            double* rowI = a.row(i);
            for (int j = k + 1; j <= n; ++j) rowI[j - 1] -= q * rowK[j - 1];
            rowI[k - 1] = 0;
            b[i - 1] -= q * b[k - 1];
        }
    }
    for (int j = 0; j < n; ++j) {
        b[j] = std::ldexp(b[j], columnExponent[j]);
        if (!std::isfinite(b[j])) {
            result.outcome = Outcome::Overflow;
            return result;
        }
    }
    result.x = std::move(b);
    return result;
}

void splitEquationStore(const Store& equations, int unknowns, Matrix& a, std::vector<double>& b) {
    const int n = unknowns;
    a = Matrix(n);
    b.assign(n, 0.0);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) a(i + 1, j + 1) = equations[static_cast<std::size_t>(i) * (n + 1) + j];
        b[i] = equations[static_cast<std::size_t>(i + 1) * (n + 1) - 1];
    }
}

std::string solutionLine(const std::vector<double>& x) {
    std::string line;
    for (std::size_t j = 0; j < x.size(); ++j)
        line += unknownName(static_cast<int>(j + 1)) + "=" + programNumberText(x[j]) + " ";
    return line;
}

}  // namespace numerelle::matrix
