// The state a run starts from, as far as the ride depends on it: the rider's profile,
// the pose and motion, the course left in the lists and the damage table. Two runs with
// equal start states ride alike under the same keys.
#pragma once

#include <cstdint>

constexpr int RideKeyCount = 5;  // Up, Ctrl, Left, Right, Alt: the keys the ride holds

struct RunStartState {
    char name[48];
    int32_t profile[12];  // health, condition, balance, equipment, protectors
    float motion[2];      // speed, acceleration
    int32_t flags[6];     // pitch class, off-track, damage cursor, segment count, lists, fill pending
    float pose[16 * 4 + 4 + 4];  // camera, its inverse, steer and pitch steps, position, first tile
    int32_t damageTable[12];
    uint32_t damageSeed;
    int32_t clock[2];
};

// Zeroed first, so two captures compare bytewise.
void captureRunStart(RunStartState* state);
bool sameRunStart(const RunStartState& a, const RunStartState& b);

// The yaw of the rider's view in radians (0 along +z).
float riderHeading();
