#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ostream>

#include "cli/commands.h"

namespace numerelle::cli {

namespace {

std::vector<Subcommand> allCommands() {
    std::vector<Subcommand> all;
    for (auto part : {exprCommands, bignumCommands, matrixCommands, numtoolsCommands, conversionCommands, calculusCommands}) {
        auto commands = part();
        all.insert(all.end(), commands.begin(), commands.end());
    }
    return all;
}

void printHelp(std::ostream& out, const std::vector<Subcommand>& commands) {
    out << "numerelle-cli: the Numerelle calculator's tools from the command line.\n"
           "Each subcommand prints exactly what its page shows; messages go to standard\n"
           "error; the exit status is 0 when a result was produced, 1 otherwise.\n"
           "An argument @FILE reads that value from a file.\n\nSubcommands:\n";
    for (const Subcommand& command : commands) {
        std::string usage = "  " + command.usage;
        if (usage.size() < 34) usage.resize(34, ' ');
        else usage += "  ";
        out << usage << command.summary << '\n';
    }
}

}  // namespace

bool readArgument(const std::string& argument, std::string& value, std::ostream& err) {
    if (argument.size() < 2 || argument[0] != '@') {
        value = argument;
        return true;
    }
    const std::string path = argument.substr(1);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        err << "cannot read " << path << '\n';
        return false;
    }
    // A pipe, a device or a folder has no length to check: only regular
    // files are values, and only up to a cap, so /dev/zero cannot eat memory.
    struct stat info {};
    const char* problem = nullptr;
    if (::fstat(fd, &info) != 0) problem = "";
    else if (!S_ISREG(info.st_mode)) problem = ": not a regular file";
    else if (static_cast<std::uint64_t>(info.st_size) > kArgumentFileCap) problem = ": larger than 256 MiB";
    if (problem) {
        ::close(fd);
        err << "cannot read " << path << problem << '\n';
        return false;
    }
    // One read straight into the value the page action will see; the loop
    // only continues after a short read (a file growing while read is cut
    // at its length when opened).
    value.resize(static_cast<std::size_t>(info.st_size));
    std::size_t filled = 0;
    bool failed = false;
    while (filled < value.size()) {
        const ssize_t got = ::read(fd, value.data() + filled, value.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        failed = got < 0;
        if (got <= 0) break;
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (failed) {
        err << "cannot read " << path << '\n';
        return false;
    }
    value.resize(filled);
    std::size_t end = value.size();
    while (end > 0 && (value[end - 1] == '\n' || value[end - 1] == '\r')) --end;
    value.resize(end);
    return true;
}

void printFormulaFailure(expr::Failure failure, std::ostream& err) {
    if (failure == expr::Failure::Brackets) err << "括号错了!\n";
    err << "式子有问题\n";
}

bool commitFormulaArgument(const std::string& argument, double& value, std::ostream& err) {
    std::string text;
    if (!readArgument(argument, text, err)) return false;
    const expr::Evaluation result = expr::evaluateFormula(text);
    if (!result.ok()) {
        printFormulaFailure(result.failure, err);
        return false;
    }
    value = result.value;
    return true;
}

int usageError(const Subcommand& command, CommandIo& io) {
    io.err << "usage: numerelle-cli " << command.usage << '\n';
    return 1;
}

int runCli(const std::vector<std::string>& args, CommandIo& io) {
    const std::vector<Subcommand> commands = allCommands();
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(args.empty() ? io.err : io.out, commands);
        return args.empty() ? 1 : 0;
    }
    for (const Subcommand& command : commands) {
        if (command.name == args[0]) {
            const std::vector<std::string> rest(args.begin() + 1, args.end());
            return command.run(rest, io);
        }
    }
    io.err << "unknown subcommand: " << args[0] << " (see numerelle-cli --help)\n";
    return 1;
}

}  // namespace numerelle::cli
