#include "editor/autopilot_proof.h"

#include <cstring>

#include "base/game_state.h"
#include "base/keyboard_layout.h"
#include "demo/live_game.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "pilot/autopilot.h"
#include "pilot/autopilot_session.h"
#include "race/ride.h"
#include "race/ride_clock.h"
#include "render/segment_window.h"
#include "track/course_choice.h"
#include "track/track_lists.h"

namespace {

LiveGame Live;  // while the autopilot rides

// A key as the back-end hands it to the game: the game's own key rules, no top screen.
void feedKey(int scanCode, int down) {
    InputEvent event;
    makeKeyEvent(scanCode, germanCharacterOf(scanCode), down, &event);
    if (event.type == KeyDown) onKeyDown(&event);
}

}  // namespace

AutopilotRide rideAutopilotOn(const char* text, int size) {
    keepLiveGame(&Live);
    chooseCourseText(text, size);
    resetGameToStart(uint32_t(AutopilotClock));
    startAutopilotSession(feedKey);
    bool rode = false;
    for (int iteration = 0;; ++iteration) {
        rode = rode || GameState.racing;
        autopilotSessionBegin(iteration);  // its keys reach the game at once, as the back-end's would
        gameLogic();
        advanceFrame();
        // The session's own end, without asking the game to exit.
        const bool ended = rode && !GameState.racing;
        if (ended || iteration >= AutopilotIterationLimit || (!GameState.racing && autopilotMenuKey() == 0)) break;
    }
    const char* outcome = rode && !GameState.racing ? outcomeScreenName(GameState.screen) : nullptr;
    AutopilotRide ride{0, int(RideClock.iterations), tileRiddenNow(), outcome ? outcome : "none"};
    ride.finished = outcome && std::strcmp(outcome, "finish") == 0;
    clearTrackLists();  // the course ridden beside was the editor's: the live one is read again
    restoreLiveGame(Live);
    return ride;
}
