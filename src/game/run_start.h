// The state a run starts from, one record for everything that needs it: ride again puts
// the rider and the damage table back from it (menus/fresh_run), the recorder compares
// two runs' starts (demo/demo_recorder). What the ride depends on (the rider's profile,
// the pose and motion, the course left in the lists, the damage table) is kept so that
// two captures compare bytewise: two runs with equal ride states ride alike under the
// same keys.
#pragma once

#include <cstdint>

#include "profile/rider_profile.h"

struct RideStartState {
    char name[48];
    int32_t profile[12];  // health, condition, balance, equipment, protectors
    float motion[2];      // speed, acceleration
    int32_t flags[6];     // pitch class, off-track, damage cursor, segment count, lists, fill pending
    float pose[16 * 4 + 4 + 4];  // camera, its inverse, steer and pitch steps, position, first tile
    int32_t damageTable[12];
    uint32_t damageSeed;
    int32_t clock[2];
};

struct RunStart {
    RideStartState ride;   // zeroed first, so two captures compare bytewise
    RiderProfile rider;    // the whole rider, as ride again puts it back
    int32_t damageCursor;
    int32_t valid;         // captured (a run has begun, or the game waits at the start)
};

void captureRunStart(RunStart* start);
// The ride's part alone (the recorder keeps no more of a run's start).
void captureRideStart(RideStartState* state);
bool sameRideStart(const RideStartState& a, const RideStartState& b);

// The yaw of the rider's view in radians (0 along +z).
float riderHeading();
