#include "editor/test_ride.h"

#include "base/game_state.h"
#include "demo/demo_recorder.h"
#include "editor/live_game.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "race/course_start.h"
#include "track/course_choice.h"

namespace {

struct TestRide {
    int on;
    LiveGame live;  // the game as it was before the ride
};

TestRide Ride;

}  // namespace

void beginTestRide(const char* text, int size) {
    if (Ride.on) return;
    keepLiveGame(&Ride.live);
    Ride.on = 1;
    pauseDemoRecorder(1);
    chooseCourseText(text, size);
    setChosenCourseLabel("test ride", 0);
    returnToCourseStart();
    GameState.notEnoughMoney = 0;
    startRace();
}

int testRideOn() { return Ride.on; }

int endTestRide() {
    if (!Ride.on) return 0;
    const int tile = tileRiddenNow();
    restoreLiveGame(Ride.live);
    pauseDemoRecorder(0);
    Ride.on = 0;
    return tile;
}
