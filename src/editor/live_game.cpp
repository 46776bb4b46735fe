#include "editor/live_game.h"

#include <cstdio>
#include <cstring>

#include "framework/framework.h"
#include "base/game_state.h"
#include "race/damage_table.h"
#include "render/segment_window.h"
#include "track/course_choice.h"
#include "track/track_lists.h"

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
    clearTrackLists();  // the course ridden beside was the editor's: the live one is read again
    restoreCheckpoint(live.state);
    DamageTableFills = live.fills;
    setChosenCourseLabel(live.courseName, live.coursePar);
    if (!live.havePalette) return;
    setPalette(live.palette, 256, 0);
    realizePalette(256, 0, 0);
}

int tileRiddenNow() {
    const int tile = GameState.segmentCount - TrackMeshes.count() - 3;  // three went into the window
    if (windowFillPending || tile < 0) return 0;
    return tile < GameState.segmentCount ? tile : GameState.segmentCount - 1;
}
