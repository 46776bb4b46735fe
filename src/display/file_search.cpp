// Finding the game's files: the name as given, then the library's root directory,
// then the directory named by VRX_ROOT. Names may use '/' or '\\' as separators.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "display/display.h"
#include "files/file_read.h"

namespace {

constexpr size_t MaxFileSize = 64u << 20;

// The display layer's own root directory: empty for this game.
const char RootDirectory[] = "";

void joinPath(char* out, size_t size, const char* a, const char* b, const char* c) {
    std::snprintf(out, size, "%s%s%s", a, b, c);
    for (char* p = out; *p; ++p)
        if (*p == '\\') *p = '/';
}

// A directory or an unreadable file does not count as found.
uint8_t* readWholeFile(const char* path, long* size) {
    std::string bytes;
    if (readFileText(path, &bytes, MaxFileSize) != FileReadWhole) return nullptr;
    uint8_t* data = new (std::nothrow) uint8_t[bytes.empty() ? 1 : bytes.size()];
    if (!data) return nullptr;
    std::memcpy(data, bytes.data(), bytes.size());
    *size = long(bytes.size());
    return data;
}

// The data's folder of the chosen language's pictures, "" for none.
char LanguageFolder[16];

}  // namespace

void searchLanguageFolderFirst(const char* folder) {
    std::snprintf(LanguageFolder, sizeof LanguageFolder, "%s", folder ? folder : "");
}

uint8_t* readSearchedFile(const char* fileName, const char* dir, long* size) {
    if (!fileName || !*fileName) return nullptr;
    char path[1024];
    if (LanguageFolder[0]) {
        joinPath(path, sizeof path, LanguageFolder, "/", fileName);
        if (uint8_t* data = readWholeFile(path, size)) return data;
    }
    joinPath(path, sizeof path, "", "", fileName);
    if (uint8_t* data = readWholeFile(path, size)) return data;
    joinPath(path, sizeof path, RootDirectory, dir, fileName);
    if (uint8_t* data = readWholeFile(path, size)) return data;
    const char* root = std::getenv("VRX_ROOT");
    if (root && *root) {
        const size_t n = std::strlen(root);
        const bool separated = root[n - 1] == '\\' || root[n - 1] == '/';
        char base[1024];
        std::snprintf(base, sizeof base, "%s%s", root, separated ? "" : "\\");
        joinPath(path, sizeof path, base, dir, fileName);
        if (uint8_t* data = readWholeFile(path, size)) return data;
    }
    return nullptr;
}
