#include <cmath>

#include "matrix/jz1.h"

namespace numerelle::matrix {

Product multiply(const Matrix& a, const Matrix& b, WorkControl* control) {
    const int n = a.order();
    Product result;
    result.c = Matrix(n);
    Matrix& c = result.c;
    // C(i, j) sums B(k, j)·A(i, k) over k in increasing order; the loops run
    // i, k, j so that rows are read in memory order with the same sums.
    for (int i = 1; i <= n; ++i) {
        if (control) {
            if (control->cancelled()) return {Outcome::Cancelled, Matrix()};
            control->setProgress(static_cast<double>(i) / n);
        }
        double* rowC = c.row(i);
        for (int k = 1; k <= n; ++k) {
            const double aik = a(i, k);
            const double* rowB = b.row(k);
            for (int j = 0; j < n; ++j) rowC[j] = rowB[j] * aik + rowC[j];
        }
    }
    for (double v : c.elements()) {
        if (!std::isfinite(v)) return {Outcome::Overflow, Matrix()};
    }
    return result;
}

}  // namespace numerelle::matrix
