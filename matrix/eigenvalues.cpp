#include <cmath>

#include "common/number_text.h"
#include "matrix/jz1.h"

namespace numerelle::matrix {

namespace {

constexpr int kSweepLimit = 200;

// One double-shift QR sweep over the active block l..m, with the shift
// polynomial λ² − trace·λ + det.
void francisSweep(Matrix& a, int l, int m, double trace, double det) {
    for (int j = l + 2; j <= m; ++j) a(j, j - 2) = 0;
    for (int j = l + 3; j <= m; ++j) a(j, j - 3) = 0;
    for (int k = l; k <= m - 1; ++k) {
        const bool last = k == m - 1;
        double p, q, r;
        if (k == l) {
            p = a(l, l) * (a(l, l) - trace) + a(l, l + 1) * a(l + 1, l) + det;
            q = a(l + 1, l) * (a(l, l) + a(l + 1, l + 1) - trace);
            r = a(l + 1, l) * a(l + 2, l + 1);
        } else {
            p = a(k, k - 1);
            q = a(k + 1, k - 1);
            r = last ? 0 : a(k + 2, k - 1);
        }
        // Scaling keeps p² + q² + r² inside the double range; the reflector
        // is the same.
        const double scale = std::fabs(p) + std::fabs(q) + std::fabs(r);
        if (scale == 0) continue;  // nothing to annihilate in this column
        p /= scale;
        q /= scale;
        r /= scale;
        const double s = signOf(p) * std::sqrt(p * p + q * q + r * r);
        if (k != l) a(k, k - 1) = -s * scale;
        // Householder reflector I − u·uᵀ/(s(p + s)) with u = (p + s, q, r).
        const double x = (p + s) / s, y = q / s, z = r / s;
        const double qq = q / (p + s), rr = r / (p + s);
        for (int j = k; j <= m; ++j) {
            double t = a(k, j) + qq * a(k + 1, j);
            if (!last) {
                t += rr * a(k + 2, j);
                a(k + 2, j) -= t * z;
            }
            a(k + 1, j) -= t * y;
            a(k, j) -= t * x;
        }
        const int lastRow = std::min(k + 3, m);
        for (int i = l; i <= lastRow; ++i) {
            double t = x * a(i, k) + y * a(i, k + 1);
            if (!last) {
                t += z * a(i, k + 2);
                a(i, k + 2) -= t * rr;
            }
            a(i, k + 1) -= t * qq;
            a(i, k) -= t;
        }
    }
}

}  // namespace

Eigenvalues hessenbergEigenvalues(Matrix& a, double tolerance, WorkControl* control) {
    const int n = a.order();
    Eigenvalues result;
    result.real.assign(n + 1, 0.0);
    result.imaginary.assign(n + 1, 0.0);
    auto& re = result.real;
    auto& im = result.imaginary;
    double norm = 0;
    for (int r = 1; r <= n; ++r)
        for (int c = std::max(r - 1, 1); c <= n; ++c) norm += std::fabs(a(r, c));
    int m = n;
    int sweeps = 0;
    while (m != 0) {
        int l = m;
        while (l > 1) {
            double s = std::fabs(a(l - 1, l - 1)) + std::fabs(a(l, l));
            if (s == 0) s = norm;  // zero neighbours: judge against the whole matrix
            if (!(std::fabs(a(l, l - 1)) > tolerance * s)) break;
            --l;
        }
        if (l == m) {
            re[m] = a(m, m);
            im[m] = 0;
            m -= 1;
            sweeps = 0;
        } else if (l == m - 1) {
            // Roots of the 2 × 2 block from its half difference of diagonals,
            // so that nearly equal eigenvalues keep their separation (the
            // discriminant of the characteristic polynomial would cancel).
            const double corner = a(m, m);
            const double p = 0.5 * (a(m - 1, m - 1) - corner);
            const double w = a(m, m - 1) * a(m - 1, m);
            const double q = p * p + w;
            const double z = std::sqrt(std::fabs(q));
            if (q >= 0) {
                const double step = p + signOf(p) * z;
                const double far = corner + step;  // the root away from the corner
                const double near = step == 0 ? corner : corner - w / step;
                // Index m holds the root on the side of the trace's sign.
                const double trace = a(m, m) + a(m - 1, m - 1);
                const double high = std::max(far, near), low = std::min(far, near);
                re[m] = trace > 0 ? high : low;
                re[m - 1] = trace > 0 ? low : high;
                im[m] = im[m - 1] = 0;
            } else {
                re[m] = re[m - 1] = corner + p;
                im[m] = z;
                im[m - 1] = -z;
            }
            m -= 2;
            sweeps = 0;
        } else {
            if (sweeps >= kSweepLimit) {
                result.status = 0;
                result.outcome = Outcome::NoConvergence;
                return result;
            }
            if (control) {
                if (control->cancelled()) {
                    result.outcome = Outcome::Cancelled;
                    return result;
                }
                control->setProgress(static_cast<double>(n - m) / n);
            }
            ++sweeps;
            double trace = a(m, m) + a(m - 1, m - 1);
            double det = a(m - 1, m - 1) * a(m, m) - a(m - 1, m) * a(m, m - 1);
            if (sweeps % 10 == 0) {
                // The shifts of the trailing block can cycle without ever
                // deflating (permutation-like matrices); an ad hoc shift
                // near its corner breaks the cycle.
                const double h = a(m, m);
                const double s = std::fabs(a(m, m - 1)) + std::fabs(a(m - 1, m - 2));
                trace = 2 * h + 1.5 * s;
                det = h * h + 1.5 * s * h + s * s;
            }
            francisSweep(a, l, m, trace, det);
        }
    }
    for (int k = 1; k <= n; ++k) {
        if (!std::isfinite(re[k]) || !std::isfinite(im[k])) {
            result.outcome = Outcome::Overflow;
            break;
        }
    }
    return result;
}

std::string complexText(double re, double im) {
    if (im == 0) return numberText(re);
    return numberText(re) + (im < 0 ? "-" : "+") + numberText(std::fabs(im)) + "i";
}

std::string eigenvalueText(const Eigenvalues& values) {
    std::string text;
    const int n = static_cast<int>(values.real.size()) - 1;
    for (int k = 1; k <= n; ++k) {
        int first = k, second = 0;
        // A conjugate pair is written a+bi first, then a-bi.
        if (k < n && values.imaginary[k] < 0 && values.imaginary[k + 1] == -values.imaginary[k] &&
            values.real[k + 1] == values.real[k]) {
            first = k + 1;
            second = k;
        }
        if (!text.empty()) text += '\n';
        text += complexText(values.real[first], values.imaginary[first]);
        if (second) {
            text += '\n' + complexText(values.real[second], values.imaginary[second]);
            ++k;
        }
    }
    return text;
}

}  // namespace numerelle::matrix
