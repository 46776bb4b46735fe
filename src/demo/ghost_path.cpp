#include "demo/ghost_path.h"

#include <cstdio>
#include <cstring>

#include "files/content_hash.h"
#include "files/file_read.h"

namespace {

constexpr char Magic[8] = {'T', 'G', 'G', 'H', 'O', 'S', 'T', '1'};

void put32(uint8_t* at, uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = uint8_t(v >> (8 * i));
}

uint32_t get32(const uint8_t* at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(at[i]) << (8 * i);
    return v;
}

void putFloat(uint8_t* at, float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    put32(at, bits);
}

float getFloat(const uint8_t* at) {
    const uint32_t bits = get32(at);
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

bool finite(float f) { return f == f && f < 3.0e38f && f > -3.0e38f; }

}  // namespace

uint64_t demoContentHash(const void* bytes, size_t size) { return contentHash(bytes, size); }

size_t encodeGhostPath(const GhostPath& path, uint8_t* out, size_t capacity) {
    const int count = path.count < 0 ? 0 : path.count > GhostCapacity ? GhostCapacity : path.count;
    const size_t size = GhostHeaderSize + size_t(count) * 16;
    if (size > capacity) return 0;
    std::memcpy(out, Magic, 8);
    put32(out + 8, uint32_t(path.demoHash));
    put32(out + 12, uint32_t(path.demoHash >> 32));
    put32(out + 16, uint32_t(count));
    uint8_t* at = out + GhostHeaderSize;
    for (int i = 0; i < count; ++i, at += 16) {
        const GhostPoint& p = path.points[i];
        putFloat(at, p.x);
        putFloat(at + 4, p.y);
        putFloat(at + 8, p.z);
        putFloat(at + 12, p.heading);
    }
    return size;
}

bool decodeGhostPath(const uint8_t* bytes, size_t size, GhostPath* path, std::string* error) {
    path->count = 0;
    if (size < GhostHeaderSize || std::memcmp(bytes, Magic, 8) != 0) {
        *error = "not a ghost file";
        return false;
    }
    const uint32_t count = get32(bytes + 16);
    if (count > uint32_t(GhostCapacity) || size != GhostHeaderSize + size_t(count) * 16) {
        *error = "the ghost file's length does not match its step count";
        return false;
    }
    path->demoHash = uint64_t(get32(bytes + 8)) | uint64_t(get32(bytes + 12)) << 32;
    const uint8_t* at = bytes + GhostHeaderSize;
    for (uint32_t i = 0; i < count; ++i, at += 16) {
        GhostPoint& p = path->points[i];
        p.x = getFloat(at);
        p.y = getFloat(at + 4);
        p.z = getFloat(at + 8);
        p.heading = getFloat(at + 12);
        if (!finite(p.x) || !finite(p.y) || !finite(p.z) || !finite(p.heading)) {
            *error = "the ghost file holds a position that is no number";
            return false;
        }
    }
    path->count = int32_t(count);
    return true;
}

bool ghostPathFileFor(const char* demoPath, char* out, size_t capacity) {
    const size_t length = std::strlen(demoPath);
    const size_t extension = sizeof ".tgdemo" - 1;
    if (length <= extension || std::strcmp(demoPath + length - extension, ".tgdemo") != 0) return false;
    const size_t stem = length - extension;
    if (stem + sizeof ".ghost" > capacity) return false;
    std::memcpy(out, demoPath, stem);
    std::memcpy(out + stem, ".ghost", sizeof ".ghost");
    return true;
}

bool readGhostFile(const char* path, uint64_t demoHash, GhostPath* ghost, std::string* error) {
    static uint8_t bytes[GhostFileCapacity + 1];
    ghost->count = 0;
    size_t size = 0;
    // A longer file reads one byte too many, which the decoder refuses.
    if (readFileInto(path, bytes, sizeof bytes, &size) == FileMissing) {
        *error = "no ghost file";
        return false;
    }
    if (!decodeGhostPath(bytes, size, ghost, error)) return false;
    if (ghost->demoHash != demoHash) {
        ghost->count = 0;
        *error = "the ghost belongs to another demo";
        return false;
    }
    return true;
}
