// The whole state of the game at one point, to go back to: the game's record, the rider,
// the eye and its steps, the segment window and how far the course lists were taken, the
// key-state table, the damage table with the random generator, the ride clock and the
// texturing switch. The course lists themselves are restored by reading the course again
// and dropping the segments already taken. Fixed size: the watching keeps an array of
// them made once.
#pragma once

#include <cstdint>

#include "base/game_state.h"
#include "profile/rider_profile.h"
#include "race/ride_clock.h"
#include "render/segment_window.h"
#include "track/course_choice.h"

struct GameCheckpoint {
    GameStateBlock game;
    RiderProfile rider;
    Matrix4 camera, inverse, steer, pitch;
    Point3 position;
    SegmentWindowSlots window;
    int32_t fillPending;
    int32_t meshesLeft, objectsLeft;
    uint16_t keys[256];
    int32_t damageTable[12];
    uint32_t damageSeed;
    uint32_t random;
    RideClockState clock;
    int32_t texturing;
    char course[CoursePathCapacity];
};

void saveCheckpoint(GameCheckpoint* c);
// Back to the saved state; the course is read again only when its lists differ.
void restoreCheckpoint(const GameCheckpoint& c);

// The game as at program start with the damage table filled from seed: the intro, a new
// rider, the chosen course read afresh, the eye at the start, no key held.
void resetGameToStart(uint32_t seed);

// A fingerprint of the state a checkpoint holds (tests compare two points with it).
uint64_t gameStateFingerprint();
