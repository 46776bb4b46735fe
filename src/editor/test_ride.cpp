#include "editor/test_ride.h"

#include <cstdio>
#include <cstring>

#include "base/game_state.h"
#include "demo/demo_recorder.h"
#include "demo/game_checkpoint.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "race/course_start.h"
#include "race/damage_table.h"
#include "track/course_choice.h"
#include "track/track_lists.h"

namespace {

// The live game while a test ride is on.
struct TestRide {
    int on;
    GameCheckpoint game;
    int32_t fills;
    int havePalette;
    PaletteEntry palette[256];
    char courseName[64];
    int coursePar;
};

TestRide Ride;

}  // namespace

void beginTestRide(const char* text, int size) {
    if (Ride.on) return;
    saveCheckpoint(&Ride.game);
    Ride.fills = DamageTableFills;
    const DisplayContext* page = drawingPage();
    Ride.havePalette = page != nullptr;
    if (page) std::memcpy(Ride.palette, page->palette, sizeof Ride.palette);
    std::snprintf(Ride.courseName, sizeof Ride.courseName, "%s", chosenCourseName());
    Ride.coursePar = chosenCoursePar();
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
    // The window's current tile: three were taken into it at its first fill.
    int tile = GameState.segmentCount - TrackMeshes.count() - 3;
    if (windowFillPending) tile = 0;
    if (tile >= GameState.segmentCount) tile = GameState.segmentCount - 1;
    if (tile < 0) tile = 0;
    GameState.racing = 0;
    clearTrackLists();  // the live course is read again from its own file
    restoreCheckpoint(Ride.game);
    DamageTableFills = Ride.fills;
    setChosenCourseLabel(Ride.courseName, Ride.coursePar);
    if (Ride.havePalette) {
        setPalette(Ride.palette, 256, 0);
        realizePalette(256, 0, 0);
    }
    pauseDemoRecorder(0);
    Ride.on = 0;
    return tile;
}
