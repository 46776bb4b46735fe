// The global record through which screens, shop, renderer and race share the state
// of the game. Plain data: each field has its writers and readers in the subsystems.
#pragma once

#include <cstdint>

struct Bitmap;

struct GameStateBlock {
    Bitmap* textures[10];  // texture table: textures 0 to 8, entry 9 stays empty
    int32_t screen;        // ScreenId shown while not racing
    float speed;           // forward distance per logic step, never negative
    float acceleration;    // change of speed in the current logic step
    int32_t pitchState;    // slope class the camera is pitched for (0 to 3)
    int32_t racing;        // a run is in progress
    int32_t notEnoughMoney;// the last attempt to buy failed for lack of money
    int32_t offTrack;      // result of the latest off-track test
    int32_t defectFlag;    // the run ended: the bike could not take the damage
    int32_t injuryFlag;    // the run ended: the rider could not take the damage
    int32_t crashFlag;     // the run ended in a crash rider and bike absorbed
    int32_t segmentCount;  // segment lines of the last track load
    int32_t damageCursor;  // next DamageTable entry to use (0, 2, 4, 6, 8)
};

extern GameStateBlock GameState;

// Every field back to its start value (tests).
void resetGameState();
