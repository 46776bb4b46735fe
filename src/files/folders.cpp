#include "files/folders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

struct XdgRule {
    const char* variable;
    const char* underHome;   // the folder in $HOME without the variable
    const char* ours;        // the game's folder inside
};

constexpr XdgRule XdgRules[] = {
    {"XDG_DATA_HOME", ".local/share", "tumblegrade"},
    {"XDG_CONFIG_HOME", ".config", "tumblegrade"},
    {"XDG_PICTURES_DIR", "Pictures", "Tumblegrade"},
    {"XDG_CACHE_HOME", ".cache", "tumblegrade"},
};

bool absolute(const char* path) { return path != nullptr && path[0] == '/'; }

}  // namespace

int xdgPath(XdgFolder folder, const char* inside, char* out, size_t size) {
    const XdgRule& rule = XdgRules[folder];
    const char* base = std::getenv(rule.variable);
    const char* home = std::getenv("HOME");
    const char* slash = inside[0] ? "/" : "";
    int n = -1;
    if (absolute(base))
        n = std::snprintf(out, size, "%s/%s%s%s", base, rule.ours, slash, inside);
    else if (absolute(home))
        n = std::snprintf(out, size, "%s/%s/%s%s%s", home, rule.underHome, rule.ours, slash, inside);
    return n > 0 && size_t(n) < size ? 1 : 0;
}

int makeFolders(const char* path, mode_t mode) {
    char folder[4096];
    const int n = std::snprintf(folder, sizeof folder, "%s", path);
    if (n <= 0 || size_t(n) >= sizeof folder) return 0;
    for (char* p = folder + 1; *p; ++p) {
        if (*p != '/') continue;
        *p = '\0';
        if (mkdir(folder, mode) != 0 && errno != EEXIST) return 0;
        *p = '/';
    }
    if (mkdir(folder, mode) != 0 && errno != EEXIST) return 0;
    struct stat st;
    return stat(folder, &st) == 0 && S_ISDIR(st.st_mode) ? 1 : 0;
}
