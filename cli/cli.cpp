#include <cstdint>
#include <ostream>
#include <sstream>

#include "cli/commands.h"
#include "cli/texts.h"
#include "common/data_file.h"
#include "common/number_text.h"

namespace numerelle::cli {

namespace {

std::vector<Subcommand> allCommands() {
    std::vector<Subcommand> all;
    for (auto part :
         {exprCommands, bignumCommands, matrixCommands, numtoolsCommands, conversionCommands, calculusCommands}) {
        auto commands = part();
        all.insert(all.end(), commands.begin(), commands.end());
    }
    return all;
}

// Columns a UTF-8 text takes on a terminal: two for Chinese characters and
// full-width forms, one for everything else.
std::size_t displayWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
                          (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                          (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
                          (code >= 0xFFE0 && code <= 0xFFE6);
        width += wide ? 2 : 1;
        i += length;
    }
    return width;
}

// The usage column, then the summary; a usage too wide for the column has
// its summary on the next line.
std::string withSummary(std::string usage, std::string_view summary) {
    constexpr std::size_t kColumn = 36;
    const std::size_t shown = displayWidth(usage);
    if (shown < kColumn) usage.append(kColumn - shown, ' ');
    else usage += '\n' + std::string(kColumn, ' ');
    return usage.append(summary);
}

// A usage field holds one form a line.
std::vector<std::string> usageForms(const Subcommand& command) {
    std::vector<std::string> forms;
    std::istringstream lines(command.usage);
    for (std::string line; std::getline(lines, line);) forms.push_back(line);
    return forms;
}

void printHelp(std::ostream& out, const std::vector<Subcommand>& commands) {
    out << texts::kHelpIntro;
    for (const Subcommand& command : commands) {
        const std::vector<std::string> forms = usageForms(command);
        for (std::size_t i = 0; i < forms.size(); ++i) {
            const std::string form = "  " + forms[i];
            if (i == 0) out << withSummary(form, command.summary) << '\n';
            else out << form << '\n';
        }
    }
    out << texts::kHelpOutro;
}

void printUsage(std::ostream& out, const Subcommand& command) {
    const std::vector<std::string> forms = usageForms(command);
    for (std::size_t i = 0; i < forms.size(); ++i)
        out << (i == 0 ? std::string(texts::kUsage) : std::string(displayWidth(texts::kUsage), ' ')) << texts::kProgram
            << ' ' << forms[i] << '\n';
}

const Subcommand* findCommand(const std::vector<Subcommand>& commands, std::string_view name) {
    for (const Subcommand& command : commands)
        if (command.name == name) return &command;
    return nullptr;
}

bool asksForHelp(const std::string& argument) {
    return argument == "--help" || argument == "-h";
}

}  // namespace

bool readArgument(const std::string& argument, std::string& value, std::ostream& err) {
    if (argument.size() < 2 || argument[0] != '@') {
        value = argument;
        return true;
    }
    const std::string path = argument.substr(1);
    // A pipe, a device or a folder has no length to check: only regular
    // files are values, and only up to a cap, so /dev/zero cannot eat memory.
    DataFileRead file = readDataFile(path, kArgumentFileCap, OverCap::Refuse);
    if (file.problem != DataFileProblem::None) {
        err << texts::cannotRead(path);
        if (file.problem == DataFileProblem::NotRegular) err << texts::kNotARegularFile;
        if (file.problem == DataFileProblem::TooLarge) err << texts::kFileTooLarge;
        err << '\n';
        return false;
    }
    value = std::move(file.bytes);
    std::size_t end = value.size();
    while (end > 0 && (value[end - 1] == '\n' || value[end - 1] == '\r')) --end;
    value.resize(end);
    return true;
}

bool readLineArgument(const std::string& argument, std::string& value, std::ostream& err) {
    if (!readArgument(argument, value, err)) return false;
    // Two memchr passes: find_first_of with a two-character set tests the
    // set once per character of the value, which dominated a long @FILE.
    const std::string_view text(value);
    if (text.find('\n') != std::string_view::npos || text.find('\r') != std::string_view::npos) {
        err << texts::kLineBreakInArgument << '\n';
        return false;
    }
    return true;
}

void printFormulaFailure(FailureKind failure, std::ostream& err) {
    for (const std::string& message : formulaFailureMessages(failure)) err << message << '\n';
}

bool commitFormulaArgument(const std::string& argument, double& value, std::ostream& err) {
    std::string text;
    if (!readLineArgument(argument, text, err)) return false;
    const expr::Evaluation result = expr::evaluateFormula(text);
    if (!result.ok()) {
        printFormulaFailure(result.failure, err);
        return false;
    }
    value = boxReading(result.value);
    return true;
}

double boxReading(double value) {
    return numberFromText(numberText(value));
}

int usageError(const Subcommand& command, CommandIo& io) {
    printUsage(io.err, command);
    return 1;
}

int usageError(std::string_view name, CommandIo& io) {
    const std::vector<Subcommand> commands = allCommands();
    if (const Subcommand* command = findCommand(commands, name)) printUsage(io.err, *command);
    return 1;
}

int runCli(const std::vector<std::string>& args, CommandIo& io) {
    const std::vector<Subcommand> commands = allCommands();
    if (args.empty() || asksForHelp(args[0]) || (args[0] == "help" && args.size() == 1)) {
        printHelp(args.empty() ? io.err : io.out, commands);
        return args.empty() ? 1 : 0;
    }
    if (args[0] == "--version" && args.size() == 1) {
        io.out << texts::kProgram << ' ' << NUMERELLE_VERSION << '\n';
        return 0;
    }
    // "SUBCOMMAND --help", "SUBCOMMAND -h" and "help SUBCOMMAND".
    const bool help = args[0] == "help" || (args.size() == 2 && asksForHelp(args[1]));
    const std::string& name = args[0] == "help" ? args[1] : args[0];
    const Subcommand* command = findCommand(commands, name);
    if (!command) {
        io.err << texts::unknownSubcommand(name) << '\n';
        return 1;
    }
    if (help) {
        printUsage(io.out, *command);
        io.out << command->summary << '\n';
        return 0;
    }
    return command->run(std::vector<std::string>(args.begin() + 1, args.end()), io);
}

}  // namespace numerelle::cli
