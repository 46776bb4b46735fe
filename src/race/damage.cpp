#include "race/damage.h"

#include <cstdint>

#include "base/game_state.h"
#include "profile/rider_profile.h"
#include "race/camera_steps.h"
#include "race/damage_table.h"
#include "render/camera.h"
#include "track/tile_frame.h"

namespace {

enum { DamageTableSize = sizeof DamageTable / sizeof DamageTable[0] };
// Events use the pairs (0, 1) to (8, 9); the cursor starts again after entry 9.
const int LastDamageEntry = 9;
// 2^31 as a float: every float below it truncates into the int range.
const float MaxDamage = 2147483648.0f;

// The facing of the respawn pose per heading of the laid-out variants (variants 1 and
// 5 share one, and so on). The eye stands 5 units into the tile on both axes; the
// translation row is the eye position carried through the orientation, written out as
// a choice and a sign per component.
enum { EyeX, EyeY, EyeZ };

struct RespawnPose {
    float offsetX, offsetZ;  // eye position relative to the start corner
    float rows[3][3];        // rows 0 to 2 of the camera (w column 0)
    int source[3];           // component of the eye position in row 3, element 0 to 2
    float sign[3];
};

const RespawnPose RespawnPoses[4] = {
    {5, 5, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {EyeX, EyeY, EyeZ}, {-1, -1, -1}},
    {-5, 5, {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}, {EyeZ, EyeY, EyeX}, {-1, -1, 1}},
    {-5, -5, {{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}}, {EyeX, EyeY, EyeZ}, {1, -1, 1}},
    {5, -5, {{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}}, {EyeZ, EyeY, EyeX}, {1, -1, -1}},
};

// A cursor outside the table (never set so by the game) starts again at entry 0
// rather than read outside it.
int cursorInTable() {
    if (GameState.damageCursor < 0 || GameState.damageCursor >= DamageTableSize)
        GameState.damageCursor = 0;
    return GameState.damageCursor;
}

// Leaving the track stops the rider and pitches the camera from the level to the
// tile's slope class, for the pose that is about to be rebuilt level.
void pitchForRespawn(int slope) {
    RotationStep step;
    if (pitchStepBetween(0, slope, &step)) PitchStep = pitchMatrix(step);
}

}  // namespace

int drawDamage() {
    const int entry = cursorInTable();
    const float amount = float(DamageTable[entry]) * GameState.speed;
    GameState.damageCursor = entry + 1;
    // Speed has no upper limit; a damage beyond the integer range is the largest
    // damage (which no rider or bike absorbs) instead of an undefined conversion.
    if (!(amount < MaxDamage)) return amount > 0.0f ? INT32_MAX : 0;
    return int(amount);
}

void placeRiderOnTile(const SegmentMesh& mesh) {
    if (!tileHasLayout(mesh)) return;
    const RespawnPose& pose = RespawnPoses[(mesh.variant - 1) % 4];
    const Point3& start = tileStartCorner(mesh);
    const float eye[3] = {
        start.x + pose.offsetX,
        (start.y - 1.0f) + 0.5f * float(mesh.slope),
        start.z + pose.offsetZ,
    };
    Matrix4 camera = IdentityMatrix;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) camera(r, c) = pose.rows[r][c];
    for (int c = 0; c < 3; ++c) camera(3, c) = pose.sign[c] * eye[pose.source[c]];
    CameraMatrix = camera * PitchStep;
}

void offTrackEvent(const SegmentMesh& mesh) {
    if (!Rider.takeHealthDamage(drawDamage())) GameState.injuryFlag = 1;
    if (!Rider.takeBikeDamage(drawDamage())) GameState.defectFlag = 1;
    if (GameState.damageCursor > LastDamageEntry) GameState.damageCursor = 0;
    GameState.crashFlag = (!GameState.injuryFlag && !GameState.defectFlag) ? 1 : 0;
    GameState.speed = 0.0f;
    pitchForRespawn(mesh.slope);
    placeRiderOnTile(mesh);
}
