#include "editor/test_ride.h"

#include "base/game_state.h"
#include "demo/demo_recorder.h"
#include "demo/live_game.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "race/course_start.h"
#include "render/camera.h"
#include "render/segment_window.h"
#include "track/course_choice.h"
#include "track/track_lists.h"

namespace {

struct TestRide {
    int on;
    LiveGame live;  // the game as it was before the ride
};

TestRide Ride;

}  // namespace

namespace {

// The rider at rest entering tile `from`, the course before it already taken.
void standAtTile(int from, const Matrix4& eye) {
    for (int i = 0; i < from && TrackMeshes.count() > 0; ++i) {
        TrackMeshes.popFront();
        TrackObjects.popFront();
    }
    CameraMatrix = eye;
    CameraInverse = eye.inverse();
    CameraInverse(3, 3) = 1.0f;
    RiderPosition = Point3(CameraInverse(3, 0), CameraInverse(3, 1), CameraInverse(3, 2), 1.0f);
}

}  // namespace

void beginTestRide(const char* text, int size, int fromTile, const Matrix4& eye) {
    if (Ride.on) return;
    keepLiveGame(&Ride.live);
    Ride.on = 1;
    pauseDemoRecorder(1);
    chooseCourseText(text, size);
    setChosenCourseLabel("test ride", 0);
    returnToCourseStart();
    if (fromTile > 0) standAtTile(fromTile, eye);
    GameState.notEnoughMoney = 0;
    startRace();
}

int testRideOn() { return Ride.on; }

int endTestRide() {
    if (!Ride.on) return 0;
    const int tile = tileRiddenNow();
    clearTrackLists();  // the course ridden beside was the editor's: the live one is read again
    restoreLiveGame(Ride.live);
    pauseDemoRecorder(0);
    Ride.on = 0;
    return tile;
}
