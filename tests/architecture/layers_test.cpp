// The layers of docs/ARCHITECTURE.md hold in the code: every include of another folder
// under src/ names a folder below the including one, and every folder has its place.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
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

namespace {

// The files under src/ as units (a header with its source, named without the extension)
// and the units each includes.
std::map<std::string, std::set<std::string>> includeGraph() {
    const std::regex include(R"re(^\s*#\s*include\s*"([a-z_]+/[a-z_0-9]+)\.h")re");
    const fs::path root = TG_SOURCE_DIR "/src";
    std::map<std::string, std::set<std::string>> graph;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const fs::path path = entry.path();
        if (path.extension() != ".h" && path.extension() != ".cpp") continue;
        const std::string unit = fs::relative(path, root).replace_extension().string();
        std::set<std::string>& used = graph[unit];
        std::ifstream file(path);
        std::string line;
        std::smatch m;
        while (std::getline(file, line))
            if (std::regex_search(line, m, include) && m[1] != unit) used.insert(m[1]);
    }
    return graph;
}

// A circle through the units reachable from `unit`, as "a -> b -> a"; "" when none.
std::string findCircle(const std::map<std::string, std::set<std::string>>& graph, const std::string& unit,
                       std::map<std::string, int>* state, std::vector<std::string>* path) {
    (*state)[unit] = 1;  // on the path
    path->push_back(unit);
    const auto it = graph.find(unit);
    for (const std::string& next : it == graph.end() ? std::set<std::string>{} : it->second) {
        if ((*state)[next] == 1) {
            std::string circle;
            for (auto at = std::find(path->begin(), path->end(), next); at != path->end(); ++at) circle += *at + " -> ";
            return circle + next;
        }
        if ((*state)[next] == 0) {
            const std::string circle = findCircle(graph, next, state, path);
            if (!circle.empty()) return circle;
        }
    }
    (*state)[unit] = 2;  // done, no circle through it
    path->pop_back();
    return "";
}

}  // namespace

// No file reaches itself through includes: a header with its source counts as one file.
TEST(Layers, NoIncludeCirclesBetweenFiles) {
    const std::map<std::string, std::set<std::string>> graph = includeGraph();
    ASSERT_GT(graph.size(), 50u);
    std::map<std::string, int> state;
    for (const auto& [unit, used] : graph) {
        if (state[unit] != 0) continue;
        std::vector<std::string> path;
        EXPECT_EQ(findCircle(graph, unit, &state, &path), "");
        for (const std::string& left : path) state[left] = 2;  // a circle is named once
    }
}
