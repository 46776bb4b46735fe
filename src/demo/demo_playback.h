// A demo's script fed to the game one main-loop iteration at a time, as the replay tool
// feeds a script, and the game stepped without pictures; and a demo played so from the
// game's start to the end of its run (the verification): the finish check, the replay
// tool's --verify and the board server all play a demo through playDemoRun.
#pragma once

#include <cstddef>
#include <cstdint>

#include "demo/demo_file.h"
#include "demo/replay_script.h"

struct DemoFeed {
    const ReplayScript* script;
    size_t command;  // the next command of the script
    int32_t next;    // the next iteration to play
    uint32_t seed;   // the clock the next window switch fills the damage table from
    int32_t ended;   // played past its last iteration, or the game was left
    int32_t left;    // a key that leaves the game, or the window closed
};

// The clock the demo's iteration 0 gives (0 when none).
uint32_t demoStartSeed(const ReplayScript& script);
// The game set back to its start from the clock at iteration 0 and the feed at the
// script's first iteration. The script must outlive the feed.
void startDemoFeed(DemoFeed* feed, const ReplayScript& script);
// One iteration: its commands fed, the game's logic, the frame advanced; returns what
// the frame shows (advanceFrame) for a caller that draws it.
int playDemoIteration(DemoFeed* feed);

// What a demo played to the end of its run did.
struct DemoPlayed {
    int32_t ended;       // the run ended (else the demo or the cap ended first)
    int32_t outcome;     // DemoOutcome; DemoNoOutcome when the run did not end
    int32_t iterations;  // the ride clock as the run ended; 0 when it did not
    int32_t startedAt;   // the iteration the run started in
    int32_t played;      // iterations played
    char rider[sizeof DemoHeader{}.rider];  // the rider's name as the run ended
};

// Called after every iteration of the run, from the one it starts in to the one it ends
// in, with the game as that iteration left it (the key-state table holds the keys).
using DemoRunObserver = void (*)(void* context, int iteration);

// Plays a demo from the game's start without pictures until its run ends, its script
// ends or iterationCap iterations have played. The game must be initialised (initGame)
// and the demo's course chosen; the game is left where the demo took it (the finish
// check keeps and restores the live game around this).
DemoPlayed playDemoRun(const DemoHeader& header, const ReplayScript& script, int iterationCap,
                       DemoRunObserver observer = nullptr, void* context = nullptr);
// The run ended as the header says: outcome, ride iterations and rider.
bool demoPlayedAsHeader(const DemoPlayed& played, const DemoHeader& header);
