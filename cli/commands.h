#pragma once
// The subcommands of numerelle-cli. Each prints exactly what its page shows:
// result texts on standard output, each message the page would show in a
// message box on standard error (one line each), and returns 0 when a result
// was produced, 1 otherwise.
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "expr/jxjs.h"

namespace numerelle::cli {

struct CommandIo {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    // Whether standard input is a terminal (a user typing) rather than a
    // pipe or a file: "eval" without a formula reads lines only from the latter.
    bool inputIsTerminal = false;
};

struct Subcommand {
    std::string name;
    std::string usage;    // e.g. "log 数 [底数]"; one form a line where there are several
    std::string summary;  // one line for --help
    int (*run)(const std::vector<std::string>& args, CommandIo& io);
};

// Each subsystem lists its own subcommands.
std::vector<Subcommand> exprCommands();
std::vector<Subcommand> bignumCommands();
std::vector<Subcommand> matrixCommands();
std::vector<Subcommand> numtoolsCommands();    // factor, frac, sqrt, complex
std::vector<Subcommand> conversionCommands();  // units, angle, base
std::vector<Subcommand> calculusCommands();

// Reads an argument as the user would type it; "@FILE" reads the value from
// that file (trailing newlines removed). False, with a "读不出文件" message,
// when the file cannot be read, is not a regular file or is over the cap.
inline constexpr std::uint64_t kArgumentFileCap = std::uint64_t{256} << 20;
bool readArgument(const std::string& argument, std::string& value, std::ostream& err);

// readArgument for a value that goes into one box: a value with a line
// break is refused with a message, as no box could hold it.
bool readLineArgument(const std::string& argument, std::string& value, std::ostream& err);

// What a formula field shows when its formula fails: "括号错了!" for unequal
// brackets, then "式子有问题", one a line.
void printFormulaFailure(FailureKind failure, std::ostream& err);

// A formula field's commit: reads the argument (or @FILE) and evaluates it.
// `value` is what the page then reads back from the box: the value rounded
// to its 15-digit number text. On failure the field's messages go to `err`
// and false is returned.
bool commitFormulaArgument(const std::string& argument, double& value, std::ostream& err);

// `value` as a page reads it back after writing it into a box as number text.
double boxReading(double value);

// Prints the usage lines on standard error and returns 1: for a wrong
// number of arguments. The second form looks the subcommand up by name.
int usageError(const Subcommand& command, CommandIo& io);
int usageError(std::string_view name, CommandIo& io);

// Runs the command line; argv-style arguments without the program name.
int runCli(const std::vector<std::string>& args, CommandIo& io);

}  // namespace numerelle::cli
