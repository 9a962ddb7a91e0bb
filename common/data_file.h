#pragma once
// Reading a data file (help, units, a saved matrix, an @FILE argument)
// without ever blocking on it: a named pipe, a device or a folder is
// refused before anything is read, and so is a file above a cap.
#include <cstdint>
#include <string>
#include <string_view>

namespace numerelle {

enum class DataFileProblem : std::uint8_t {
    None,
    CannotOpen,  // missing, or no permission
    NotRegular,  // a pipe, a device, a folder
    TooLarge,    // above the cap (only when OverCap::Refuse)
    ReadFailed,
};

// What a file longer than the cap gets: refused, or only its beginning read
// (a reader that never needs more, such as a matrix of known order).
enum class OverCap : std::uint8_t { Refuse, ReadBeginning };

struct DataFileRead {
    DataFileProblem problem = DataFileProblem::None;
    std::string bytes;  // empty unless problem == None
};

// The cap of the help and unit files: far above any real one, low enough to
// show and scroll at once.
inline constexpr std::uint64_t kTextDataFileCap = std::uint64_t{16} << 20;
// The cap as the messages name it ("16 MB").
inline std::string textDataFileCapText() {
    return std::to_string(kTextDataFileCap >> 20) + " MB";
}

DataFileRead readDataFile(const std::string& path, std::uint64_t cap, OverCap overCap);

// The help and unit files are GB2312 text (read as GB18030, its superset);
// the program works in UTF-8. A byte sequence that is not GB18030 becomes
// U+FFFD and sets `malformed`, so that a reader may show what it could
// decode or refuse the file.
struct DecodedText {
    std::string utf8;
    bool malformed = false;
};
DecodedText decodeGb18030(std::string_view bytes);

// A help or unit file: readDataFile under kTextDataFileCap (refusing a
// longer one), then decoded. `text` is empty unless problem == None.
struct TextFileRead {
    DataFileProblem problem = DataFileProblem::None;
    DecodedText text;
};
TextFileRead readGb18030TextFile(const std::string& path);

}  // namespace numerelle
