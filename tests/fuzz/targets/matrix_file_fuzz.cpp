// libFuzzer target: the matrix-file decoder. The input is the file; the
// matrix on the page has the order the first byte names (so that counts
// both matching and not matching it are reached).
#include <cstddef>
#include <cstdint>
#include <span>

#include "matrix_file_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    matrix_file_checks::checkFile(1 + data[0] % 12, std::span<const std::uint8_t>(data + 1, size - 1));
    return 0;
}
