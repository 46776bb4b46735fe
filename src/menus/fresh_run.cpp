#include "menus/fresh_run.h"

#include <cstdio>
#include <cstring>

#include "base/game_state.h"
#include "game/screens.h"
#include "menus/run_watch.h"
#include "race/damage_table.h"
#include "race/ride.h"
#include "race/ride_clock.h"
#include "render/segment_window.h"
#include "track/course_choice.h"
#include "track/track_lists.h"
#include "track/track_loader.h"

int startFreshRun() {
    const RunStart& start = RunWatch.start;
    if (!start.valid) return 0;
    int readable = 0;
    courseContentHash(chosenCourseFile(), &readable);
    if (!readable) {
        std::fprintf(stderr, "tumblegrade: the course %s cannot be read; no fresh run\n", chosenCourseFile());
        return 0;
    }
    clearTrackLists();
    loadTrack();
    resetSegmentWindow();
    resetRiderPose();
    GameState.speed = 0.0f;
    GameState.acceleration = 0.0f;
    GameState.pitchState = 0;
    GameState.offTrack = 0;
    GameState.injuryFlag = 0;
    GameState.defectFlag = 0;
    GameState.crashFlag = 0;
    GameState.notEnoughMoney = 0;
    GameState.damageCursor = start.damageCursor;
    std::memcpy(DamageTable, start.damageTable, sizeof DamageTable);
    Rider = start.rider;
    resetRideClock();
    expectRunFromStart(start);
    startRace();
    return 1;
}
