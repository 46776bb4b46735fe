#include "records/records_store.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "records/records_text.h"

void (*RecordsBeforeRename)() = nullptr;

namespace {

const char RecordsName[] = "records.txt";
const char NewName[] = "records.txt.new";
const char LockName[] = "records.lock";
// A larger file is taken for damaged rather than read into memory.
constexpr long RecordsSizeLimit = 64L << 20;

struct FolderPath {
    char text[RecordsPathCapacity];
};

bool joinPath(const char* folder, const char* name, FolderPath* out) {
    const int n = std::snprintf(out->text, sizeof out->text, "%s/%s", folder, name);
    return n > 0 && n < int(sizeof out->text);
}

// mkdir -p, new folders private to the user.
bool makeFolder(const char* folder) {
    FolderPath path;
    if (std::snprintf(path.text, sizeof path.text, "%s", folder) >= int(sizeof path.text)) return false;
    for (char* p = path.text + 1; *p; ++p) {
        if (*p != '/') continue;
        *p = 0;
        if (mkdir(path.text, 0700) != 0 && errno != EEXIST) return false;
        *p = '/';
    }
    return mkdir(path.text, 0700) == 0 || errno == EEXIST;
}

// The exclusive lock on the folder's lock file: its descriptor, or -1.
int lockFolder(const char* folder) {
    FolderPath lock;
    if (!makeFolder(folder) || !joinPath(folder, LockName, &lock)) return -1;
    const int fd = open(lock.text, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    while (flock(fd, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        close(fd);
        return -1;
    }
    return fd;
}

void unlockFolder(int fd) { close(fd); }  // closing lets the lock go

// records.txt.damaged-YYYYMMDD-HHMMSS, with -2, -3, ... when that name is taken.
// link() refuses an existing name, so no other file is ever replaced.
bool moveAside(const char* path, std::string* where) {
    char stamp[32];
    const time_t now = std::time(nullptr);
    struct tm utc = {};
    gmtime_r(&now, &utc);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    for (int n = 1; n < 1000; ++n) {
        char aside[RecordsPathCapacity + 64];
        if (n == 1)
            std::snprintf(aside, sizeof aside, "%s.damaged-%s", path, stamp);
        else
            std::snprintf(aside, sizeof aside, "%s.damaged-%s-%d", path, stamp, n);
        if (link(path, aside) == 0) {
            unlink(path);
            *where = aside;
            return true;
        }
        if (errno == EEXIST) continue;
        // A file system without hard links: the name is checked free under our lock.
        if (access(aside, F_OK) != 0 && rename(path, aside) == 0) {
            *where = aside;
            return true;
        }
        return false;
    }
    return false;
}

void setAside(const char* path, const char* why, int line) {
    std::string where;
    if (moveAside(path, &where))
        std::fprintf(stderr, "tumblegrade: records file %s is damaged (%s, line %d); moved aside to %s, the records start empty\n",
                     path, why, line, where.c_str());
    else
        std::fprintf(stderr, "tumblegrade: records file %s is damaged (%s, line %d) and cannot be moved aside; records are not kept\n",
                     path, why, line);
}

// Reads records.txt under the lock. 1: table holds it (or nothing when there is none,
// or when it was damaged and moved aside); 0: a damaged file is still in the way.
int readLocked(const char* folder, RecordTable* table) {
    table->runs.clear();
    FolderPath path;
    if (!joinPath(folder, RecordsName, &path)) return 0;
    FILE* file = std::fopen(path.text, "rb");
    if (!file) {
        if (errno == ENOENT) return 1;
        setAside(path.text, std::strerror(errno), 0);
        return access(path.text, F_OK) != 0;
    }
    std::string text;
    char buffer[8192];
    size_t got;
    bool tooLarge = false;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, got);
        if (long(text.size()) > RecordsSizeLimit) {
            tooLarge = true;
            break;
        }
    }
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    const char* why = tooLarge ? "too large" : readError ? "read error" : nullptr;
    int line = 0;
    if (!why && parseRecordsText(text.data(), text.size(), table, &why, &line)) return 1;
    table->runs.clear();
    setAside(path.text, why, line);
    return access(path.text, F_OK) != 0;
}

// The new file beside the old, flushed to the disk, renamed over it.
bool writeLocked(const char* folder, const RecordTable& table) {
    FolderPath path, fresh;
    if (!joinPath(folder, RecordsName, &path) || !joinPath(folder, NewName, &fresh)) return false;
    std::string text;
    formatRecordsText(table, &text);
    const int fd = open(fresh.text, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    FILE* file = fdopen(fd, "wb");
    if (!file) {
        close(fd);
        return false;
    }
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = std::fflush(file) == 0 && written;
    written = fsync(fd) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (!written) {
        unlink(fresh.text);
        return false;
    }
    if (RecordsBeforeRename) RecordsBeforeRename();
    if (rename(fresh.text, path.text) != 0) {
        unlink(fresh.text);
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int dir = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

}  // namespace

int recordsFolder(char* out, int size) {
    const char* data = std::getenv("XDG_DATA_HOME");
    int n = -1;
    if (data && data[0] == '/') {
        n = std::snprintf(out, size_t(size), "%s/tumblegrade", data);
    } else {
        const char* home = std::getenv("HOME");
        if (home && home[0] == '/') n = std::snprintf(out, size_t(size), "%s/.local/share/tumblegrade", home);
    }
    return n > 0 && n < size;
}

int loadRecordsFrom(const char* folder, RecordTable* table) {
    table->runs.clear();
    struct stat info;
    if (stat(folder, &info) != 0 && errno == ENOENT) return 1;  // reading makes no folder
    const int lock = lockFolder(folder);
    if (lock < 0) {
        std::fprintf(stderr, "tumblegrade: records folder %s cannot be used: %s\n", folder, std::strerror(errno));
        return 0;
    }
    readLocked(folder, table);
    unlockFolder(lock);
    return 1;
}

int keepRunIn(const char* folder, const RunRecord& run, RecordTable* table) {
    const int lock = lockFolder(folder);
    if (lock < 0) {
        std::fprintf(stderr, "tumblegrade: records folder %s cannot be used: %s; the run is not kept\n", folder,
                     std::strerror(errno));
        return 0;
    }
    int kept = 0;
    if (readLocked(folder, table)) {
        table->runs.push_back(run);
        kept = writeLocked(folder, *table);
        if (!kept) {
            table->runs.pop_back();
            std::fprintf(stderr, "tumblegrade: records file in %s cannot be written: %s; the run is not kept\n",
                         folder, std::strerror(errno));
        }
    }
    unlockFolder(lock);
    return kept;
}

int loadRecords(RecordTable* table) {
    char folder[RecordsPathCapacity];
    table->runs.clear();
    if (!recordsFolder(folder, sizeof folder)) return 0;
    return loadRecordsFrom(folder, table);
}

int keepRun(const RunRecord& run, RecordTable* table) {
    char folder[RecordsPathCapacity];
    if (!recordsFolder(folder, sizeof folder)) {
        std::fprintf(stderr, "tumblegrade: no folder for the records (set HOME or XDG_DATA_HOME); the run is not kept\n");
        return 0;
    }
    return keepRunIn(folder, run, table);
}
