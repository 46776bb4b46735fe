// An input handed to a reader as the file it opens: one in-memory file per process,
// written over with each input and cut to its length, named by its /proc/self/fd path.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

struct InputFile {
    int fd = -1;
    char path[64];
};

inline const char* writeInputFile(InputFile& file, const uint8_t* data, size_t size) {
    if (file.fd < 0) {
        file.fd = memfd_create("fuzz-input", 0);
        if (file.fd < 0) std::exit(2);
        std::snprintf(file.path, sizeof file.path, "/proc/self/fd/%d", file.fd);
    }
    if (pwrite(file.fd, data, size, 0) != ssize_t(size) || ftruncate(file.fd, off_t(size)) != 0)
        std::exit(2);
    return file.path;
}
