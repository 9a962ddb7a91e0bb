#pragma once
// The matrix-file decoder against an independent check of the layout, for
// the libFuzzer target and its seed corpus: a file is read exactly when the
// layout is sound, a read file encodes back to its own bytes, and a refused
// one leaves nothing behind. A disagreement prints what differed and aborts.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include "matrix/jz1.h"

namespace matrix_file_checks {

using namespace numerelle::matrix;

inline void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "matrix file: %s\n", what);
    std::abort();
}

inline std::uint64_t littleEndian(std::span<const std::uint8_t> bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) value = value << 8 | bytes[i];
    return value;
}

// The verdict worked out from the layout alone, in the decoder's order.
inline FileProblem expectedProblem(std::span<const std::uint8_t> file, std::size_t upper) {
    if (file.size() < 4) return FileProblem::NoCount;
    const std::uint32_t raw = static_cast<std::uint32_t>(littleEndian(file.first(4)));
    if (raw >= 0x80000000u) return FileProblem::NegativeCount;
    std::uint64_t root = 0;  // the whole square root, by bisection
    for (std::uint64_t step = std::uint64_t{1} << 16; step != 0; step >>= 1) {
        if ((root + step) * (root + step) <= raw) root += step;
    }
    if (root * root != raw) return FileProblem::NotSquare;
    if (raw != upper) return FileProblem::CountMismatch;
    if (file.size() < 4 + 8 * (static_cast<std::size_t>(raw) + 1)) return FileProblem::Truncated;
    for (std::size_t i = 0; i < raw; ++i) {
        if (!std::isfinite(std::bit_cast<double>(littleEndian(file.subspan(4 + 8 * i, 8))))) {
            return FileProblem::BadValue;
        }
    }
    return FileProblem::None;
}

// One file read for a page whose matrix has the given order.
inline void checkFile(std::size_t order, std::span<const std::uint8_t> file) {
    const std::size_t upper = order * order;
    // A copy of exactly the file's length, so that any read past its end is
    // caught by the address sanitizer.
    const std::vector<unsigned char> bytes(file.begin(), file.end());
    const FileRead read = decodeMatrixFile(bytes, upper);
    require(read.problem == expectedProblem(file, upper), "verdict differs from the layout check");
    if (read.problem != FileProblem::None) {
        require(read.store.empty(), "refused file left a store");
        return;
    }
    require(read.store.size() == upper + 1, "store size");
    require(matrixFileSize(upper) <= bytes.size(), "read more than the file holds");
    const std::vector<unsigned char> again = encodeMatrixFile(read.store);
    require(again.size() == matrixFileSize(upper), "encoded size");
    for (std::size_t i = 0; i < again.size(); ++i) require(again[i] == bytes[i], "round trip changed a byte");
    require(storeOrder(read.store) == static_cast<int>(order), "order of the read store");
}

}  // namespace matrix_file_checks
