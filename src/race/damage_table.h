// Twelve random damage factors 0 to 99, drawn at every game initialisation.
#pragma once

#include <cstdint>

extern int32_t DamageTable[12];
// The seconds of the last fill and how many fills there were (a demo records them).
extern uint32_t DamageTableSeed;
extern int32_t DamageTableFills;

// Seeds the generator with the clock's seconds and fills the table in index order.
void fillDamageTable(uint32_t seconds);
