#pragma once
// Where the shipped help and unit files are found, for the window and the
// command line alike.
#include <filesystem>

namespace numerelle {

// The first folder that holds the help files or the "dw" folder of unit
// files, in this order: the program's own folder (a build tree or an
// unpacked archive), `<program folder>/../share/numerelle` (an installed
// program), then `overrideFolder` when it is given (tests, whose programs
// live apart from the data). When none holds them: `overrideFolder` if
// given, otherwise the program's folder, so that messages name the place
// where the files are expected.
std::filesystem::path findDataFolder(const std::filesystem::path& programFolder, const char* overrideFolder);

// findDataFolder for the running program and NUMERELLE_DATA_DIR.
std::filesystem::path programDataFolder();

}  // namespace numerelle
