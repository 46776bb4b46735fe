// The layers of docs/ARCHITECTURE.md hold in the code: every include of another folder
// under src/ names a folder below the including one, and every folder has its place.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The folders of the layer table, top first: the rows that start with | `name/` |.
std::vector<std::string> layersTopFirst() {
    std::ifstream doc(TG_SOURCE_DIR "/docs/ARCHITECTURE.md");
    std::vector<std::string> layers;
    const std::regex row(R"(^\| `([a-z_]+)/` \|)");
    std::string line;
    std::smatch m;
    while (std::getline(doc, line))
        if (std::regex_search(line, m, row)) layers.push_back(m[1]);
    return layers;
}

int rankOf(const std::vector<std::string>& topFirst, const std::string& folder) {
    auto it = std::find(topFirst.begin(), topFirst.end(), folder);
    return it == topFirst.end() ? -1 : int(topFirst.end() - it);  // 1 = bottom
}

}  // namespace

TEST(Layers, EveryFolderHasItsPlaceInTheTable) {
    const std::vector<std::string> layers = layersTopFirst();
    ASSERT_GE(layers.size(), 5u) << "no layer table found in docs/ARCHITECTURE.md";
    for (const auto& entry : fs::directory_iterator(TG_SOURCE_DIR "/src")) {
        if (!entry.is_directory()) continue;
        const std::string folder = entry.path().filename().string();
        EXPECT_GT(rankOf(layers, folder), 0) << "src/" << folder << " is missing from docs/ARCHITECTURE.md";
    }
}

TEST(Layers, IncludesRunOnlyDownward) {
    const std::vector<std::string> layers = layersTopFirst();
    const std::regex include(R"re(^\s*#\s*include\s*"([a-z_]+)/)re");
    int includesSeen = 0;
    for (const auto& entry : fs::recursive_directory_iterator(TG_SOURCE_DIR "/src")) {
        const fs::path path = entry.path();
        if (path.extension() != ".h" && path.extension() != ".cpp") continue;
        const std::string folder = path.parent_path().filename().string();
        const int rank = rankOf(layers, folder);
        std::ifstream file(path);
        std::string line;
        std::smatch m;
        for (int number = 1; std::getline(file, line); ++number) {
            if (!std::regex_search(line, m, include) || m[1] == folder) continue;
            ++includesSeen;
            const int used = rankOf(layers, m[1]);
            EXPECT_TRUE(used > 0 && used < rank)
                << path.string() << ":" << number << " includes " << m[1] << "/, which is not below "
                << folder << "/ in docs/ARCHITECTURE.md";
        }
    }
    EXPECT_GT(includesSeen, 50);  // the scan found the sources
}
