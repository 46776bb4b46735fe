// The pseudo-random generator of the standard library (linear congruential).
#pragma once

#include <cstdint>

void seedRandom(uint32_t seed);
// The next value 0 to 32767.
int nextRandom();
