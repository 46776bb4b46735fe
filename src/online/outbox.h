// The outbox: every finished run whose demo verified here waits in
// $XDG_DATA_HOME/tumblegrade/outbox/ until the server took it, one file per run, written
// safely and named for the demo's content hash (so a run is queued once):
//   # tumblegrade-outbox 1
//   course-hash 0123456789abcdef
//   course-file /home/anna/.local/share/tumblegrade/courses/steep.tbk   (own courses)
//   course-name steep                                                   (own courses)
//   <a blank line, then the demo's bytes>
// A run the server refuses for good moves to outbox/refused/ with a .reason file beside.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr size_t OutboxEntryLimit = 512 * 1024;

struct OutboxEntry {
    uint64_t courseHash;
    std::string courseFile;  // an own course the server may not know yet ("" for shipped)
    std::string courseName;
    std::string demo;
};

std::string outboxEntryText(const OutboxEntry& entry);
// False with one line in error when the text is not an outbox entry.
bool parseOutboxText(const std::string& text, OutboxEntry* entry, std::string* error);

// The outbox folder, made when missing ("" without a home folder).
std::string outboxFolder();
// Queues a run; false (with one line on standard error) when it cannot be written.
bool queueRun(const OutboxEntry& entry);
// The entries waiting, oldest name first.
std::vector<std::string> outboxEntries();
// Reads one; a damaged entry is moved aside with one line on standard error.
bool readOutboxEntry(const std::string& path, OutboxEntry* entry);
// The server took it: gone. Refused for good: kept in refused/ with the reason.
void dropSentEntry(const std::string& path);
void refuseEntry(const std::string& path, const std::string& reason);
