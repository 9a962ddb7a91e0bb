#pragma once
// The unit converter: the category table, the unit files (pairs of lines:
// name, then size in the category's reference unit) and the conversion.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/data_file.h"
#include "expr/jxjs.h"

namespace numerelle::numtools {

struct UnitCategory {
    const char* name;      // the item of the category list
    const char* fileName;  // its file in the folder "dw"
};

// The categories in list order (the files are not in the same order).
const std::vector<UnitCategory>& unitCategories();
// The file of a category item; nothing for a text that is no item.
std::optional<std::string> unitFileForCategory(std::string_view categoryName);

struct Unit {
    std::string name;
    double size = 0;  // how many reference units make one of this unit
    bool operator==(const Unit&) const = default;
};

enum class UnitFileProblem {
    FileMissing,      // the file could not be read
    NotRegularFile,   // a pipe, a device or a folder stands in its place
    FileTooLarge,     // above the cap of text data files
    SizeMissing,      // the last name has no size line: the line count is odd
    SizeNotPositive,  // the size line is not a positive number
};

struct UnitFileError {
    UnitFileProblem problem;
    int line = 0;      // 1-based line of the file the problem is on; 0 for a missing file
    std::string text;  // that line's text
    bool operator==(const UnitFileError&) const = default;
};

// Units read correctly, in file order, and what was wrong with the rest.
struct UnitList {
    std::vector<Unit> units;
    std::vector<UnitFileError> errors;
};

// Splits a decoded file into lines: "\n" or "\r\n" end a line, a final line
// break does not start another line, and blank lines at the very end are
// dropped (they carry nothing and would make the count odd).
std::vector<std::string> splitUnitFileLines(std::string_view content);

// Reads the line pairs. A pair whose size is not a positive number is left
// out; the other units still count.
UnitList parseUnitList(const std::vector<std::string>& lines);

// The problem of a unit file that could not be read (`problem` not None).
UnitFileProblem unitFileReadProblem(DataFileProblem problem);

// The message the user sees for a problem of the file at `filePath`.
std::string unitFileErrorText(std::string_view filePath, const UnitFileError& error);

// A whole text read as one decimal number (blanks around it allowed, an
// exponent allowed, nothing else): "2.5", "-0.5", "1E+16". Nothing for an
// empty text, a formula, "12abc", infinities and NaN.
std::optional<double> readNumber(std::string_view text);

// amount * fromSize / toSize, multiplied first; Overflow when the result
// is not finite.
expr::Evaluation convertUnits(double amount, double fromSize, double toSize);

}  // namespace numerelle::numtools
