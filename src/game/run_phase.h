// Where the run stands, worked out once at the end of every main-loop iteration from the
// game's state: whether a run is on, whether it started or ended in the iteration, how
// it ended and whether it started at the top of the course. A run goes on through
// crashes ridden on from; it ends on the finish, injury or defect screen, when the game
// is left (or the crash screen is left for another screen), or when a fresh run (ride
// again) replaces it. Everything that follows runs reads this, never GameState.racing's
// changes of its own.
#pragma once

#include <cstdint>

// How a run ended; the values a demo's header keeps (demo/demo_file.h).
enum RunEnd {
    RunNotEnded = 0,
    RunFinished,
    RunInjured,
    RunDefect,
    RunLeft,  // the game was left, or the run given up
};

struct RunPhase {
    int32_t on;              // a run is on: riding, or on the crash screen
    int32_t started;         // the run on started in the last iteration
    int32_t ended;           // ... and ended in it: outcome says how
    int32_t outcome;         // RunEnd
    int32_t replaced;        // the run before was given up (RunLeft) for a fresh one
    int32_t fromStart;       // the run on started at the top of the course
    int32_t startIteration;  // the iteration the run on started in
    int32_t iteration;       // the iterations worked out
    int32_t lastClock;       // the ride clock as the last iteration ended
    int32_t fillPending;     // windowFillPending as the last iteration ended
    int32_t freshRun;        // a fresh run was started in the iteration under way
};

// Nothing on; the window's first fill pending, as at the program's start.
void resetRunPhase(RunPhase* phase);
// A fresh run from the top of the course starts in the iteration under way (ride again).
void noteFreshRun(RunPhase* phase);
// At the end of an iteration; left: the game was left in it.
void advanceRunPhase(RunPhase* phase, int left);
// How a run ends on a screen shown after a ride (RunNotEnded for the crash screen).
int runEndOfScreen(int32_t screen);
