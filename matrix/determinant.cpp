#include <cmath>
#include <optional>
#include <vector>

#include "matrix/jz1.h"

namespace numerelle::matrix {

namespace {

// Cofactor expansion along the first row over the working rows and columns
// given by index lists, so that minors need no copies: rows[0] is the row
// expanded, cols the columns still in play.
class CofactorExpansion {
public:
    CofactorExpansion(const Matrix& a, WorkControl* control) : a_(a), control_(control) {}

    double run() {
        const int n = a_.order();
        std::vector<int> rows(n), cols(n);
        for (int i = 0; i < n; ++i) rows[i] = cols[i] = i + 1;
        columns_.assign(n + 1, {});
        return expand(rows.data(), cols.data(), n, true);
    }
    bool cancelled() const { return cancelled_; }

private:
    double at(const int* rows, const int* cols, int r, int c) const { return a_(rows[r - 1], cols[c - 1]); }

    double expand(const int* rows, const int* cols, int n, bool top) {
        if (n == 1) return at(rows, cols, 1, 1);
        if (n == 2) return at(rows, cols, 2, 2) * at(rows, cols, 1, 1) - at(rows, cols, 2, 1) * at(rows, cols, 1, 2);
        if (n == 3) {
            auto A = [&](int r, int c) { return at(rows, cols, r, c); };
            return A(2, 1) * A(1, 3) * A(3, 2) + A(2, 2) * A(1, 1) * A(3, 3) + A(2, 3) * A(1, 2) * A(3, 1) -
                   A(2, 2) * A(1, 3) * A(3, 1) - A(1, 2) * A(2, 1) * A(3, 3) - A(1, 1) * A(2, 3) * A(3, 2);
        }
        // Orders 7 and up take long enough below them to make polling cheap.
        if (control_ && n >= 7 && control_->cancelled()) {
            cancelled_ = true;
            return 0;
        }
        std::vector<int>& minorCols = columns_[n];
        minorCols.resize(n - 1);
        double result = 0;
        for (int i = 1; i <= n; ++i) {
            // Minor without row 1 and column i.
            for (int k = 1; k <= n - 1; ++k) minorCols[k - 1] = cols[k >= i ? k : k - 1];
            const double d = expand(rows + 1, minorCols.data(), n - 1, false);
            if (cancelled_) return 0;
            const double term = at(rows, cols, 1, i) * d;
            result = result + ((i + 1) % 2 == 0 ? term : -term);
            if (top && control_) control_->setProgress(static_cast<double>(i) / n);
        }
        return result;
    }

    const Matrix& a_;
    WorkControl* control_;
    bool cancelled_ = false;
    std::vector<std::vector<int>> columns_;  // one column list per minor order
};

Determinant finished(double value) {
    Determinant d;
    d.value = value;
    if (!std::isfinite(value)) d.outcome = Outcome::Overflow;
    return d;
}

}  // namespace

Determinant cofactorDeterminant(const Matrix& a, WorkControl* control) {
    if (a.order() == 0) return finished(1);
    CofactorExpansion expansion(a, control);
    const double value = expansion.run();
    if (expansion.cancelled()) return {Outcome::Cancelled, 0};
    return finished(value);
}

Determinant luDeterminant(const Matrix& input, WorkControl* control) {
    const int n = input.order();
    Matrix a = input;
    double sign = 1;
    for (int k = 1; k <= n; ++k) {
        if (control) {
            if (control->cancelled()) return {Outcome::Cancelled, 0};
            control->setProgress(static_cast<double>(k) / n);
        }
        int pivot = k;
        for (int i = k + 1; i <= n; ++i)
            if (std::fabs(a(i, k)) > std::fabs(a(pivot, k))) pivot = i;
        if (a(pivot, k) == 0) return finished(0);
        if (pivot != k) {
            sign = -sign;
            for (int j = k; j <= n; ++j) std::swap(a(k, j), a(pivot, j));
        }
        const double p = a(k, k);
        for (int i = k + 1; i <= n; ++i) {
            const double factor = a(i, k) / p;
            if (factor == 0) continue;
            double* rowI = a.row(i);
            const double* rowK = a.row(k);
            for (int j = k + 1; j <= n; ++j) rowI[j - 1] -= factor * rowK[j - 1];
        }
    }
    double value = sign;
    for (int k = 1; k <= n; ++k) value *= a(k, k);
    return finished(value);
}

std::optional<Determinant> exactIntegerDeterminant(const Matrix& input, WorkControl* control) {
    using Int = __int128;
    const int n = input.order();
    // Whole numbers of at most 2^53 only: beyond that a double no longer
    // says which integer was meant.
    std::vector<Int> a(input.elements().size());
    for (std::size_t k = 0; k < a.size(); ++k) {
        const double v = input.elements()[k];
        if (!(std::fabs(v) <= 9007199254740992.0) || v != std::trunc(v)) return std::nullopt;
        a[k] = static_cast<Int>(v);
    }
    auto at = [&](int r, int c) -> Int& { return a[static_cast<std::size_t>(r - 1) * n + (c - 1)]; };
    // Fraction-free elimination: after step k every entry below and right of
    // the pivot is a (k+1)-rowed minor, so each division is exact and the
    // last pivot is the determinant.
    Int previous = 1;
    bool negate = false;
    for (int k = 1; k <= n; ++k) {
        if (control) {
            if (control->cancelled()) return Determinant{Outcome::Cancelled, 0};
            control->setProgress(static_cast<double>(k) / n);
        }
        int pivot = k;
        while (pivot <= n && at(pivot, k) == 0) ++pivot;
        if (pivot > n) return Determinant{};  // a zero column below the diagonal: 0
        if (pivot != k) {
            negate = !negate;
            for (int j = 1; j <= n; ++j) std::swap(at(k, j), at(pivot, j));
        }
        const Int p = at(k, k);
        for (int i = k + 1; i <= n; ++i) {
            const Int f = at(i, k);
            if (f == 0 && p == previous) continue;  // the row stays as it is
            for (int j = k + 1; j <= n; ++j) {
                Int left, right, difference;
                if (__builtin_mul_overflow(at(i, j), p, &left) || __builtin_mul_overflow(f, at(k, j), &right) ||
                    __builtin_sub_overflow(left, right, &difference))
                    return std::nullopt;
                at(i, j) = difference / previous;
            }
            at(i, k) = 0;
        }
        previous = p;
    }
    const Int value = negate ? -previous : previous;
    constexpr Int kLimit = 1000000000000000;  // 10^15: at most 15 digits
    if (value >= kLimit || value <= -kLimit) return std::nullopt;
    return Determinant{Outcome::Done, static_cast<double>(value)};
}

Determinant determinant(const Matrix& a, WorkControl* control) {
    if (a.order() <= kMaxCofactorOrder) return cofactorDeterminant(a, control);
    if (const std::optional<Determinant> exact = exactIntegerDeterminant(a, control)) return *exact;
    return luDeterminant(a, control);
}

}  // namespace numerelle::matrix
