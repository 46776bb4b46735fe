#include "race/ride_clock.h"

#include "base/scan_codes.h"
#include "framework/framework.h"

RideClockState RideClock = {0, 0};

void resetRideClock() { RideClock = RideClockState{0, 0}; }

void tickRideClock() {
    if (!RideClock.started && isKeyDown(ScanUp)) RideClock.started = 1;
    if (RideClock.started) ++RideClock.iterations;
}
