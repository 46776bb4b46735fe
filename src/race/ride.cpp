#include "race/ride.h"

#include "base/game_state.h"
#include "base/scan_codes.h"
#include "framework/framework.h"
#include "race/camera_steps.h"
#include "race/damage.h"
#include "race/off_track.h"
#include "race/ride_clock.h"
#include "render/segment_window.h"
#include "track/tile_frame.h"


namespace {

// What a held key does to this step of the ride.
enum RideAction { Push, HardBrake, SteerLeft, SteerRight, SoftBrake };

struct RideKey {
    int scanCode;
    RideAction action;
};

// Tested in this order every step, so a later key overrides an earlier one:
// Up with Ctrl or Alt brakes, Left with Right steers right.
const RideKey RideKeys[] = {
    {ScanUp, Push},
    {ScanCtrl, HardBrake},
    {ScanLeft, SteerLeft},
    {ScanRight, SteerRight},
    {ScanAlt, SoftBrake},  // brakes softly and doubles a turn
};

const float PushAcceleration = 0.01f;
const float HardBrakeAcceleration = -0.05f;
const float SoftBrakeAcceleration = -0.01f;

// Added to the acceleration on tiles of slope class 1, 2 and 3.
const float SlopePush[4] = {0.0f, 0.001f, 0.00125f, 0.0025f};

// The eye rides 1 unit above the ground.
const float EyeHeight = 1.0f;

void applyRideKey(RideAction action) {
    switch (action) {
    case Push: GameState.acceleration = PushAcceleration; break;
    case HardBrake: GameState.acceleration = HardBrakeAcceleration; break;
    case SteerLeft: SteerStep = yawMatrix(SteerLeftStep); break;
    case SteerRight: SteerStep = yawMatrix(SteerRightStep); break;
    case SoftBrake:
        GameState.acceleration = SoftBrakeAcceleration;
        if (SteerStep(0, 0) != 1.0f) SteerStep = SteerStep * SteerStep;
        break;
    }
}

void readRideKeys() {
    for (const RideKey& key : RideKeys)
        if (isKeyDown(key.scanCode)) applyRideKey(key.action);
}

void pushDownSlope(int slope) {
    if (slope >= 1 && slope <= 3) GameState.acceleration = GameState.acceleration + SlopePush[slope];
}

void updateSpeed() {
    GameState.speed = GameState.speed + GameState.acceleration;
    if (!(GameState.speed > 0.0f)) GameState.speed = 0.0f;
}

// Pitches the camera once, when the tile's slope class differs from the one the
// camera is pitched for. Slopes above 3 keep the pitch.
void pitchForSlope(int slope) {
    if (slope < 0 || slope >= SlopeClassCount || slope == GameState.pitchState) return;
    RotationStep step;
    if (pitchStepBetween(GameState.pitchState, slope, &step)) PitchStep = pitchMatrix(step);
    GameState.pitchState = slope;
}

void turnCamera() {
    CameraMatrix = CameraMatrix * PitchStep;
    CameraMatrix = CameraMatrix * SteerStep;
    CameraInverse = CameraMatrix.inverse();
    CameraInverse(3, 3) = 1.0f;
}

// Forward along the eye's view direction; the height is left to the ground.
void moveForward() {
    RiderPosition.x = CameraMatrix(0, 2) * GameState.speed + CameraInverse(3, 0);
    RiderPosition.z = CameraMatrix(2, 2) * GameState.speed + CameraInverse(3, 2);
}

// Distance travelled from the tile's start edge along its heading.
float distanceIntoTile(const SegmentMesh& mesh, const Point3& start) {
    switch (travelHeading(mesh)) {
    case 1: return RiderPosition.z - start.z;
    case 2: return start.x - RiderPosition.x;
    case 3: return start.z - RiderPosition.z;
    default: return RiderPosition.x - start.x;
    }
}

// The eye stays 1 unit above the ground, which drops by `slope` over the tile.
void followGround(const SegmentMesh& mesh) {
    CameraInverse(3, 0) = RiderPosition.x;
    CameraInverse(3, 2) = RiderPosition.z;
    if (GameState.pitchState != 0 && tileHasLayout(mesh)) {
        const Point3& start = tileStartCorner(mesh);
        const float d = distanceIntoTile(mesh, start);
        CameraInverse(3, 1) = (start.y - EyeHeight) + (d / 10.0f) * float(mesh.slope);
    }
    CameraMatrix = CameraInverse.inverse();
    RiderPosition.y = CameraInverse(3, 1);
}

void endStep() {
    SteerStep = IdentityMatrix;
    PitchStep = IdentityMatrix;
    GameState.acceleration = 0.0f;
}

}  // namespace

void resetRiderPose() {
    CameraMatrix = IdentityMatrix;
    CameraMatrix(3, 0) = -15.0f;
    CameraMatrix(3, 1) = 1.0f;
    CameraMatrix(3, 2) = -7.6f;
    CameraMatrix(3, 3) = 1.0f;
    CameraInverse = IdentityMatrix;
    SteerStep = IdentityMatrix;
    PitchStep = IdentityMatrix;
    RiderPosition = Point3(15.0f, -1.0f, 7.6f, 1.0f);
}

void gameLogic() {
    if (!GameState.racing) return;
    tickRideClock();
    const SegmentMesh& mesh = SegmentWindow.current.mesh;
    readRideKeys();
    pushDownSlope(mesh.slope);
    updateSpeed();
    pitchForSlope(mesh.slope);
    turnCamera();
    moveForward();
    updateOffTrack(mesh);
    if (GameState.offTrack == 0)
        followGround(mesh);
    else
        offTrackEvent(mesh);
    endStep();
}
