// The ride clock: main-loop iterations of a run, counted from the first ride step in
// which the push key is held to the end of the run (the run's time is iterations / 60).
#pragma once

#include <cstdint>

struct RideClockState {
    int32_t started;     // 1 once the push key has been held in a ride step
    int32_t iterations;  // ride steps since then, that one included
};

extern RideClockState RideClock;

// Not started, no iterations: a fresh run.
void resetRideClock();
// Once per ride step, before the step changes anything.
void tickRideClock();
