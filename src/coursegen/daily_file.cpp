#include "coursegen/daily_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "coursegen/daily_course.h"
#include "files/damaged_file.h"
#include "files/file_read.h"
#include "files/folders.h"
#include "files/safe_write.h"

int dailyCourseFile(int days, char* path, size_t pathSize, char* error, int errorSize) {
    char name[DailyNameCapacity], folder[1024];
    dailyCourseName(days, name);
    if (!xdgPath(XdgCache, "daily", folder, sizeof folder) ||
        std::snprintf(path, pathSize, "%s/%s.tbk", folder, name) >= int(pathSize)) {
        std::snprintf(error, size_t(errorSize), "no cache folder for the daily course (set HOME or XDG_CACHE_HOME)");
        return 0;
    }
    const std::string text = dailyCourseText(days);
    std::string held;
    const FileRead read = readFileText(path, &held, text.size());
    if (read == FileReadWhole && held == text) return 1;
    if (read != FileMissing) {
        char aside[1100];
        if (!moveDamagedAside(path, aside, sizeof aside)) {
            std::snprintf(error, size_t(errorSize), "%s is not %s's course and cannot be moved aside", path, name);
            return 0;
        }
        std::fprintf(stderr, "tumblegrade: %s was not the daily course; moved aside as %s\n", path, aside);
    }
    if (!makeFolders(folder) || !writeFileSafely(path, text.data(), text.size(), SharedFileMode)) {
        std::snprintf(error, size_t(errorSize), "cannot write %s: %s", path, std::strerror(errno));
        return 0;
    }
    return 1;
}

int dailyCourseFileNamed(const char* name, int* days, char* path, size_t pathSize, char* error, int errorSize) {
    const size_t n = std::strlen(name);
    if (std::strchr(name, '/') || (n > 4 && std::strcmp(name + n - 4, ".tbk") == 0)) return 0;  // a course file
    switch (readDailyName(name, todayUtc(), days, error, errorSize)) {
    case NotDailyName: return 0;
    case BadDailyName: return -1;
    default: break;
    }
    return dailyCourseFile(*days, path, pathSize, error, errorSize) ? 1 : -1;
}
