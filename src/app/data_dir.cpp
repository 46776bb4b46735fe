// Where the game's data is: the rule of the current folder first, then the places a
// build or an install puts it. The game itself reads everything by relative names, so
// the start-up only has to change into the folder found.
#include "app/data_dir.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "app/build_info.h"
#include "display/display.h"

namespace {

// The files whose presence marks a data folder: the course and the start palette.
const char CourseFile[] = "track.tbk";
const char StartPalette[] = "Images/Initpal.bmp";

const char* const PlaceNames[] = {
    "current folder", "TUMBLEGRADE_DATA", "beside the program", "install folder",
    "install folder", "built-in folder",
};

bool readable(const char* dir, const char* name) {
    char path[DataPathSize * 2];
    std::snprintf(path, sizeof path, "%s/%s", dir, name);
    return access(path, R_OK) == 0;
}

// The current folder as it always was: the course by its name, the palette through the
// picture search, which also looks below VRX_ROOT.
bool currentFolderHoldsData() {
    if (access(CourseFile, R_OK) != 0) return false;
    long size = 0;
    uint8_t* data = readSearchedFile(StartPalette, "BITMAPS/", &size);
    delete[] data;
    return data != nullptr;
}

// The path up to its last '/'; empty for a bare name, which says nothing about where it is.
void folderOf(const char* path, char (&folder)[DataPathSize]) {
    std::snprintf(folder, sizeof folder, "%s", path ? path : "");
    char* slash = std::strrchr(folder, '/');
    if (slash) *slash = '\0';
    else folder[0] = '\0';
}

void addPlace(DataSearch* search, DataPlaceKind kind, const char* a, const char* b) {
    DataPlace& place = search->places[search->count++];
    place.kind = kind;
    place.path[0] = '\0';
    if (!a || !*a) return;
    const int n = std::snprintf(place.path, sizeof place.path, "%s%s", a, b);
    if (n < 0 || n >= int(sizeof place.path)) place.path[0] = '\0';  // too long to be used
}

}  // namespace

bool holdsGameData(const char* dir) {
    return dir && *dir && readable(dir, CourseFile) && readable(dir, StartPalette);
}

void searchGameData(const char* programPath, DataSearch* search) {
    search->count = 0;
    search->found = -1;
    char cwd[DataPathSize] = {};
    if (!getcwd(cwd, sizeof cwd)) std::snprintf(cwd, sizeof cwd, ".");
    // The program's folder and the one above it.
    char programDir[DataPathSize];
    char prefixDir[DataPathSize];
    folderOf(programPath, programDir);
    folderOf(programDir, prefixDir);

    addPlace(search, PlaceCurrent, cwd, "");
    addPlace(search, PlaceEnvironment, std::getenv("TUMBLEGRADE_DATA"), "");
    addPlace(search, PlaceBuild, programDir, "/data");
    addPlace(search, PlaceShare, prefixDir, "/share/tumblegrade");
    addPlace(search, PlaceShareGames, prefixDir, "/share/games/tumblegrade");
    addPlace(search, PlaceCompiledIn, TG_INSTALL_DATA_PATH, "");

    if (currentFolderHoldsData()) {
        search->found = 0;
        return;
    }
    for (int i = 1; i < search->count; ++i)
        if (holdsGameData(search->places[i].path)) {
            search->found = i;
            return;
        }
}

void describeFailedSearch(const DataSearch* search, char* text, int size) {
    int used = std::snprintf(text, size_t(size), "The game's data (%s, %s) was not found. Looked in:\n",
                             CourseFile, StartPalette);
    for (int i = 0; i < search->count && used >= 0 && used < size; ++i) {
        const DataPlace& place = search->places[i];
        used += std::snprintf(text + used, size_t(size - used), "  %s (%s)\n",
                              place.path[0] ? place.path : "not set", PlaceNames[place.kind]);
    }
    if (used >= 0 && used < size)
        std::snprintf(text + used, size_t(size - used),
                      "Set TUMBLEGRADE_DATA to the folder that holds them, for example:\n"
                      "  TUMBLEGRADE_DATA=/path/to/data tumblegrade");
}

bool enterGameData(const char* programPath, char* text, int size) {
    DataSearch search;
    searchGameData(programPath, &search);
    if (search.found > 0 && chdir(search.places[search.found].path) != 0) search.found = -1;
    if (search.found < 0) {
        describeFailedSearch(&search, text, size);
        return false;
    }
    return true;
}
