// units, angle, base: the converters of the tab "单位转化". Amounts and
// angles are formula fields on the page, so they pass through the box's
// focus-loss handling first and are then read back from the box text.
#include <optional>
#include <ostream>

#include "cli/commands.h"
#include "common/data_file.h"
#include "common/data_folder.h"
#include "common/number_text.h"
#include "expr/jxjs.h"
#include "numtools/angles.h"
#include "numtools/number_base.h"
#include "numtools/units.h"

namespace numerelle::cli {

namespace {

// Reads a category's unit file as choosing the category on the page does.
// The page shows the file's problems and still uses the units it read.
std::optional<numtools::UnitList> loadCategory(const std::string& category, CommandIo& io) {
    const std::optional<std::string> fileName = numtools::unitFileForCategory(category);
    if (!fileName) {
        io.err << "没有这一类单位：" << category << "（可选：";
        for (const numtools::UnitCategory& each : numtools::unitCategories())
            io.err << each.name << (&each == &numtools::unitCategories().back() ? "）\n" : "、");
        return std::nullopt;
    }
    const std::string path = (programDataFolder() / "dw" / *fileName).string();
    const TextFileRead file = readGb18030TextFile(path);
    if (file.problem != DataFileProblem::None) {
        io.err << numtools::unitFileErrorText(path, {numtools::unitFileReadProblem(file.problem), 0, ""}) << '\n';
        return std::nullopt;
    }
    if (file.text.malformed) {
        io.err << "单位文件 " << path << " 不是 GB2312 文本！\n";
        return std::nullopt;
    }
    numtools::UnitList list = numtools::parseUnitList(numtools::splitUnitFileLines(file.text.utf8));
    for (const numtools::UnitFileError& error : list.errors) io.err << numtools::unitFileErrorText(path, error) << '\n';
    return list;
}

// "units --list": the categories, one a line; "units --list CATEGORY": its
// units' names as the page's lists show them.
int listUnits(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() == 1) {
        for (const numtools::UnitCategory& category : numtools::unitCategories()) io.out << category.name << '\n';
        return 0;
    }
    const std::optional<numtools::UnitList> list = loadCategory(args[1], io);
    if (!list) return 1;
    for (const numtools::Unit& unit : list->units) io.out << unit.name << '\n';
    return 0;
}

int runUnits(const std::vector<std::string>& args, CommandIo& io) {
    if (!args.empty() && args[0] == "--list" && args.size() <= 2) return listUnits(args, io);
    if (args.size() != 4) return usageError("units", io);
    const std::optional<numtools::UnitList> loaded = loadCategory(args[0], io);
    if (!loaded) return 1;
    const numtools::UnitList& list = *loaded;

    auto find = [&list](const std::string& name) -> const numtools::Unit* {
        for (const numtools::Unit& unit : list.units)
            if (unit.name == name) return &unit;
        return nullptr;
    };
    const numtools::Unit* from = find(args[1]);
    const numtools::Unit* to = find(args[2]);
    for (const auto& [unit, name] : {std::pair{from, &args[1]}, std::pair{to, &args[2]}}) {
        if (!unit) {
            io.err << "“" << args[0] << "”里没有单位“" << *name << "”\n";
            return 1;
        }
    }
    double amount = 0;
    if (!commitFormulaArgument(args[3], amount, io.err)) return 1;
    const expr::Evaluation result = numtools::convertUnits(amount, from->size, to->size);
    if (!result.ok()) {
        io.err << failureText(result.failure) << '\n';
        return 1;
    }
    io.out << numberText(result.value) << '\n';
    return 0;
}

int runAngle(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() != 2 || (args[0] != "deg2rad" && args[0] != "rad2deg")) return usageError("angle", io);
    double value = 0;
    if (!commitFormulaArgument(args[1], value, io.err)) return 1;
    const expr::Evaluation result =
        args[0] == "deg2rad" ? numtools::degreesToRadians(value) : numtools::radiansToDegrees(value);
    if (!result.ok()) {
        io.err << failureText(result.failure) << '\n';
        return 1;
    }
    io.out << numberText(result.value) << '\n';
    return 0;
}

// A base given on the command line: a whole number from 2 to 36.
std::optional<int> readBase(const std::string& text) {
    const std::optional<double> value = numtools::readNumber(text);
    if (!value || *value != static_cast<int>(*value) || *value < numtools::kSmallestBase ||
        *value > numtools::kLargestBase)
        return std::nullopt;
    return static_cast<int>(*value);
}

int runBase(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() != 3) return usageError("base", io);
    std::string value;
    if (!readLineArgument(args[0], value, io.err)) return 1;
    const std::optional<int> from = readBase(args[1]);
    const std::optional<int> to = readBase(args[2]);
    if (!from || !to) {
        io.err << "进制应当是 2 到 36 之间的整数\n";
        return 1;
    }
    const numtools::BaseText result = numtools::convertNumberBase(value, *from, *to);
    if (!result.ok()) {
        io.err << failureText(result.failure) << '\n';
        return 1;
    }
    io.out << result.text << '\n';
    return 0;
}

}  // namespace

std::vector<Subcommand> conversionCommands() {
    return {
        {"units", "units 类别 原单位 新单位 数量\nunits --list [类别]", "两个单位之间换算；--list 列出类别或单位",
         runUnits},
        {"angle", "angle deg2rad|rad2deg X", "角度化为弧度，或弧度化为角度", runAngle},
        {"base", "base 数 原进制 新进制", "把一个数从一种进制（2 到 36）改写成另一种", runBase},
    };
}

}  // namespace numerelle::cli
