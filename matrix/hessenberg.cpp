#include <cmath>

#include "matrix/jz1.h"

namespace numerelle::matrix {

double signOf(double x) {
    return x >= 0 ? 1.0 : -1.0;
}

Outcome toHessenberg(Matrix& a, WorkControl* control) {
    const int n = a.order();
    for (int m = 2; m <= n - 1; ++m) {
        if (control) {
            if (control->cancelled()) return Outcome::Cancelled;
            control->setProgress(static_cast<double>(m) / n);
        }
        // Pivot: the first largest entry of column m − 1 at or below row m.
        double x = 0;
        int pivot = m;
        for (int j = m; j <= n; ++j) {
            if (std::fabs(a(j, m - 1)) > std::fabs(x)) {
                x = a(j, m - 1);
                pivot = j;
            }
        }
        if (pivot != m) {
            for (int j = m - 1; j <= n; ++j) std::swap(a(pivot, j), a(m, j));
            for (int j = 1; j <= n; ++j) std::swap(a(j, pivot), a(j, m));
        }
        // Every multiplier is at most 1 in size, so any non-zero pivot is
        // safe; only an all-zero column is already reduced.
        if (x == 0) continue;
        const double* rowM = a.row(m);
        for (int i = m + 1; i <= n; ++i) {
            const double y = a(i, m - 1) / x;
            a(i, m - 1) = 0;
            if (y == 0) continue;
            double* rowI = a.row(i);
            for (int j = m; j <= n; ++j) rowI[j - 1] -= y * rowM[j - 1];
            for (int j = 1; j <= n; ++j) a(j, m) += y * a(j, i);
        }
    }
    for (double v : a.elements())
        if (!std::isfinite(v)) return Outcome::Overflow;
    return Outcome::Done;
}

}  // namespace numerelle::matrix
