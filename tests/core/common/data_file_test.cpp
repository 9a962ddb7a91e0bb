#include "common/data_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>

namespace {

using namespace numerelle;
namespace fs = std::filesystem;

class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("numerelle-data-file-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string write(const char* name, const std::string& bytes) const {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    fs::path folder_;
};

TEST_F(DataFileTest, ReadsRegularFilesUpToTheCap) {
    const struct {
        const char* name;
        std::string content;
        std::uint64_t cap;
        OverCap overCap;
        DataFileProblem problem;
        std::string expected;
    } rows[] = {
        {"whole file", "ab\r\ncd", 16, OverCap::Refuse, DataFileProblem::None, "ab\r\ncd"},
        {"empty file", "", 16, OverCap::Refuse, DataFileProblem::None, ""},
        {"exactly the cap", "1234", 4, OverCap::Refuse, DataFileProblem::None, "1234"},
        {"one byte over the cap", "12345", 4, OverCap::Refuse, DataFileProblem::TooLarge, ""},
        {"beginning of a longer file", "12345", 4, OverCap::ReadBeginning, DataFileProblem::None, "1234"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const DataFileRead read = readDataFile(write("file", row.content), row.cap, row.overCap);
        EXPECT_EQ(read.problem, row.problem);
        EXPECT_EQ(read.bytes, row.expected);
    }
}

TEST_F(DataFileTest, RefusesWhatIsNoRegularFile) {
    const std::string fifo = (folder_ / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        const char* name;
        std::string path;
        DataFileProblem problem;
    } rows[] = {
        {"missing file", (folder_ / "none").string(), DataFileProblem::CannotOpen},
        {"folder", folder_.string(), DataFileProblem::NotRegular},
        {"named pipe without a writer", fifo, DataFileProblem::NotRegular},
        {"endless device", "/dev/zero", DataFileProblem::NotRegular},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        // A blocking open would never return: give it a few seconds.
        auto read =
            std::async(std::launch::async, [&] { return readDataFile(row.path, kTextDataFileCap, OverCap::Refuse); });
        ASSERT_EQ(read.wait_for(std::chrono::seconds(5)), std::future_status::ready);
        const DataFileRead result = read.get();
        EXPECT_EQ(result.problem, row.problem);
        EXPECT_TRUE(result.bytes.empty());
    }
}

TEST(Gb18030Test, DecodesToUtf8AndMarksWhatIsNotGb18030) {
    const struct {
        const char* name;
        std::string bytes;
        std::string utf8;
        bool malformed;
    } rows[] = {
        {"empty", "", "", false},
        {"ASCII passes unchanged", "m 1\r\n", "m 1\r\n", false},
        {"two-byte GB2312", "\xB5\xA5\xCE\xBB", "单位", false},
        {"four-byte GB18030", "\x81\x30\x84\x36", "\xC2\xA5", false},
        {"a byte that starts nothing, decoding goes on",
         "a\x80"
         "b",
         "a\xEF\xBF\xBD"
         "b",
         true},
        {"cut short at the end", "\xB5\xA5\xCE", "单\xEF\xBF\xBD", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const DecodedText decoded = decodeGb18030(row.bytes);
        EXPECT_EQ(decoded.utf8, row.utf8);
        EXPECT_EQ(decoded.malformed, row.malformed);
    }
}

TEST_F(DataFileTest, ReadsTextFilesAsGb18030) {
    const TextFileRead read = readGb18030TextFile(write("units.txt", "\xC3\xD7 1\n"));
    EXPECT_EQ(read.problem, DataFileProblem::None);
    EXPECT_EQ(read.text.utf8, "米 1\n");
    EXPECT_EQ(readGb18030TextFile((folder_ / "none").string()).problem, DataFileProblem::CannotOpen);
    const TextFileRead huge = readGb18030TextFile(write("huge.txt", std::string(kTextDataFileCap + 1, 'a')));
    EXPECT_EQ(huge.problem, DataFileProblem::TooLarge);
    EXPECT_TRUE(huge.text.utf8.empty());
}

}  // namespace
