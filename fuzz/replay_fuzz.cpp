// The replay tool's script parser on any text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "demo/replay_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ReplayScript script;
    std::string error;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (parseReplayText(text, &script, &error)) {
        // What the replay relies on: commands in iteration order, the last one last.
        int previous = 0;
        for (const ReplayCommand& c : script.commands) {
            if (c.iteration < previous) __builtin_trap();
            previous = c.iteration;
        }
        if (!script.commands.empty() && script.lastIteration != previous) __builtin_trap();
    } else if (error.empty()) {
        __builtin_trap();  // a refused script always says why
    }
    return 0;
}
