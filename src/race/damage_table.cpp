#include "race/damage_table.h"

#include "app/game_main.h"

int32_t DamageTable[12];

void fillDamageTable(uint32_t seconds) {
    seedRandom(seconds);
    for (int32_t& entry : DamageTable) entry = nextRandom() % 100;
}
