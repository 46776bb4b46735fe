// A demo: one run of the game as the replay script that plays it again, under a header
// of comment lines that says what the run was. The body is plain script lines (time,
// press, release, tap, mode, stop), so the replay tool plays a demo as any script.
//   # tumblegrade-demo 1
//   # game 1.0.0
//   # course classic
//   # course-hash 0123456789abcdef
//   # rider ANNA
//   # outcome finish
//   # iterations 3012
//   # start 14
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "demo/replay_script.h"
#include "game/run_phase.h"

constexpr int DemoFormatVersion = 1;
constexpr char DemoExtension[] = ".tgdemo";
constexpr size_t DemoSizeLimit = ScriptSizeLimit;  // far beyond an hour of riding

// How the run ended (game/run_phase.h).
enum DemoOutcome {
    DemoNoOutcome = RunNotEnded,  // the run has not ended
    DemoFinish = RunFinished,
    DemoInjury = RunInjured,
    DemoDefect = RunDefect,
    DemoLeft = RunLeft,  // the game was left, or the run given up on the crash screen
    DemoOutcomeCount,
};

struct DemoHeader {
    int32_t version;
    char game[32];
    char course[64];  // the course's name ("" when not known)
    uint64_t courseHash;
    char rider[48];   // the rider's name as the game holds it (Latin-1)
    int32_t outcome;  // DemoOutcome
    int32_t iterations;  // the ride clock at the end of the run
    int32_t start;       // the iteration of the body in which the run starts
};

const char* demoOutcomeName(int outcome);

// The header's text, every line starting with "# ".
std::string demoHeaderText(const DemoHeader& header);

// Reads a whole demo: the header from its comment lines and the body as a script.
// On failure returns false with one line in error.
bool parseDemoText(const std::string& text, DemoHeader* header, ReplayScript* script, std::string* error);
bool readDemoFile(const char* path, DemoHeader* header, ReplayScript* script, std::string* error);
