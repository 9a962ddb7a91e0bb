#pragma once
// Every text numerelle-cli writes of its own, in Chinese like the program.
// The pages' messages ("式子有问题", …) and the failure texts come from the
// core and are not here.
#include <string>
#include <string_view>

namespace numerelle::cli::texts {

inline constexpr std::string_view kProgram = "numerelle-cli";
inline constexpr std::string_view kUsage = "用法：";
inline constexpr std::string_view kHelpIntro =
    "numerelle-cli：在命令行上使用 Numerelle 计算器的各项工具。\n"
    "每个子命令输出它那一页的结果框显示的内容，消息框的内容写到标准错误；\n"
    "得出结果时退出状态为 0，否则为 1。参数写成 @文件 时从该文件读取它的值。\n"
    "\n"
    "子命令：\n";
inline constexpr std::string_view kHelpOutro =
    "\n"
    "numerelle-cli 子命令 --help    显示该子命令的用法\n"
    "numerelle-cli --version        显示版本\n";
inline constexpr std::string_view kLineBreakInArgument = "参数里不能有换行：一个输入框只放一行";
inline constexpr std::string_view kNoMatrix = "没有给出矩阵";
inline constexpr std::string_view kCannotWriteOutput = "无法写出结果：标准输出写不进去";
// What follows cannotRead() when the file is not one a value can come from.
inline constexpr const char* kNotARegularFile = "（不是普通文件）";
inline constexpr const char* kFileTooLarge = "（文件超过 256 MiB）";
inline constexpr std::string_view kDegreeTooHigh = "多项式的次数最多是 100";

inline std::string unknownSubcommand(std::string_view name) {
    return "没有这个子命令：" + std::string(name) + "（numerelle-cli --help 列出全部子命令）";
}
inline std::string cannotRead(std::string_view path) {
    return "读不出文件：" + std::string(path);
}
// The prefix of a message about one line of standard input.
inline std::string onLine(long number) {
    return "第 " + std::to_string(number) + " 行：";
}
inline std::string notANumber(std::string_view word) {
    return "不是数：" + std::string(word);
}
inline std::string tooManyRows(int most) {
    return "矩阵最多 " + std::to_string(most) + " 行";
}
inline std::string wrongRowWidth(std::size_t row, std::size_t count, std::size_t expected) {
    return "第 " + std::to_string(row) + " 行有 " + std::to_string(count) + " 个数，应当是 " +
           std::to_string(expected) + " 个";
}

}  // namespace numerelle::cli::texts
