#include <bit>
#include <cmath>
#include <cstring>

#include "matrix/jz1.h"

namespace numerelle::matrix {

namespace {

void putUint32(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void putDouble(std::vector<unsigned char>& out, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<unsigned char>(bits >> (8 * i)));
}

std::uint64_t getLittleEndian(const unsigned char* bytes, int count) {
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

}  // namespace

std::vector<unsigned char> encodeMatrixFile(const Store& store) {
    std::vector<unsigned char> bytes;
    if (store.empty()) return bytes;
    bytes.reserve(matrixFileSize(store.size() - 1));
    putUint32(bytes, static_cast<std::uint32_t>(store.size() - 1));
    for (double value : store) putDouble(bytes, value);
    return bytes;
}

std::size_t matrixFileSize(std::size_t upper) {
    return 4 + 8 * (upper + 1);
}

FileRead decodeMatrixFile(std::span<const unsigned char> bytes, std::size_t expectedUpper) {
    FileRead result;
    if (bytes.size() < 4) {
        result.problem = FileProblem::NoCount;
        return result;
    }
    const auto count = static_cast<std::int32_t>(static_cast<std::uint32_t>(getLittleEndian(bytes.data(), 4)));
    if (count < 0) {
        result.problem = FileProblem::NegativeCount;
        return result;
    }
    const auto root = static_cast<std::int64_t>(std::llround(std::sqrt(static_cast<double>(count))));
    if (root * root != count) {
        result.problem = FileProblem::NotSquare;
        return result;
    }
    const auto upper = static_cast<std::size_t>(count);
    if (upper != expectedUpper) {
        result.problem = FileProblem::CountMismatch;
        return result;
    }
    if (bytes.size() < matrixFileSize(upper)) {
        result.problem = FileProblem::Truncated;
        return result;
    }
    Store store(upper + 1);
    for (std::size_t i = 0; i <= upper; ++i) {
        store[i] = std::bit_cast<double>(getLittleEndian(bytes.data() + 4 + 8 * i, 8));
        // No box can hold an infinity; the spare slot is carried as it is.
        if (i < upper && !std::isfinite(store[i])) {
            result.problem = FileProblem::BadValue;
            return result;
        }
    }
    result.store = std::move(store);
    return result;
}

NameProblem checkMatrixName(std::string_view name) {
    if (name.empty()) return NameProblem::Empty;
    // Separators and the characters Windows file systems refuse, control
    // characters, and names made only of dots (".", "..").
    bool onlyDots = true;
    for (char ch : name) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte == 0x7F || std::strchr("/\\:*?\"<>|", ch)) return NameProblem::ForbiddenCharacter;
        if (ch != '.') onlyDots = false;
    }
    if (onlyDots) return NameProblem::ForbiddenCharacter;
    // Most file systems allow 255 bytes a name; ".kmx" takes four.
    if (name.size() + 4 > 255) return NameProblem::TooLong;
    return NameProblem::None;
}

}  // namespace numerelle::matrix
