// One JSON object per main-loop iteration: the game state a replay can be checked by.
#pragma once

#include <cstdio>

void writeStateLine(FILE* out, int iteration);
