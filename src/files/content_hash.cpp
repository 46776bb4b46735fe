#include "files/content_hash.h"

#include <cstdio>

bool fileContentHash(const char* path, uint64_t* hash) {
    *hash = ContentHashStart;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    unsigned char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) *hash = hashBytes(*hash, buffer, got);
    const bool read = std::ferror(file) == 0;
    std::fclose(file);
    return read;
}
