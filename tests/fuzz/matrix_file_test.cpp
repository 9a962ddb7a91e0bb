// Random and mutated matrix files must be refused or read, never crash,
// over-read or allocate beyond what the current matrix needs: the fuzz
// target's checks over generated files, in every build.
#include <gtest/gtest.h>

#include <random>

#include "matrix/jz1.h"
#include "targets/matrix_file_checks.h"

namespace numerelle::matrix {
namespace {

TEST(MatrixFileFuzz, RandomBytesNeverReadPastTheEnd) {
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 120);
    for (int trial = 0; trial < 20000; ++trial) {
        std::vector<std::uint8_t> bytes(length(random));
        for (auto& b : bytes) b = static_cast<std::uint8_t>(byte(random));
        // Half the time, a plausible count in front.
        if (bytes.size() >= 4 && trial % 2 == 0) {
            bytes[0] = static_cast<std::uint8_t>(trial % 3 == 0 ? 4 : 9);
            bytes[1] = bytes[2] = bytes[3] = 0;
        }
        matrix_file_checks::checkFile(2, bytes);
    }
}

TEST(MatrixFileFuzz, MutatedValidFilesRoundTripOrFail) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-1e6, 1e6);
    for (int trial = 0; trial < 2000; ++trial) {
        const int n = 2 + trial % 5;
        Store store(static_cast<std::size_t>(n) * n + 1);
        for (double& v : store) v = value(random);
        std::vector<unsigned char> bytes = encodeMatrixFile(store);
        switch (trial % 4) {
            case 0:
                ASSERT_EQ(decodeMatrixFile(bytes, store.size() - 1).store, store);
                break;  // untouched
            case 1:
                bytes.resize(random() % bytes.size());
                break;  // cut short
            case 2:
                bytes[random() % 4] ^= static_cast<unsigned char>(1 + random() % 255);
                break;  // count
            case 3:
                bytes[4 + random() % (bytes.size() - 4)] ^= 0xFF;
                break;  // an element
        }
        matrix_file_checks::checkFile(static_cast<std::size_t>(n), bytes);
    }
}

}  // namespace
}  // namespace numerelle::matrix
