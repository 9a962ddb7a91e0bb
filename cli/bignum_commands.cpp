// add, sub, mul, fact, pow, perm, comb, gcd, lcm: the big-number pages'
// buttons. What the result box shows goes to standard output, message boxes
// to standard error; a refusal the page writes into its result box
// ("太大了！") is printed like a result but exits with status 1.
#include <ostream>

#include "bignum/longjs.h"
#include "cli/commands.h"

namespace numerelle::cli {

namespace {

namespace nb = numerelle::bignum;

bool readAll(const std::vector<std::string>& args, std::vector<std::string>& values, std::ostream& err) {
    values.resize(args.size());
    for (std::size_t i = 0; i < args.size(); ++i)
        if (!readLineArgument(args[i], values[i], err)) return false;
    return true;
}

int report(const nb::PageOutcome& outcome, CommandIo& io) {
    for (const std::string& message : outcome.messages) io.err << message << '\n';
    if (outcome.cancelled || !outcome.result) return 1;
    io.out << *outcome.result << '\n';
    return outcome.resultIsFailure ? 1 : 0;
}

// Commands of two values; the work control is never cancelled here.
template <nb::PageOutcome (*Action)(std::string_view, std::string_view, WorkControl&)>
int runPair(const std::vector<std::string>& args, CommandIo& io, const char* name);

const Subcommand& findCommand(const char* name);

template <nb::PageOutcome (*Action)(std::string_view, std::string_view, WorkControl&)>
int runPair(const std::vector<std::string>& args, CommandIo& io, const char* name) {
    if (args.size() != 2) return usageError(findCommand(name), io);
    std::vector<std::string> values;
    if (!readAll(args, values, io.err)) return 1;
    WorkControl control;
    return report(Action(values[0], values[1], control), io);
}

nb::PageOutcome sumAction(std::string_view a, std::string_view b, WorkControl&) {
    return nb::computeSum(a, b);
}
nb::PageOutcome differenceAction(std::string_view a, std::string_view b, WorkControl&) {
    return nb::computeDifference(a, b);
}
// The command line names the set size first, as P(n, m) is written; the
// page's actions take the upper box (m) first.
nb::PageOutcome permutationAction(std::string_view n, std::string_view m, WorkControl& control) {
    return nb::computePermutation(m, n, control);
}
nb::PageOutcome combinationAction(std::string_view n, std::string_view m, WorkControl& control) {
    return nb::computeCombination(m, n, control);
}

int runFactorial(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() != 1) return usageError(findCommand("fact"), io);
    std::vector<std::string> values;
    if (!readAll(args, values, io.err)) return 1;
    WorkControl control;
    return report(nb::computeFactorial(values[0], control), io);
}

int runDivisorOrMultiple(const std::vector<std::string>& args, CommandIo& io, bool multiple) {
    if (args.size() < 2) return usageError(findCommand(multiple ? "lcm" : "gcd"), io);
    std::vector<std::string> values;
    if (!readAll(args, values, io.err)) return 1;
    // Each number as its box would hold it after typing.
    for (std::string& value : values) value = nb::gcdNumberText(value);
    WorkControl control;
    const nb::GcdOutcome outcome = multiple ? nb::computeLcm(values, control) : nb::computeGcd(values, control);
    for (const std::string& message : outcome.messages) io.err << message << '\n';
    if (outcome.failed) {
        // A refusal lands in the button's own box; a zero leaves only the
        // box's first text there, which is no answer.
        const std::optional<std::string>& box = multiple ? outcome.multipleBox : outcome.divisorBox;
        if (box && outcome.messages.empty()) io.out << *box << '\n';
        return 1;
    }
    io.out << *(multiple ? outcome.multipleBox : outcome.divisorBox) << '\n';
    return 0;
}

const std::vector<Subcommand>& commandList() {
    static const std::vector<Subcommand> commands = {
        {"add", "add A B", "两个任意长的十进制数之和",
         [](const std::vector<std::string>& a, CommandIo& io) { return runPair<sumAction>(a, io, "add"); }},
        {"sub", "sub A B", "两个十进制数之差 A - B",
         [](const std::vector<std::string>& a, CommandIo& io) { return runPair<differenceAction>(a, io, "sub"); }},
        {"mul", "mul A B", "两个十进制数的精确乘积",
         [](const std::vector<std::string>& a, CommandIo& io) { return runPair<nb::computeProduct>(a, io, "mul"); }},
        {"fact", "fact N", "N 的阶乘 N!，N 最大为 99999", runFactorial},
        {"pow", "pow 底数 指数", "十进制数的整数次幂",
         [](const std::vector<std::string>& a, CommandIo& io) { return runPair<nb::computePower>(a, io, "pow"); }},
        {"perm", "perm N M", "排列数 P(N, M)：N 个里取 M 个",
         [](const std::vector<std::string>& a, CommandIo& io) { return runPair<permutationAction>(a, io, "perm"); }},
        {"comb", "comb N M", "组合数 C(N, M)：N 个里取 M 个",
         [](const std::vector<std::string>& a, CommandIo& io) { return runPair<combinationAction>(a, io, "comb"); }},
        {"gcd", "gcd N1 N2 [N3 ...]", "不超过 10^16 的整数的最大公约数",
         [](const std::vector<std::string>& a, CommandIo& io) { return runDivisorOrMultiple(a, io, false); }},
        {"lcm", "lcm N1 N2 [N3 ...]", "不超过 10^16 的整数的最小公倍数",
         [](const std::vector<std::string>& a, CommandIo& io) { return runDivisorOrMultiple(a, io, true); }},
    };
    return commands;
}

const Subcommand& findCommand(const char* name) {
    for (const Subcommand& command : commandList())
        if (command.name == name) return command;
    return commandList().front();
}

}  // namespace

std::vector<Subcommand> bignumCommands() {
    return commandList();
}

}  // namespace numerelle::cli
