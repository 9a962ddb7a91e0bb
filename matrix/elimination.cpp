#include <cmath>
#include <limits>

#include "common/number_text.h"
#include "matrix/jz1.h"

namespace numerelle::matrix {

Solution solveLinearSystem(Matrix a, std::vector<double> b, WorkControl* control) {
    const int n = a.order();
    Solution result;
    double largest = 0;
    for (double v : a.elements()) largest = std::max(largest, std::fabs(v));
    // A pivot this small is rounding noise left of a zero: the rows are
    // dependent (or the system is hopelessly ill-conditioned).
    const double tolerance = std::max(n, 1) * std::numeric_limits<double>::epsilon() * largest;
    if (largest == 0 && n > 0) {
        result.outcome = Outcome::Singular;
        return result;
    }
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
    for (double v : b) {
        if (!std::isfinite(v)) {
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
