#pragma once
// Helpers shared by the matrix tests.
#include <initializer_list>
#include <random>

#include "matrix/jz1.h"

namespace numerelle::matrix::testing {

inline Matrix matrixOf(std::initializer_list<std::initializer_list<double>> rows) {
    Matrix m(static_cast<int>(rows.size()));
    int r = 1;
    for (const auto& row : rows) {
        int c = 1;
        for (double v : row) m(r, c++) = v;
        ++r;
    }
    return m;
}

inline Matrix randomMatrix(int n, double range, std::mt19937& random) {
    std::uniform_real_distribution<double> value(-range, range);
    Matrix m(n);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) m(r, c) = value(random);
    return m;
}

}  // namespace numerelle::matrix::testing
