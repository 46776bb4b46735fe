#include "race/damage_table.h"

#include "base/random.h"

int32_t DamageTable[12];

void fillDamageTable(uint32_t seconds) {
    seedRandom(seconds);
    for (int32_t& entry : DamageTable) entry = nextRandom() % 100;
}
