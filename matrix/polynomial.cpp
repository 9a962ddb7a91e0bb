#include <algorithm>
#include <cmath>
#include <limits>

#include "matrix/jz1.h"

namespace numerelle::matrix {

namespace {

using Complex = std::complex<double>;

// Diagonal similarity by powers of two that brings row and column norms
// close (it keeps a Hessenberg matrix Hessenberg and loses no digits).
void balance(Matrix& a) {
    const int n = a.order();
    for (int pass = 0; pass < 100; ++pass) {
        bool changed = false;
        for (int i = 1; i <= n; ++i) {
            double column = 0, row = 0;
            for (int j = 1; j <= n; ++j) {
                if (j == i) continue;
                column += std::fabs(a(j, i));
                row += std::fabs(a(i, j));
            }
            if (column == 0 || row == 0) continue;
            const double total = column + row;
            double f = 1;
            double g = row / 2;
            while (column < g) {
                f *= 2;
                column *= 4;
            }
            g = row * 2;
            while (column > g) {
                f /= 2;
                column /= 4;
            }
            if ((column + row) / f < 0.95 * total) {
                changed = true;
                for (int j = 1; j <= n; ++j) a(i, j) /= f;
                for (int j = 1; j <= n; ++j) a(j, i) *= f;
            }
        }
        if (!changed) break;
    }
}

// Value and derivative of the polynomial at z by Horner's scheme.
void evaluate(const std::vector<double>& c, Complex z, Complex& value, Complex& slope) {
    value = c[0];
    slope = 0;
    for (std::size_t i = 1; i < c.size(); ++i) {
        slope = slope * z + value;
        value = value * z + c[i];
    }
}

// Newton steps while they lower the residual: the eigenvalue is already
// close, so this only recovers the last digits.
Complex polish(const std::vector<double>& c, Complex z) {
    Complex value, slope;
    evaluate(c, z, value, slope);
    for (int step = 0; step < 30 && std::abs(value) != 0; ++step) {
        if (slope == Complex(0)) break;
        const Complex next = z - value / slope;
        Complex nextValue, nextSlope;
        evaluate(c, next, nextValue, nextSlope);
        if (!(std::abs(nextValue) < std::abs(value))) break;
        const bool settled = std::abs(next - z) <= std::numeric_limits<double>::epsilon() * std::abs(next);
        z = next;
        value = nextValue;
        slope = nextSlope;
        if (settled) break;
    }
    return z;
}

// Roots of a polynomial with a non-zero leading coefficient, unsorted.
Outcome nonZeroRoots(const std::vector<double>& c, WorkControl* control, std::vector<Complex>& roots) {
    const int n = static_cast<int>(c.size()) - 1;
    if (n == 0) return Outcome::Done;
    if (n == 1) {
        const double root = -c[1] / c[0];
        if (!std::isfinite(root)) return Outcome::Overflow;
        roots.push_back(root + 0.0);
        return Outcome::Done;
    }
    // Companion matrix of the monic polynomial: its first row holds the
    // negated coefficients, its subdiagonal ones.
    Matrix a(n);
    for (int j = 1; j <= n; ++j) {
        a(1, j) = -c[j] / c[0];
        if (!std::isfinite(a(1, j))) return Outcome::Overflow;
    }
    for (int i = 2; i <= n; ++i) a(i, i - 1) = 1;
    balance(a);
    const Outcome reduced = toHessenberg(a, control);
    if (reduced != Outcome::Done) return reduced;
    const Eigenvalues values = hessenbergEigenvalues(a, std::numeric_limits<double>::epsilon(), control);
    if (values.outcome != Outcome::Done) return values.outcome;
    for (int k = 1; k <= n; ++k) {
        const double im = values.imaginary[k];
        if (k < n && im != 0 && values.imaginary[k + 1] == -im) {
            // Refine one of a conjugate pair and mirror it, so the pair stays exact.
            const Complex z = polish(c, Complex(values.real[k], std::fabs(im)));
            roots.push_back(z);
            roots.push_back(std::conj(z));
            ++k;
        } else {
            roots.push_back(polish(c, Complex(values.real[k], im)));
        }
    }
    for (Complex& z : roots) {
        if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) return Outcome::Overflow;
        z = Complex(z.real() + 0.0, z.imag() + 0.0);  // no "-0" in the output
    }
    return Outcome::Done;
}

}  // namespace

PolynomialRoots polynomialRoots(const std::vector<double>& coefficients, WorkControl* control) {
    PolynomialRoots result;
    if (coefficients.size() < 2 || coefficients[0] == 0) {
        result.leadingZero = coefficients.size() >= 2;
        result.outcome = Outcome::Singular;
        return result;
    }
    // Trailing zero coefficients are exact roots at 0; the rest of the
    // polynomial is solved without them.
    std::vector<double> c = coefficients;
    int zeros = 0;
    while (c.size() > 1 && c.back() == 0) {
        c.pop_back();
        ++zeros;
    }
    const Outcome outcome = nonZeroRoots(c, control, result.roots);
    if (outcome != Outcome::Done) {
        result.outcome = outcome;
        result.roots.clear();
        return result;
    }
    result.roots.insert(result.roots.end(), zeros, Complex(0, 0));
    std::sort(result.roots.begin(), result.roots.end(),
              [](Complex x, Complex y) { return x.real() != y.real() ? x.real() > y.real() : x.imag() > y.imag(); });
    return result;
}

}  // namespace numerelle::matrix
