#include "numtools/units.h"

#include <charconv>
#include <cmath>

namespace numerelle::numtools {

namespace {

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

const std::vector<UnitCategory>& unitCategories() {
    static const std::vector<UnitCategory> categories{
        {"长度单位", "dw1.vqx"}, {"时间单位", "dw2.vqx"},       {"质量单位", "dw5.vqx"},
        {"面积单位", "dw3.vqx"}, {"体积，容积单位", "dw4.vqx"},
    };
    return categories;
}

std::optional<std::string> unitFileForCategory(std::string_view categoryName) {
    for (const UnitCategory& category : unitCategories())
        if (categoryName == category.name) return std::string(category.fileName);
    return std::nullopt;
}

std::vector<std::string> splitUnitFileLines(std::string_view content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) end = content.size();
        std::string_view line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    while (!lines.empty() && trimmed(lines.back()).empty()) lines.pop_back();
    return lines;
}

UnitList parseUnitList(const std::vector<std::string>& lines) {
    UnitList list;
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        const int nameLine = static_cast<int>(i) + 1;
        if (i + 1 == lines.size()) {
            list.errors.push_back({UnitFileProblem::SizeMissing, nameLine, lines[i]});
            break;
        }
        const std::optional<double> size = readNumber(lines[i + 1]);
        if (!size || !(*size > 0)) {
            list.errors.push_back({UnitFileProblem::SizeNotPositive, nameLine + 1, lines[i + 1]});
            continue;
        }
        list.units.push_back({lines[i], *size});
    }
    return list;
}

UnitFileProblem unitFileReadProblem(DataFileProblem problem) {
    switch (problem) {
        case DataFileProblem::NotRegular:
            return UnitFileProblem::NotRegularFile;
        case DataFileProblem::TooLarge:
            return UnitFileProblem::FileTooLarge;
        default:
            return UnitFileProblem::FileMissing;
    }
}

std::string unitFileErrorText(std::string_view filePath, const UnitFileError& error) {
    const std::string file(filePath);
    const std::string line = std::to_string(error.line);
    switch (error.problem) {
        case UnitFileProblem::FileMissing:
            return "找不到单位文件 " + file + "，这一类的单位无法读入！";
        case UnitFileProblem::NotRegularFile:
            return "单位文件 " + file + " 不是普通文件，这一类的单位无法读入！";
        case UnitFileProblem::FileTooLarge:
            return "单位文件 " + file + " 超过 " + textDataFileCapText() + "，这一类的单位无法读入！";
        case UnitFileProblem::SizeMissing:
            return "单位文件 " + file + " 第 " + line + " 行的单位“" + error.text +
                   "”后面缺少表示大小的一行（文件的行数是奇数），这个单位没有读入！";
        case UnitFileProblem::SizeNotPositive:
            return "单位文件 " + file + " 第 " + line + " 行“" + error.text +
                   "”应当是单位的大小（一个正数），这个单位没有读入！";
    }
    return {};
}

std::optional<double> readNumber(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return std::nullopt;
    // from_chars also takes "inf", "nan" and hexadecimal after "0x" is left over;
    // only plain decimals (with exponent) are numbers here.
    for (char ch : text) {
        const bool allowed = (ch >= '0' && ch <= '9') || ch == '.' || ch == '-' || ch == '+' || ch == 'e' || ch == 'E';
        if (!allowed) return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

expr::Evaluation convertUnits(double amount, double fromSize, double toSize) {
    const double result = amount * fromSize / toSize;
    if (!std::isfinite(result)) return {0, FailureKind::Overflow};
    return {result, FailureKind::None};
}

}  // namespace numerelle::numtools
