#include "demo/demo_store.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "demo/ghost_path.h"
#include "files/damaged_file.h"
#include "files/folders.h"
#include "files/safe_write.h"

namespace {

bool sameOrBetterBestThere(const char* bestPath, const DemoHeader& header) {
    DemoHeader kept;
    ReplayScript script;
    std::string error;
    if (access(bestPath, F_OK) != 0) return false;
    if (!readDemoFile(bestPath, &kept, &script, &error)) {
        setDamagedDemoAside(bestPath, error.c_str());
        return false;
    }
    return kept.outcome == DemoFinish && kept.iterations <= header.iterations;
}

// The runs kept beyond the newest KeptRunCount are removed (names sort by time).
void pruneRuns(const char* folder) {
    DIR* dir = opendir(folder);
    if (!dir) return;
    std::vector<std::string> runs;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.rfind("run-", 0) == 0 && name.size() > 11 &&
            name.compare(name.size() - 7, 7, DemoExtension) == 0)
            runs.push_back(name);
    }
    closedir(dir);
    std::sort(runs.begin(), runs.end());
    for (size_t i = 0; i + KeptRunCount < runs.size(); ++i)
        unlink((std::string(folder) + "/" + runs[i]).c_str());
}

}  // namespace

bool demosFolder(char* out, size_t capacity) {
    return xdgPath(XdgData, "demos", out, capacity) && makeFolders(out);
}

bool bestDemoPath(uint64_t courseHash, const char* rider, char* out, size_t capacity) {
    char folder[DemoPathCapacity];
    if (!demosFolder(folder, sizeof folder)) return false;
    // The rider's name in hex: any byte of a Latin-1 name stays out of the file name.
    std::string name;
    char hex[3];
    for (const char* c = rider; *c; ++c) {
        std::snprintf(hex, sizeof hex, "%02x", unsigned(static_cast<unsigned char>(*c)));
        name += hex;
    }
    const int n = std::snprintf(out, capacity, "%s/best-%016" PRIx64 "-%s%s", folder, courseHash,
                                name.c_str(), DemoExtension);
    return n > 0 && size_t(n) < capacity;
}

void setDamagedDemoAside(const char* path, const char* why) {
    char aside[DemoPathCapacity + 64];
    if (moveDamagedAside(path, aside, sizeof aside))
        std::fprintf(stderr, "tumblegrade: %s is damaged (%s); moved aside to %s\n", path, why, aside);
    else
        std::fprintf(stderr, "tumblegrade: %s is damaged (%s) and cannot be moved aside\n", path, why);
}

KeptDemo keepDemo(const DemoHeader& header, const std::string& text, const void* ghost, size_t ghostSize,
                  int mayBeBest) {
    KeptDemo kept{};
    char folder[DemoPathCapacity - 64];
    if (!demosFolder(folder, sizeof folder)) {
        std::fprintf(stderr, "tumblegrade: no folder for demos (neither XDG_DATA_HOME nor HOME)\n");
        return kept;
    }
    // run-<date and time>-<serial>: names sort by age, two runs in a second differ.
    static int serial = 0;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    char path[DemoPathCapacity];
    std::snprintf(path, sizeof path, "%s/run-%s-%03d%s", folder, stamp, serial++ % 1000, DemoExtension);
    if (writeFileSafely(path, text.data(), text.size()))
        std::snprintf(kept.runPath, sizeof kept.runPath, "%s", path);
    else
        std::fprintf(stderr, "tumblegrade: cannot write the demo %s: %s\n", path, std::strerror(errno));
    pruneRuns(folder);

    char best[DemoPathCapacity];
    if (!mayBeBest || header.outcome != DemoFinish ||
        !bestDemoPath(header.courseHash, header.rider, best, sizeof best))
        return kept;
    if (sameOrBetterBestThere(best, header)) return kept;
    if (!writeFileSafely(best, text.data(), text.size())) {
        std::fprintf(stderr, "tumblegrade: cannot write the best demo %s: %s\n", best, std::strerror(errno));
        return kept;
    }
    kept.newBest = 1;
    std::snprintf(kept.bestPath, sizeof kept.bestPath, "%s", best);
    char ghostFile[DemoPathCapacity];
    if (ghost && ghostSize && ghostPathFileFor(best, ghostFile, sizeof ghostFile) &&
        !writeFileSafely(ghostFile, ghost, ghostSize))
        std::fprintf(stderr, "tumblegrade: cannot write the ghost %s\n", ghostFile);
    return kept;
}
