// The live game kept while the editor rides its course beside it (a test ride, the
// autopilot's proof): the whole state (game_checkpoint.h), the count of damage-table
// fills, the palette shown and the chosen course with its label. Putting it back reads
// the chosen course again from its own file.
#pragma once

#include "demo/game_checkpoint.h"
#include "display/display.h"

struct LiveGame {
    GameCheckpoint state;
    int32_t fills;
    int32_t havePalette;
    PaletteEntry palette[256];
    char courseName[64];
    int coursePar;
};

void keepLiveGame(LiveGame* live);
void restoreLiveGame(const LiveGame& live);

// The tile of the course ridden beside the live game that the rider is on now (0 before
// the segment window's first fill).
int tileRiddenNow();
