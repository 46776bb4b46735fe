#include "editor/autopilot_proof.h"

#include <cstring>

#include "base/game_state.h"
#include "base/keyboard_layout.h"
#include "demo/demo_watch.h"
#include "demo/game_checkpoint.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "pilot/autopilot.h"
#include "pilot/autopilot_session.h"
#include "race/damage_table.h"
#include "race/ride.h"
#include "race/ride_clock.h"
#include "track/course_choice.h"
#include "track/track_lists.h"

namespace {

// The live game while the autopilot rides.
struct ProofRide {
    GameCheckpoint game;
    int32_t fills;
    int havePalette;
    PaletteEntry palette[256];
    char courseName[64];
    int coursePar;
    char course[CoursePathCapacity];
};

ProofRide Live;

void keepLiveGame() {
    saveCheckpoint(&Live.game);
    Live.fills = DamageTableFills;
    const DisplayContext* page = drawingPage();
    Live.havePalette = page != nullptr;
    if (page) std::memcpy(Live.palette, page->palette, sizeof Live.palette);
    std::snprintf(Live.courseName, sizeof Live.courseName, "%s", chosenCourseName());
    Live.coursePar = chosenCoursePar();
}

void restoreLiveGame() {
    clearTrackLists();  // the live course is read again from its own file
    restoreCheckpoint(Live.game);
    DamageTableFills = Live.fills;
    setChosenCourseLabel(Live.courseName, Live.coursePar);
    if (!Live.havePalette) return;
    setPalette(Live.palette, 256, 0);
    realizePalette(256, 0, 0);
}

// A key as the back-end hands it to the game: the game's own key rules, no own screen.
void feedKey(int scanCode, int down) {
    InputEvent event;
    makeKeyEvent(scanCode, germanCharacterOf(scanCode), down, &event);
    if (event.type == KeyDown) onKeyDown(&event);
}

int currentTile() {
    const int tile = GameState.segmentCount - TrackMeshes.count() - 3;  // three went into the window
    return windowFillPending || tile < 0 ? 0 : tile >= GameState.segmentCount ? GameState.segmentCount - 1 : tile;
}

}  // namespace

AutopilotRide rideAutopilotOn(const char* text, int size) {
    keepLiveGame();
    chooseCourseText(text, size);
    resetGameToStart(uint32_t(AutopilotClock));
    startAutopilotSession(feedKey);
    bool rode = false;
    for (int iteration = 0;; ++iteration) {
        rode = rode || GameState.racing;
        autopilotSessionBegin(iteration);  // its keys reach the game at once, as the back-end's would
        gameLogic();
        settleWithoutDrawing();
        // The session's own end, without asking the game to exit.
        const bool ended = rode && !GameState.racing;
        if (ended || iteration >= AutopilotIterationLimit || (!GameState.racing && autopilotMenuKey() == 0)) break;
    }
    const char* outcome = rode && !GameState.racing ? outcomeScreenName(GameState.screen) : nullptr;
    AutopilotRide ride{0, int(RideClock.iterations), currentTile(), outcome ? outcome : "none"};
    ride.finished = outcome && std::strcmp(outcome, "finish") == 0;
    restoreLiveGame();
    return ride;
}
