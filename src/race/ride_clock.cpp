#include "race/ride_clock.h"

#include <cstdio>

#include "base/scan_codes.h"
#include "framework/framework.h"

RideClockState RideClock = {0, 0};

void resetRideClock() { RideClock = RideClockState{0, 0}; }

void tickRideClock() {
    if (!RideClock.started && isKeyDown(ScanUp)) RideClock.started = 1;
    if (RideClock.started) ++RideClock.iterations;
}

void formatRideTime(int32_t steps, char* text, int size) {
    if (steps < 0) steps = 0;
    const int64_t hundredths = int64_t(steps) * 100 / 60;
    std::snprintf(text, size_t(size), "%lld:%02lld.%02lld", (long long)(hundredths / 6000),
                  (long long)(hundredths / 100 % 60), (long long)(hundredths % 100));
}
