#include "files/damaged_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

namespace {

// The name the file moves to at `when`, the n-th tried (1 first).
void damagedFileName(const char* path, std::time_t when, int n, char* aside, size_t size) {
    struct tm utc = {};
    gmtime_r(&when, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    if (n <= 1)
        std::snprintf(aside, size, "%s.damaged-%s", path, stamp);
    else
        std::snprintf(aside, size, "%s.damaged-%s-%d", path, stamp, n);
}

}  // namespace

int moveDamagedAside(const char* path, char* aside, size_t size) {
    const std::time_t now = std::time(nullptr);
    for (int n = 1; n < 1000; ++n) {
        damagedFileName(path, now, n, aside, size);
        // link() refuses an existing name, so no other file is ever replaced.
        if (link(path, aside) == 0) {
            unlink(path);
            return 1;
        }
        if (errno == EEXIST) continue;
        if (errno == ENOENT) return 0;
        // A file system without hard links: the name is checked free first.
        if (access(aside, F_OK) != 0 && rename(path, aside) == 0) return 1;
        return 0;
    }
    return 0;
}
