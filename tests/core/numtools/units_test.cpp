#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "numtools/units.h"

namespace numerelle::numtools {
namespace {

using Lines = std::vector<std::string>;

// The categories, their files and the conversions through them are golden
// cases (tests/cases/conversion.cases: units --list, units CATEGORY ...).
TEST(SplitUnitFileLines, LineEndsAndTrailingBlankLines) {
    const struct {
        const char* name;
        std::string content;
        Lines expected;
    } rows[] = {
        {"final line break adds no line", "米\n1\n", {"米", "1"}},
        {"carriage returns dropped", "米\r\n1\r\n", {"米", "1"}},
        {"blank lines at the end dropped", "米\n1\n\n \r\n", {"米", "1"}},
        {"blank line inside kept", "米\n\n", {"米"}},
        {"blank name inside kept", "\n1\n米\n1\n", {"", "1", "米", "1"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(splitUnitFileLines(row.content), row.expected);
    }
}

TEST(ParseUnitList, GoodPairsAreReadInOrder) {
    const UnitList list = parseUnitList({"米", "1", "千米", "1000", "尺", " 0.33333333333333333333 ", "纳米", "1E-09"});
    EXPECT_TRUE(list.errors.empty());
    EXPECT_EQ(list.units, (std::vector<Unit>{{"米", 1}, {"千米", 1000}, {"尺", 1.0 / 3}, {"纳米", 1e-9}}));
}

TEST(ParseUnitList, ProblemsNameTheLineAndKeepTheRest) {
    const struct {
        const char* name;
        Lines lines;
        std::vector<std::string> unitsKept;
        std::vector<UnitFileError> errors;
    } rows[] = {
        {"odd number of lines", {"米", "1", "千米"}, {"米"}, {{UnitFileProblem::SizeMissing, 3, "千米"}}},
        {"size not a number",
         {"米", "1", "尺", "abc", "寸", "0.0333"},
         {"米", "寸"},
         {{UnitFileProblem::SizeNotPositive, 4, "abc"}}},
        {"size zero", {"米", "0", "寸", "2"}, {"寸"}, {{UnitFileProblem::SizeNotPositive, 2, "0"}}},
        {"size empty", {"米", ""}, {}, {{UnitFileProblem::SizeNotPositive, 2, ""}}},
        {"names and sizes swapped from a line on",
         {"米", "1", "1000", "千米"},
         {"米"},
         {{UnitFileProblem::SizeNotPositive, 4, "千米"}}},
        {"two problems",
         {"米", "x", "千米", "1000", "尺"},
         {"千米"},
         {{UnitFileProblem::SizeNotPositive, 2, "x"}, {UnitFileProblem::SizeMissing, 5, "尺"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const UnitList list = parseUnitList(row.lines);
        std::vector<std::string> names;
        for (const Unit& unit : list.units) names.push_back(unit.name);
        EXPECT_EQ(names, row.unitsKept);
        EXPECT_EQ(list.errors, row.errors);
    }
}

TEST(UnitFileErrorText, NamesFileAndLine) {
    const std::string odd = unitFileErrorText("dw/dw1.vqx", {UnitFileProblem::SizeMissing, 7, "海里"});
    EXPECT_NE(odd.find("dw/dw1.vqx"), std::string::npos);
    EXPECT_NE(odd.find("第 7 行"), std::string::npos);
    EXPECT_NE(odd.find("海里"), std::string::npos);
    const std::string bad = unitFileErrorText("dw3.vqx", {UnitFileProblem::SizeNotPositive, 12, "abc"});
    EXPECT_NE(bad.find("dw3.vqx"), std::string::npos);
    EXPECT_NE(bad.find("第 12 行"), std::string::npos);
    EXPECT_NE(bad.find("abc"), std::string::npos);
    const std::string missing = unitFileErrorText("/x/dw/dw2.vqx", {UnitFileProblem::FileMissing, 0, ""});
    EXPECT_NE(missing.find("/x/dw/dw2.vqx"), std::string::npos);
    EXPECT_EQ(missing.find("行"), std::string::npos);
}

TEST(ReadNumber, OnlyWholeDecimalTexts) {
    const struct {
        const char* text;
        std::optional<double> expected;
    } rows[] = {
        {"-0.5", -0.5},
        {".5", 0.5},
        {"+3", 3},
        {" 12 ", 12},
        {"1.5E-07", 1.5e-7},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"12abc", std::nullopt},
        {"1/3", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x10", std::nullopt},
        {"1e400", std::nullopt},
        {"++1", std::nullopt},
        {"1 2", std::nullopt},
        {"1-2", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(readNumber(row.text), row.expected);
    }
}

// Conversions through the shipped files are golden cases; this size is in none.
TEST(ConvertUnits, TheProductOverflowsEvenWhenTheQuotientWouldFit) {
    EXPECT_EQ(convertUnits(-1e308, 1e9, 1).failure, FailureKind::Overflow);
}

}  // namespace
}  // namespace numerelle::numtools
