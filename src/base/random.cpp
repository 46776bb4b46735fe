#include "base/random.h"

namespace {

uint32_t RandomState = 1;

}  // namespace

void seedRandom(uint32_t seed) { RandomState = seed; }

uint32_t randomState() { return RandomState; }

void setRandomState(uint32_t state) { RandomState = state; }

int nextRandom() {
    RandomState = RandomState * 214013u + 2531011u;
    return int((RandomState >> 16) & 0x7FFF);
}
