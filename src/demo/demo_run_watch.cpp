#include "demo/demo_run_watch.h"

#include <cstring>

#include "base/game_state.h"
#include "demo/demo_file.h"
#include "game/screens.h"
#include "race/ride_clock.h"

int demoOutcomeOfScreen(int32_t screen) {
    switch (screen) {
    case ScreenFinish: return DemoFinish;
    case ScreenInjury: return DemoInjury;
    case ScreenDefect: return DemoDefect;
    case ScreenCrash: return DemoNoOutcome;
    default: return DemoLeft;
    }
}

void beginDemoRunWatch(DemoRunWatch* watch, int startIteration) {
    *watch = DemoRunWatch{};
    watch->startIteration = startIteration;
}

int watchDemoRun(DemoRunWatch* w, int iteration, int left) {
    if (w->ended || iteration < w->startIteration) return w->ended;
    if (!w->inRun && GameState.racing) {
        w->inRun = 1;
        w->startedAt = iteration;
    }
    if (!w->inRun) return 0;
    if (left) w->outcome = DemoLeft;
    else if (!GameState.racing) w->outcome = demoOutcomeOfScreen(GameState.screen);
    if (w->outcome != DemoNoOutcome) {
        w->ended = 1;
        w->iterations = RideClock.iterations;
    }
    return w->ended;
}

bool demoRunAsHeader(const DemoRunWatch& w, const char* rider, const DemoHeader& h) {
    return w.ended && w.outcome == h.outcome && w.iterations == h.iterations && std::strcmp(rider, h.rider) == 0;
}
