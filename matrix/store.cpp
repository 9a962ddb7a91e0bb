#include <cmath>

#include "matrix/jz1.h"

namespace numerelle::matrix {

int storeOrder(const Store& store) {
    if (store.empty()) return 0;
    const auto upper = static_cast<double>(store.size() - 1);
    auto order = static_cast<int>(std::sqrt(upper));
    // Guard against the square root rounding just below a whole number.
    while (static_cast<double>(order + 1) * (order + 1) <= upper) ++order;
    return order;
}

Matrix storeToMatrix(const Store& store) {
    const int n = storeOrder(store);
    Matrix m(n);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) m(r, c) = store[static_cast<std::size_t>(r - 1) * n + (c - 1)];
    return m;
}

Store matrixToStore(const Matrix& matrix) {
    Store store(matrix.elements());
    store.push_back(0.0);
    return store;
}

Store resizeStore(const Store& store, int order) {
    if (order < 0) order = 0;
    Store resized(static_cast<std::size_t>(order) * order + 1, 0.0);
    const std::size_t kept = std::min(resized.size(), store.size());
    std::copy(store.begin(), store.begin() + static_cast<std::ptrdiff_t>(kept), resized.begin());
    return resized;
}

std::int64_t matrixCellIndex(int cell, int top, int left, int order) {
    return static_cast<std::int64_t>(cell / 4 + top) * order + cell % 4 + left;
}

std::int64_t equationCellIndex(int cell, int top, int left, int unknowns) {
    return static_cast<std::int64_t>(cell / 5 + top) * (unknowns + 1) + cell % 5 + left;
}

std::string unknownName(int j) {
    char32_t code = static_cast<char32_t>(j <= 26 ? j + 64 : j + 70);
    // Skip what a label cannot show: DEL and the C1 controls, then the
    // no-break space and the soft hyphen (in ascending order, so each skip
    // sees the codes the earlier ones moved).
    if (code >= 127) code += 33;
    if (code >= 0xA0) ++code;
    if (code >= 0xAD) ++code;
    std::string text;
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | (code >> 6));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (code >> 12));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
    return text;
}

}  // namespace numerelle::matrix
