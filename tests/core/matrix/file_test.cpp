#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "matrix/jz1.h"

namespace numerelle::matrix {
namespace {

std::vector<unsigned char> bytesOf(std::int32_t count, std::vector<double> values) {
    std::vector<unsigned char> bytes(4 + 8 * values.size());
    const auto u = static_cast<std::uint32_t>(count);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(u >> (8 * i));
    for (std::size_t k = 0; k < values.size(); ++k) {
        const auto bits = std::bit_cast<std::uint64_t>(values[k]);
        for (int i = 0; i < 8; ++i) bytes[4 + 8 * k + i] = static_cast<unsigned char>(bits >> (8 * i));
    }
    return bytes;
}

TEST(MatrixFile, TwoByTwoIsFortyFourLittleEndianBytes) {
    const std::vector<unsigned char> bytes = encodeMatrixFile(Store{1, 2, 3, 4, 0});
    ASSERT_EQ(bytes.size(), 44u);
    EXPECT_EQ(bytes, bytesOf(4, {1, 2, 3, 4, 0}));
    // Spot-check the byte order by hand: count 4, then 1.0 = 0x3FF0000000000000.
    const unsigned char head[] = {4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
    EXPECT_EQ(std::memcmp(bytes.data(), head, sizeof head), 0);
    EXPECT_EQ(matrixFileSize(4), 44u);
    EXPECT_EQ(matrixFileSize(9), 8u * 9 + 12);
}

// The seeds of the matrix-file fuzz target (tests/fuzz/corpus/matrix_file)
// are replayed against an independent layout check and a byte-exact round
// trip: the spare slot, counts that are negative, not square or not the
// page's, short files and bad elements. Here the edges no seed reaches.
TEST(MatrixFile, ChecksBeforeReading) {
    struct Row {
        const char* name;
        std::vector<unsigned char> bytes;
        FileProblem problem;
    };
    std::vector<unsigned char> truncated = bytesOf(4, {1, 2, 3, 4, 0});
    truncated.pop_back();
    const double inf = std::numeric_limits<double>::infinity();
    const Row rows[] = {
        {"empty file", {}, FileProblem::NoCount},
        {"most negative count", bytesOf(INT32_MIN, {}), FileProblem::NegativeCount},
        {"one byte short", truncated, FileProblem::Truncated},
        {"odd spare slot is carried", bytesOf(4, {1, 2, 3, 4, inf}), FileProblem::None},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FileRead read = decodeMatrixFile(row.bytes, 4);  // a page of order 2
        EXPECT_EQ(read.problem, row.problem);
        EXPECT_EQ(read.store.empty(), row.problem != FileProblem::None);
    }
}

TEST(MatrixFile, NamesThatCannotBeFiles) {
    struct Row {
        const char* name;
        std::string text;
        NameProblem problem;
    };
    const Row rows[] = {
        {"plain", "new1", NameProblem::None},
        {"Chinese", "矩阵一", NameProblem::None},
        {"inner dots and blanks", "a.b c", NameProblem::None},
        {"empty", "", NameProblem::Empty},
        {"slash", "../etc/x", NameProblem::ForbiddenCharacter},
        {"backslash", "a\\b", NameProblem::ForbiddenCharacter},
        {"colon", "c:x", NameProblem::ForbiddenCharacter},
        {"star", "a*", NameProblem::ForbiddenCharacter},
        {"question mark", "a?", NameProblem::ForbiddenCharacter},
        {"quote", "a\"", NameProblem::ForbiddenCharacter},
        {"angle", "<a>", NameProblem::ForbiddenCharacter},
        {"bar", "a|b", NameProblem::ForbiddenCharacter},
        {"newline", "a\nb", NameProblem::ForbiddenCharacter},
        {"only dots", "..", NameProblem::ForbiddenCharacter},
        {"251 bytes fit", std::string(251, 'a'), NameProblem::None},
        {"252 bytes are too long", std::string(252, 'a'), NameProblem::TooLong},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(checkMatrixName(row.text), row.problem);
    }
}

}  // namespace
}  // namespace numerelle::matrix
