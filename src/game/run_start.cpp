#include "game/run_start.h"

#include <cmath>
#include <cstring>

#include "base/game_state.h"
#include "profile/rider_profile.h"
#include "race/damage_table.h"
#include "race/ride.h"
#include "race/ride_clock.h"
#include "render/camera.h"
#include "render/segment_window.h"
#include "track/track_lists.h"

namespace {

float* putMatrix(float* at, const Matrix4& m) {
    std::memcpy(at, m.m, sizeof m.m);
    return at + 16;
}

}  // namespace

void captureRideStart(RideStartState* s) {
    std::memset(s, 0, sizeof *s);
    std::memcpy(s->name, Rider.name(), sizeof s->name < RiderProfile::NameCapacity + 1 ? sizeof s->name : RiderProfile::NameCapacity + 1);
    const int32_t profile[12] = {Rider.health(), Rider.condition(), Rider.balance(), Rider.fork(),
                                 Rider.frame(), Rider.brakes(), Rider.componentLevel(),
                                 Rider.hasProtector(0), Rider.hasProtector(1), Rider.hasProtector(2),
                                 Rider.hasProtector(3), 0};
    std::memcpy(s->profile, profile, sizeof profile);
    s->motion[0] = GameState.speed;
    s->motion[1] = GameState.acceleration;
    const int32_t flags[6] = {GameState.pitchState, GameState.offTrack, GameState.damageCursor,
                              GameState.segmentCount, TrackMeshes.count(), windowFillPending};
    std::memcpy(s->flags, flags, sizeof flags);
    float* at = putMatrix(s->pose, CameraMatrix);
    at = putMatrix(at, CameraInverse);
    at = putMatrix(at, SteerStep);
    at = putMatrix(at, PitchStep);
    for (int i = 0; i < 4; ++i) *at++ = RiderPosition[i];
    for (int i = 0; i < 4; ++i) *at++ = SegmentWindow.current.filled ? SegmentWindow.current.mesh.points[0][i] : 0.0f;
    std::memcpy(s->damageTable, DamageTable, sizeof DamageTable);
    s->damageSeed = DamageTableSeed;
    s->clock[0] = RideClock.started;
    s->clock[1] = RideClock.iterations;
}

void captureRunStart(RunStart* start) {
    captureRideStart(&start->ride);
    start->rider = Rider;
    start->damageCursor = GameState.damageCursor;
    start->valid = 1;
}

bool sameRideStart(const RideStartState& a, const RideStartState& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

float riderHeading() { return std::atan2(CameraMatrix(2, 0), CameraMatrix(0, 0)); }
