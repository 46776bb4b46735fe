#include "files/safe_write.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

void (*BeforeSafeRename)() = nullptr;

namespace {

bool writeAll(int fd, const void* bytes, size_t size) {
    const char* at = static_cast<const char*>(bytes);
    while (size > 0) {
        const ssize_t n = write(fd, at, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        at += n;
        size -= size_t(n);
    }
    return true;
}

// The folder the rename happened in reaches the disk.
void flushFolderOf(const char* path) {
    char folder[4096];
    const char* slash = std::strrchr(path, '/');
    if (slash == nullptr)
        std::snprintf(folder, sizeof folder, ".");
    else if (slash == path)
        std::snprintf(folder, sizeof folder, "/");
    else if (size_t(slash - path) < sizeof folder)
        std::snprintf(folder, sizeof folder, "%.*s", int(slash - path), path);
    else
        return;
    const int fd = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Removes the new file keeping the errno of the fault.
int dropNewFile(const char* fresh) {
    const int error = errno;
    unlink(fresh);
    errno = error;
    return 0;
}

}  // namespace

int writeFileSafely(const char* path, const void* bytes, size_t size, mode_t mode) {
    char fresh[4096 + 8];
    const int n = std::snprintf(fresh, sizeof fresh, "%s.new", path);
    if (n <= 0 || size_t(n) >= sizeof fresh) {
        errno = ENAMETOOLONG;
        return 0;
    }
    const int fd = open(fresh, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) return 0;
    const bool written = writeAll(fd, bytes, size) && fsync(fd) == 0;
    if (close(fd) != 0 || !written) return dropNewFile(fresh);
    if (BeforeSafeRename) BeforeSafeRename();
    if (rename(fresh, path) != 0) return dropNewFile(fresh);
    flushFolderOf(path);
    return 1;
}
