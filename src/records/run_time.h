// A run's time as it is shown: ride steps at 60 a second, written m:ss.cc, and the
// difference to another time at a gate line, written -0.42 or +1:02.50.
#pragma once

#include <cstdint>

constexpr int32_t RideStepsPerSecond = 60;
// Room for any time these functions write, the terminating zero included.
constexpr int RunTimeTextCapacity = 24;

// m:ss.cc (hundredths rounded down); a negative count is written as 0:00.00.
void formatRunTime(int32_t steps, char* out, int size);
// The sign, then s.cc below a minute and m:ss.cc from a minute on: "+0.00" when equal.
void formatSplitDelta(int32_t steps, char* out, int size);
