// The replay's input script (and a demo's body): one command per line, each tied to a main-loop iteration.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum ReplayCommandType {
    ReplayTime,
    ReplayPress,
    ReplayRelease,
    ReplayTap,
    ReplayMode,
    ReplayCloseYes,
    ReplayCloseNo,
    ReplaySnap,
    ReplayStop,
};

struct ReplayCommand {
    int iteration;
    int type;
    int64_t value;     // seconds for time, scan code for key commands
    std::string name;  // snapshot name
    int line;
};

struct ReplayScript {
    std::vector<ReplayCommand> commands;
    int lastIteration;  // -1 for a script without commands
};

// A script longer than this is refused.
constexpr size_t ScriptSizeLimit = 16u << 20;

// Reads a whole script. On failure returns false with "line N: message" in error.
bool parseReplayScript(FILE* in, ReplayScript* script, std::string* error);
bool parseReplayText(const std::string& text, ReplayScript* script, std::string* error);
