#include "common/data_folder.h"

#include <cstdlib>
#include <system_error>

namespace numerelle {

namespace fs = std::filesystem;

namespace {

bool holdsData(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / "dw", error) || fs::is_regular_file(folder / "help.vqx", error);
}

// The folder of the running executable; empty when the system does not say.
fs::path runningProgramFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : program.parent_path();
}

}  // namespace

fs::path findDataFolder(const fs::path& programFolder, const char* overrideFolder) {
    const bool overridden = overrideFolder && *overrideFolder;
    if (!programFolder.empty()) {
        if (holdsData(programFolder)) return programFolder;
        const fs::path installed = (programFolder / ".." / "share" / "numerelle").lexically_normal();
        if (holdsData(installed)) return installed;
    }
    if (overridden) return fs::path(overrideFolder);
    return programFolder;
}

fs::path programDataFolder() {
    return findDataFolder(runningProgramFolder(), std::getenv("NUMERELLE_DATA_DIR"));
}

}  // namespace numerelle
