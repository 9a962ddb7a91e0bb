// Runs every golden case file through the command-line front end. A case is
// one line:   SUBCOMMAND ARG ... | EXPECTED OUTPUT
// Arguments are split at blanks; EXPECTED is compared with the whole of
// standard output after "\n" in it is turned into a line break and one final
// line break is added. The output's leading blank matters, so the text after
// "| " is taken as it stands. A line "# ..." is a comment. An expected output
// of "!exit 1" means: nothing on standard output and exit status 1;
// "!exit 1 TEXT" means: TEXT on standard output and exit status 1 (a refusal
// the page writes into its result box). "SUBCOMMAND ARG ... <<< INPUT | ..."
// gives INPUT ("\n" a line break) as standard input, a pipe; without it
// standard input is a terminal at which nothing is typed. "... | EXPECTED 2> TEXT"
// also expects TEXT (the message boxes) as the whole of standard error.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "cli/commands.h"

namespace {

struct Case {
    std::string file;
    int line;
    std::vector<std::string> args;
    std::string expected;
    std::optional<std::string> input;
    std::optional<std::string> errors;
};

std::vector<Case> loadCases() {
    std::vector<Case> cases;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(NUMERELLE_CASES_DIR))
        if (entry.path().extension() == ".cases") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        std::ifstream in(path);
        std::string text;
        int number = 0;
        while (std::getline(in, text)) {
            ++number;
            if (text.empty() || text[0] == '#') continue;
            const auto bar = text.find(" | ");
            if (bar == std::string::npos) continue;
            Case item{path.filename().string(), number, {}, text.substr(bar + 3), std::nullopt, std::nullopt};
            if (const auto err = item.expected.find(" 2> "); err != std::string::npos) {
                item.errors = item.expected.substr(err + 4);
                item.expected.resize(err);
            }
            std::string command = text.substr(0, bar);
            if (const auto redirect = command.find(" <<< "); redirect != std::string::npos) {
                item.input = command.substr(redirect + 5);
                command.resize(redirect);
            }
            std::istringstream words(command);
            for (std::string word; words >> word;) item.args.push_back(word);
            cases.push_back(std::move(item));
        }
    }
    return cases;
}

std::string unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool lineBreak = text.compare(i, 2, "\\n") == 0;
        out += lineBreak ? '\n' : text[i];
        if (lineBreak) ++i;
    }
    return out;
}

TEST(GoldenCases, EveryCaseMatches) {
    const std::vector<Case> cases = loadCases();
    ASSERT_FALSE(cases.empty());
    for (const Case& item : cases) {
        SCOPED_TRACE(item.file + ":" + std::to_string(item.line));
        std::istringstream in(item.input ? unescape(*item.input) + "\n" : "");
        std::ostringstream out, err;
        numerelle::cli::CommandIo io{in, out, err, !item.input};
        const int status = numerelle::cli::runCli(item.args, io);
        if (item.expected == "!exit 1") {
            EXPECT_EQ(status, 1);
            EXPECT_EQ(out.str(), "");
        } else if (item.expected.rfind("!exit 1 ", 0) == 0) {
            EXPECT_EQ(status, 1);
            EXPECT_EQ(out.str(), unescape(item.expected.substr(8)) + "\n");
        } else {
            EXPECT_EQ(status, 0) << err.str();
            EXPECT_EQ(out.str(), unescape(item.expected) + "\n");
        }
        if (item.errors) {
            EXPECT_EQ(err.str(), unescape(*item.errors) + "\n");
        }
    }
}

}  // namespace
