#include "common/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace numerelle
