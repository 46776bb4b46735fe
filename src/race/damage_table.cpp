#include "race/damage_table.h"

#include "base/random.h"

int32_t DamageTable[12];
uint32_t DamageTableSeed = 0;
int32_t DamageTableFills = 0;

void fillDamageTable(uint32_t seconds) {
    DamageTableSeed = seconds;
    ++DamageTableFills;
    seedRandom(seconds);
    for (int32_t& entry : DamageTable) entry = nextRandom() % 100;
}
