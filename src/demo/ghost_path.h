// The ghost's path: where the rider of a run was at each step of its ride clock, kept in
// a small file beside the best run's demo:
//   "TGGHOST1", the demo's content hash (8 bytes), the step count (4 bytes), then per
//   step x, y, z and the heading (4 little-endian floats).
// A ghost whose hash is not its demo's is stale and not used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct GhostPoint {
    float x, y, z;
    float heading;  // radians, the yaw of the rider's view
};

constexpr int GhostCapacity = 60 * 60 * 20;  // twenty minutes of ride steps
constexpr size_t GhostHeaderSize = 8 + 8 + 4;
constexpr size_t GhostFileCapacity = GhostHeaderSize + size_t(GhostCapacity) * 16;

struct GhostPath {
    uint64_t demoHash;
    int32_t count;
    GhostPoint points[GhostCapacity];  // points[i]: the rider at ride clock i + 1
};

// FNV-1a (64 bits) of a demo's bytes.
uint64_t demoContentHash(const void* bytes, size_t size);

// The file's bytes into out (GhostFileCapacity is always enough); returns their count.
size_t encodeGhostPath(const GhostPath& path, uint8_t* out, size_t capacity);
bool decodeGhostPath(const uint8_t* bytes, size_t size, GhostPath* path, std::string* error);

// The ghost file beside a demo: name.tgdemo -> name.ghost.
bool ghostPathFileFor(const char* demoPath, char* out, size_t capacity);
// Reads a ghost file and checks it belongs to the demo with that content hash.
bool readGhostFile(const char* path, uint64_t demoHash, GhostPath* ghost, std::string* error);
