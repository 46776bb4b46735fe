// The content hash: FNV-1a over bytes, 64 bits. Course fingerprints, a demo's hash and
// the game checkpoints are this hash; its values are kept in files, so it never changes.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint64_t ContentHashStart = 14695981039346656037ull;
constexpr uint64_t ContentHashPrime = 1099511628211ull;

// Continues `hash` over the bytes (start from ContentHashStart).
inline uint64_t hashBytes(uint64_t hash, const void* bytes, size_t size) {
    const uint8_t* b = static_cast<const uint8_t*>(bytes);
    for (size_t i = 0; i < size; ++i) hash = (hash ^ b[i]) * ContentHashPrime;
    return hash;
}

inline uint64_t contentHash(const void* bytes, size_t size) { return hashBytes(ContentHashStart, bytes, size); }

// The hash of a file's bytes, read in pieces (no size limit). False when it cannot be read.
bool fileContentHash(const char* path, uint64_t* hash);
