// The live game kept aside while another run is played in it (a demo's check, the course
// editor's test rides and proof): the whole state (game_checkpoint.h), the count of
// damage-table fills, the palette set and shown, and the chosen course's label. Putting
// it back sets every one of them again.
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
