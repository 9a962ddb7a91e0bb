#include <fstream>
#include <iostream>
#include <sstream>

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
    std::ifstream file(argument.substr(1), std::ios::binary);
    if (!file) {
        err << "cannot read " << argument.substr(1) << '\n';
        return false;
    }
    std::ostringstream content;
    content << file.rdbuf();
    value = content.str();
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.pop_back();
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
