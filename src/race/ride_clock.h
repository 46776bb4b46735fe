// The run's clock: ride steps from the first push to the end of the run. The ride
// advances one step per main-loop iteration at 60 a second, so the time is steps / 60,
// the same on every machine and in a replay. The clock only watches: nothing the ride
// computes depends on it.
#pragma once

#include <cstdint>

struct RideClockState {
    int32_t started;     // the first push of the run came
    int32_t iterations;  // ride steps since the first push, that one included
};

extern RideClockState RideClock;

// Back to a run not yet started (a new run, tests).
void resetRideClock();
// One ride step: called by gameLogic while a run is on, before the step reads its keys.
void tickRideClock();
