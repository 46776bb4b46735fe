#include "demo/live_game.h"

#include <cstdio>
#include <cstring>

#include "framework/framework.h"
#include "race/damage_table.h"
#include "track/course_choice.h"

void keepLiveGame(LiveGame* live) {
    saveCheckpoint(&live->state);
    live->fills = DamageTableFills;
    const DisplayContext* page = drawingPage();
    live->havePalette = page != nullptr;
    if (page) std::memcpy(live->palette, page->palette, sizeof live->palette);
    std::snprintf(live->courseName, sizeof live->courseName, "%s", chosenCourseName());
    live->coursePar = chosenCoursePar();
}

void restoreLiveGame(const LiveGame& live) {
    restoreCheckpoint(live.state);
    DamageTableFills = live.fills;
    setChosenCourseLabel(live.courseName, live.coursePar);
    if (!live.havePalette) return;
    setPalette(live.palette, 256, 0);
    realizePalette(256, 0, 0);
}
