// The pseudo-random generator of the standard library (linear congruential).
#pragma once

#include <cstdint>

void seedRandom(uint32_t seed);
// The generator's whole state (a demo's checkpoints).
uint32_t randomState();
void setRandomState(uint32_t state);
// The next value 0 to 32767.
int nextRandom();
