#include "records/records_store.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/damaged_file.h"
#include "files/file_read.h"
#include "files/folders.h"
#include "files/safe_write.h"
#include "records/records_text.h"

namespace {

const char RecordsName[] = "records.txt";
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

// The exclusive lock on the folder's lock file: its descriptor, or -1.
int lockFolder(const char* folder) {
    FolderPath lock;
    if (!makeFolders(folder) || !joinPath(folder, LockName, &lock)) return -1;
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

void setAside(const char* path, const char* why, int line) {
    char where[RecordsPathCapacity + 64];
    if (moveDamagedAside(path, where, sizeof where))
        std::fprintf(stderr, "tumblegrade: records file %s is damaged (%s, line %d); moved aside to %s, the records start empty\n",
                     path, why, line, where);
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
    std::string text;
    const FileRead read = readFileText(path.text, &text, RecordsSizeLimit);
    if (read == FileMissing) return 1;
    const char* why = read == FileTooLarge ? "too large" : read == FileUnreadable ? std::strerror(errno) : nullptr;
    int line = 0;
    if (!why && parseRecordsText(text.data(), text.size(), table, &why, &line)) return 1;
    table->runs.clear();
    setAside(path.text, why, line);
    return access(path.text, F_OK) != 0;
}

// The new file beside the old, flushed to the disk, renamed over it.
bool writeLocked(const char* folder, const RecordTable& table) {
    FolderPath path;
    if (!joinPath(folder, RecordsName, &path)) return false;
    std::string text;
    formatRecordsText(table, &text);
    return writeFileSafely(path.text, text.data(), text.size());
}

}  // namespace

int recordsFolder(char* out, int size) { return xdgPath(XdgData, "", out, size_t(size)); }

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
