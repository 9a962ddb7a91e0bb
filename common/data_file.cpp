#include "common/data_file.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace numerelle {

DataFileRead readDataFile(const std::string& path, std::uint64_t cap, OverCap overCap) {
    DataFileRead result;
    // O_NONBLOCK: opening a pipe with no writer would otherwise wait for
    // ever. It changes nothing for a regular file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        result.problem = DataFileProblem::CannotOpen;
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) result.problem = DataFileProblem::ReadFailed;
    else if (!S_ISREG(info.st_mode)) result.problem = DataFileProblem::NotRegular;
    else if (static_cast<std::uint64_t>(info.st_size) > cap && overCap == OverCap::Refuse)
        result.problem = DataFileProblem::TooLarge;
    if (result.problem != DataFileProblem::None) {
        ::close(fd);
        return result;
    }
    // Read up to the length the file had when opened (and never above the
    // cap): a file growing meanwhile is cut there.
    const std::uint64_t length = static_cast<std::uint64_t>(info.st_size);
    result.bytes.resize(static_cast<std::size_t>(length < cap ? length : cap));
    std::size_t filled = 0;
    while (filled < result.bytes.size()) {
        const ssize_t got = ::read(fd, result.bytes.data() + filled, result.bytes.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) result.problem = DataFileProblem::ReadFailed;
        if (got <= 0) break;
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (result.problem != DataFileProblem::None) result.bytes.clear();
    else result.bytes.resize(filled);
    return result;
}

DecodedText decodeGb18030(std::string_view bytes) {
    DecodedText result;
    iconv_t converter = iconv_open("UTF-8", "GB18030");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        result.malformed = !bytes.empty();
        return result;
    }
    // iconv takes a non-const input pointer on some systems.
    std::string input(bytes);
    char* in = input.data();
    std::size_t inLeft = input.size();
    // A GB18030 character of n bytes is at most n + 2 bytes of UTF-8 (one
    // byte of two becomes three), so the room for 2 * n + 4 always suffices;
    // the loop still grows it should an iconv differ.
    std::string output(input.size() * 2 + 4, '\0');
    std::size_t used = 0;
    while (inLeft > 0) {
        char* out = output.data() + used;
        std::size_t outLeft = output.size() - used;
        const std::size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
        used = output.size() - outLeft;
        if (done != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            output.resize(output.size() * 2);
            continue;
        }
        // EILSEQ (not GB18030) or EINVAL (cut short at the end): one byte
        // becomes U+FFFD and decoding goes on after it. Each turn consumes
        // at least one byte, so the loop ends.
        result.malformed = true;
        ++in;
        --inLeft;
        output.resize(std::max(output.size(), used + 3 + inLeft * 2 + 4));
        output.replace(used, 3, "\xEF\xBF\xBD");
        used += 3;
    }
    iconv_close(converter);
    output.resize(used);
    result.utf8 = std::move(output);
    return result;
}

TextFileRead readGb18030TextFile(const std::string& path) {
    TextFileRead result;
    const DataFileRead file = readDataFile(path, kTextDataFileCap, OverCap::Refuse);
    result.problem = file.problem;
    if (file.problem == DataFileProblem::None) result.text = decodeGb18030(file.bytes);
    return result;
}

}  // namespace numerelle
