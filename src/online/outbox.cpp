#include "online/outbox.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "files/content_hash.h"
#include "files/damaged_file.h"
#include "files/file_read.h"
#include "files/folders.h"
#include "files/safe_write.h"

namespace {

constexpr char OutboxHeader[] = "# tumblegrade-outbox 1\n";
constexpr char EntryExtension[] = ".tgrun";

bool takeLine(const std::string& text, size_t* at, std::string* line) {
    const size_t end = text.find('\n', *at);
    if (end == std::string::npos) return false;
    *line = text.substr(*at, end - *at);
    *at = end + 1;
    return true;
}

bool fieldOk(const std::string& value) {
    return !value.empty() && value.size() < 4096 &&
           std::none_of(value.begin(), value.end(), [](char c) { return (unsigned char)c < 0x20; });
}

bool takeField(const std::string& line, OutboxEntry* entry, int* haveHash) {
    const size_t space = line.find(' ');
    if (space == std::string::npos) return false;
    const std::string name = line.substr(0, space), value = line.substr(space + 1);
    if (!fieldOk(value)) return false;
    if (name == "course-hash") {
        if (value.size() != 16 || value.find_first_not_of("0123456789abcdef") != std::string::npos) return false;
        entry->courseHash = std::strtoull(value.c_str(), nullptr, 16);
        *haveHash = 1;
    } else if (name == "course-file") {
        entry->courseFile = value;
    } else if (name == "course-name") {
        entry->courseName = value;
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::string outboxEntryText(const OutboxEntry& entry) {
    char hash[40];
    std::snprintf(hash, sizeof hash, "course-hash %016" PRIx64 "\n", entry.courseHash);
    std::string text = std::string(OutboxHeader) + hash;
    if (!entry.courseFile.empty()) text += "course-file " + entry.courseFile + "\ncourse-name " + entry.courseName + "\n";
    return text + "\n" + entry.demo;
}

bool parseOutboxText(const std::string& text, OutboxEntry* entry, std::string* error) {
    *entry = OutboxEntry{};
    if (text.compare(0, sizeof OutboxHeader - 1, OutboxHeader) != 0) {
        *error = "not an outbox entry";
        return false;
    }
    size_t at = sizeof OutboxHeader - 1;
    int haveHash = 0;
    std::string line;
    while (takeLine(text, &at, &line) && !line.empty())
        if (!takeField(line, entry, &haveHash)) {
            *error = "a bad line: " + line.substr(0, 80);
            return false;
        }
    if (!line.empty() || !haveHash || at >= text.size()) {
        *error = haveHash ? "no demo after the header" : "no course-hash line";
        return false;
    }
    if (entry->courseFile.empty() != entry->courseName.empty()) {
        *error = "an own course needs both its file and its name";
        return false;
    }
    entry->demo = text.substr(at);
    return true;
}

std::string outboxFolder() {
    char path[4096];
    if (!xdgPath(XdgData, "outbox", path, sizeof path) || !makeFolders(path)) return std::string();
    return path;
}

bool queueRun(const OutboxEntry& entry) {
    const std::string folder = outboxFolder();
    char name[64];
    std::snprintf(name, sizeof name, "/%016" PRIx64 "%s", contentHash(entry.demo.data(), entry.demo.size()),
                  EntryExtension);
    const std::string text = outboxEntryText(entry);
    if (!folder.empty() && writeFileSafely((folder + name).c_str(), text.data(), text.size()) == 1) return true;
    std::fprintf(stderr, "tumblegrade: cannot queue the run in the outbox %s: %s\n", folder.c_str(),
                 std::strerror(errno));
    return false;
}

std::vector<std::string> outboxEntries() {
    std::vector<std::string> paths;
    const std::string folder = outboxFolder();
    DIR* dir = folder.empty() ? nullptr : opendir(folder.c_str());
    if (!dir) return paths;
    const size_t extension = sizeof EntryExtension - 1;
    while (const dirent* e = readdir(dir)) {
        const size_t length = std::strlen(e->d_name);
        if (length > extension && std::strcmp(e->d_name + length - extension, EntryExtension) == 0)
            paths.push_back(folder + "/" + e->d_name);
    }
    closedir(dir);
    std::sort(paths.begin(), paths.end());
    return paths;
}

bool readOutboxEntry(const std::string& path, OutboxEntry* entry) {
    std::string text, error;
    const FileRead read = readFileText(path.c_str(), &text, OutboxEntryLimit);
    if (read == FileMissing) return false;
    if (read == FileReadWhole && parseOutboxText(text, entry, &error)) return true;
    if (error.empty()) error = read == FileTooLarge ? "too large" : "cannot be read";
    char aside[4200];
    if (moveDamagedAside(path.c_str(), aside, sizeof aside))
        std::fprintf(stderr, "tumblegrade: the outbox entry %s is damaged (%s); kept as %s\n", path.c_str(),
                     error.c_str(), aside);
    return false;
}

void dropSentEntry(const std::string& path) { unlink(path.c_str()); }

void refuseEntry(const std::string& path, const std::string& reason) {
    const std::string folder = outboxFolder() + "/refused";
    const size_t slash = path.rfind('/');
    const std::string kept = folder + path.substr(slash);
    if (!makeFolders(folder.c_str()) || rename(path.c_str(), kept.c_str()) != 0) {
        unlink(path.c_str());
        return;
    }
    const std::string why = reason + "\n";
    writeFileSafely((kept + ".reason").c_str(), why.data(), why.size());
    std::fprintf(stderr, "tumblegrade: the server refused a run for good (%s); kept in %s\n", reason.c_str(),
                 kept.c_str());
}
