#include "menus/fresh_run.h"

#include <cstdio>
#include <cstring>

#include "base/game_state.h"
#include "game/screens.h"
#include "menus/run_watch.h"
#include "race/course_start.h"
#include "race/damage_table.h"
#include "race/ride_clock.h"
#include "track/course_choice.h"

int startFreshRun() {
    const RunStart& start = RunWatch.start;
    if (!start.valid) return 0;
    int readable = 0;
    courseContentHash(chosenCourseFile(), &readable);
    if (!readable) {
        std::fprintf(stderr, "tumblegrade: the course %s cannot be read; no fresh run\n", chosenCourseFile());
        return 0;
    }
    returnToCourseStart();
    GameState.notEnoughMoney = 0;
    GameState.damageCursor = start.damageCursor;
    std::memcpy(DamageTable, start.ride.damageTable, sizeof DamageTable);
    Rider = start.rider;
    expectRunFromStart(start);
    startRace();
    return 1;
}
