// Finding the game's files: the name as given, then the library's root directory,
// then the directory named by VRX_ROOT. Names may use '/' or '\\' as separators.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "display/display.h"

namespace {

constexpr long MaxFileSize = 64L * 1024 * 1024;

// The display layer's own root directory: empty for this game.
const char RootDirectory[] = "";

void joinPath(char* out, size_t size, const char* a, const char* b, const char* c) {
    std::snprintf(out, size, "%s%s%s", a, b, c);
    for (char* p = out; *p; ++p)
        if (*p == '\\') *p = '/';
}

uint8_t* readWholeFile(const char* path, long* size) {
    FILE* f = std::fopen(path, "rb");
    if (!f) return nullptr;
    uint8_t* data = nullptr;
    long length = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) length = std::ftell(f);
    if (length >= 0 && length <= MaxFileSize && std::fseek(f, 0, SEEK_SET) == 0) {
        data = new (std::nothrow) uint8_t[length > 0 ? length : 1];
        if (data && long(std::fread(data, 1, length, f)) != length) {
            delete[] data;  // a directory or an unreadable file does not count as found
            data = nullptr;
        }
    }
    std::fclose(f);
    if (data) *size = length;
    return data;
}

}  // namespace

uint8_t* readSearchedFile(const char* fileName, const char* dir, long* size) {
    if (!fileName || !*fileName) return nullptr;
    char path[1024];
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
