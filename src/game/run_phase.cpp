#include "game/run_phase.h"

#include "base/game_state.h"
#include "game/screen_ids.h"
#include "race/ride_clock.h"
#include "render/segment_window.h"

namespace {

void endRun(RunPhase* p, int outcome) {
    p->on = 0;
    p->ended = 1;
    p->outcome = outcome;
}

void startRun(RunPhase* p) {
    p->on = 1;
    p->started = 1;
    p->fromStart = p->fillPending || p->freshRun;
    p->startIteration = p->iteration;
}

}  // namespace

int runEndOfScreen(int32_t screen) {
    switch (screen) {
    case ScreenFinish: return RunFinished;
    case ScreenInjury: return RunInjured;
    case ScreenDefect: return RunDefect;
    case ScreenCrash: return RunNotEnded;
    default: return RunLeft;
    }
}

void resetRunPhase(RunPhase* phase) {
    *phase = RunPhase{};
    phase->fillPending = 1;
}

void noteFreshRun(RunPhase* phase) { phase->freshRun = 1; }

void advanceRunPhase(RunPhase* p, int left) {
    const int racing = GameState.racing;
    p->started = p->ended = p->replaced = 0;
    p->outcome = RunNotEnded;
    if (racing && p->on && (p->freshRun || RideClock.iterations < p->lastClock)) {
        p->on = 0;
        p->replaced = 1;
    }
    if (racing && !p->on) startRun(p);
    if (p->on && left)
        endRun(p, RunLeft);
    else if (p->on && !racing && runEndOfScreen(GameState.screen) != RunNotEnded)
        endRun(p, runEndOfScreen(GameState.screen));
    p->lastClock = RideClock.iterations;
    p->fillPending = windowFillPending;
    p->freshRun = 0;
    ++p->iteration;
}
