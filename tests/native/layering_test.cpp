// The folders of src/ depend on each other one way, downward: each may include only the
// folders below it, and a portable folder never a Windows one (src/win/, src/ui/, src/app/
// or a windows/ sub-folder).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

// What each folder may include besides itself.
const std::map<std::string, std::set<std::string>> kBelow = {
    {"base", {}},
    {"win", {"base"}},
    {"data", {"base"}},
    {"data/windows", {"base", "data", "win"}},
    {"mapping", {"base", "data"}},
    {"export", {"base", "data", "mapping"}},
    {"export/windows", {"base", "data", "data/windows", "mapping", "export", "win"}},
    {"check", {"base", "data", "mapping", "export"}},
    {"log", {"base", "data", "mapping", "export"}},
    {"log/windows", {"base", "data", "mapping", "export", "log", "win"}},
    {"session", {"base", "data", "mapping", "export", "check", "log"}},
    {"proposal", {"base", "data", "mapping", "export", "check"}},
    {"ui", {"base", "data", "win"}},
};

// "export/windows/locale_date.h" is in folder "export/windows"; "app/dialogs/x.h" in "app".
std::string FolderOf(const std::string& path) {
    const std::size_t first = path.find('/');
    if (first == std::string::npos) return {};
    const std::string top = path.substr(0, first);
    const std::size_t second = path.find('/', first + 1);
    if (top != "app" && second != std::string::npos && path.compare(first + 1, second - first - 1, "windows") == 0)
        return top + "/windows";
    return top;
}

TEST(Layering, EachFolderIncludesOnlyTheFoldersBelowIt) {
    const fs::path src = fs::path(DRALMOFT_SOURCE_DIR) / "src";
    const std::regex include(R"re(^\s*#\s*include\s+"([a-z_]+/[^"]+)")re");
    std::size_t files = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(src)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
        ++files;
        const std::string path = fs::relative(entry.path(), src).generic_string();
        const std::string folder = FolderOf(path);
        const auto below = kBelow.find(folder);
        if (below == kBelow.end()) {
            EXPECT_EQ(folder, "app") << path << " is in a folder the layers do not know";
            continue;  // the programs may include anything below them
        }
        std::ifstream file(entry.path());
        std::string line;
        for (int number = 1; std::getline(file, line); ++number) {
            std::smatch match;
            if (!std::regex_search(line, match, include)) continue;
            const std::string target = FolderOf(match[1].str());
            EXPECT_TRUE(target == folder || below->second.count(target) != 0)
                << path << ":" << number << " (" << folder << ") includes " << match[1].str();
        }
    }
    EXPECT_GT(files, 100u) << "the source tree was not found";
}

}  // namespace
