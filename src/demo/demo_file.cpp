#include "demo/demo_file.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/file_read.h"

namespace {

const char* const OutcomeNames[DemoOutcomeCount] = {"none", "finish", "injury", "defect", "left"};

// Copies the rest of a header line into a fixed field; refuses what does not fit.
bool copyField(const std::string& value, char* field, size_t capacity) {
    if (value.size() >= capacity) return false;
    std::memcpy(field, value.c_str(), value.size() + 1);
    return true;
}

bool readCount(const std::string& value, int32_t* out) {
    if (value.empty() || value.size() > 9) return false;
    for (char c : value)
        if (c < '0' || c > '9') return false;
    *out = int32_t(std::strtol(value.c_str(), nullptr, 10));
    return true;
}

bool readHash(const std::string& value, uint64_t* out) {
    if (value.size() != 16) return false;
    uint64_t hash = 0;
    for (char c : value) {
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return false;
        hash = hash << 4 | uint64_t(digit);
    }
    *out = hash;
    return true;
}

enum HeaderField { FieldMagic, FieldGame, FieldCourse, FieldHash, FieldRider, FieldOutcome, FieldIterations, FieldStart, FieldCount };

const char* const FieldNames[FieldCount] = {"tumblegrade-demo", "game", "course", "course-hash",
                                            "rider", "outcome", "iterations", "start"};

bool readField(int field, const std::string& value, DemoHeader* h) {
    switch (field) {
    case FieldMagic: return readCount(value, &h->version) && h->version == DemoFormatVersion;
    case FieldGame: return copyField(value, h->game, sizeof h->game);
    case FieldCourse: return copyField(value, h->course, sizeof h->course);
    case FieldHash: return readHash(value, &h->courseHash);
    case FieldRider: return copyField(value, h->rider, sizeof h->rider);
    case FieldOutcome:
        for (int i = 1; i < DemoOutcomeCount; ++i)
            if (value == OutcomeNames[i]) h->outcome = i;
        return h->outcome != DemoNoOutcome;
    case FieldIterations: return readCount(value, &h->iterations);
    case FieldStart: return readCount(value, &h->start);
    default: return false;
    }
}

// One "# word value" line; other comment lines are left alone.
bool readHeaderLine(const std::string& line, DemoHeader* h, unsigned* seen, std::string* error) {
    if (line.size() < 2 || line[0] != '#' || line[1] != ' ') return true;
    const size_t space = line.find(' ', 2);
    const std::string word = line.substr(2, space == std::string::npos ? std::string::npos : space - 2);
    const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
    for (int f = 0; f < FieldCount; ++f) {
        if (word != FieldNames[f]) continue;
        if (*seen & (1u << f) || !readField(f, value, h)) {
            *error = "bad demo header line: " + line.substr(0, 80);
            return false;
        }
        *seen |= 1u << f;
    }
    return true;
}

}  // namespace

const char* demoOutcomeName(int outcome) {
    return outcome >= 0 && outcome < DemoOutcomeCount ? OutcomeNames[outcome] : "none";
}

std::string demoHeaderText(const DemoHeader& h) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "# tumblegrade-demo %d\n# game %s\n# course %s\n# course-hash %016" PRIx64
                  "\n# rider %s\n# outcome %s\n# iterations %d\n# start %d\n",
                  int(h.version), h.game, h.course, h.courseHash, h.rider, demoOutcomeName(h.outcome),
                  int(h.iterations), int(h.start));
    return text;
}

bool parseDemoText(const std::string& text, DemoHeader* header, ReplayScript* script, std::string* error) {
    *header = DemoHeader{};
    unsigned seen = 0;
    size_t at = 0;
    while (at < text.size() && text[at] == '#') {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!readHeaderLine(line, header, &seen, error)) return false;
        at = end + 1;
    }
    if (!(seen & 1u)) {
        *error = "not a demo (no \"# tumblegrade-demo 1\" line)";
        return false;
    }
    if (seen != (1u << FieldCount) - 1) {
        for (int f = 0; f < FieldCount; ++f)
            if (!(seen & (1u << f))) *error = std::string("the demo header has no ") + FieldNames[f] + " line";
        return false;
    }
    if (!parseReplayText(text, script, error)) return false;
    if (script->commands.empty() || header->start > script->lastIteration) {
        *error = "the demo has no run after its start";
        return false;
    }
    for (const ReplayCommand& c : script->commands) {
        if (c.type == ReplaySnap) {
            *error = "line " + std::to_string(c.line) + ": a demo takes no snapshots";
            return false;
        }
    }
    return true;
}

bool readDemoFile(const char* path, DemoHeader* header, ReplayScript* script, std::string* error) {
    std::string text;
    const FileRead read = readFileText(path, &text, DemoSizeLimit);
    if (read != FileReadWhole) {
        *error = read == FileTooLarge ? "too large for a demo" : std::string("cannot open: ") + std::strerror(errno);
        return false;
    }
    return parseDemoText(text, header, script, error);
}
