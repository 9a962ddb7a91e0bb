#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "common/data_folder.h"

namespace {

namespace fs = std::filesystem;

// A throwaway tree: root/bin (the program's folder), root/share/numerelle,
// root/other (an override folder).
struct Tree {
    fs::path root = fs::temp_directory_path() / ("numerelle-data-" + std::to_string(std::random_device{}()));
    Tree() { fs::create_directories(root / "bin"); }
    ~Tree() { fs::remove_all(root); }
    void add(const std::string& relative) const {
        const fs::path path = root / relative;
        if (path.extension() == ".vqx") {
            fs::create_directories(path.parent_path());
            std::ofstream(path) << "x";
        } else {
            fs::create_directories(path);
        }
    }
};

TEST(DataFolder, LooksBesideTheProgramThenInShareThenAtTheOverride) {
    struct Row {
        const char* name;
        std::vector<std::string> present;
        const char* overrideFolder;  // relative to the tree's root; "" as an empty variable
        const char* expected;        // relative to the tree's root
    };
    const Row rows[] = {
        {"unit folder beside the program", {"bin/dw", "share/numerelle/dw", "other/dw"}, "other", "bin"},
        {"help file beside the program", {"bin/help.vqx", "share/numerelle/dw"}, nullptr, "bin"},
        {"installed: share beside bin", {"share/numerelle/dw"}, "other", "share/numerelle"},
        {"installed with help files only", {"share/numerelle/help.vqx"}, nullptr, "share/numerelle"},
        {"other files do not count", {"bin/help1.vqx", "share/numerelle/dw.vqx", "other"}, "other", "other"},
        // A trailing slash makes a folder of that name.
        {"a folder named help.vqx does not count", {"bin/help.vqx/", "other"}, "other", "other"},
        {"nothing anywhere: the override", {"other"}, "other", "other"},
        {"nothing anywhere, no override: the program's folder", {}, nullptr, "bin"},
        {"an empty variable is no override", {"other"}, "", "bin"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Tree tree;
        for (const std::string& path : row.present) tree.add(path);
        const std::string overrideFolder =
            row.overrideFolder && *row.overrideFolder ? (tree.root / row.overrideFolder).string() : "";
        const fs::path found =
            numerelle::findDataFolder(tree.root / "bin", row.overrideFolder ? overrideFolder.c_str() : nullptr);
        EXPECT_EQ(found, tree.root / row.expected);
    }
}

}  // namespace
