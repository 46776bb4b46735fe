// Where the run stands after each iteration: one run through a crash ridden on from to
// its end, a run left, and a fresh run replacing the one on the crash screen.
#include <gtest/gtest.h>

#include <vector>

#include "base/game_state.h"
#include "game/run_phase.h"
#include "game/screen_ids.h"
#include "race/ride_clock.h"
#include "render/segment_window.h"

namespace {

struct Step {
    int racing, screen, clock, fillPending, left, fresh;
    int on, started, ended, outcome, replaced, fromStart;
};

void play(const std::vector<Step>& steps) {
    RunPhase phase;
    resetRunPhase(&phase);
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        GameState.racing = s.racing;
        GameState.screen = s.screen;
        RideClock.iterations = s.clock;
        if (s.fresh) noteFreshRun(&phase);
        advanceRunPhase(&phase, s.left);
        windowFillPending = s.fillPending;  // as the frame after it finds it
        const int seen[] = {phase.on, phase.started, phase.ended, phase.outcome, phase.replaced, phase.fromStart};
        const int wanted[] = {s.on, s.started, s.ended, s.outcome, s.replaced, s.fromStart};
        for (int k = 0; k < 6; ++k) EXPECT_EQ(seen[k], wanted[k]) << "iteration " << i << " field " << k;
    }
    GameState.racing = 0;
    RideClock.iterations = 0;
    windowFillPending = 1;
}

}  // namespace

TEST(RunPhase, StartsEndsAndIsReplacedOnce) {
    const int menu = ScreenMainMenu, crash = ScreenCrash, finish = ScreenFinish;
    // racing screen clock fill left fresh | on started ended outcome replaced fromStart
    play({{0, menu, 0, 0, 0, 0, 0, 0, 0, RunNotEnded, 0, 0},
          {1, menu, 0, 0, 0, 0, 1, 1, 0, RunNotEnded, 0, 1},
          {0, crash, 40, 0, 0, 0, 1, 0, 0, RunNotEnded, 0, 1},  // crashed: still on
          {1, crash, 41, 0, 0, 0, 1, 0, 0, RunNotEnded, 0, 1},  // ridden on
          {0, finish, 90, 0, 0, 0, 0, 0, 1, RunFinished, 0, 1},
          {1, finish, 91, 0, 0, 0, 1, 1, 0, RunNotEnded, 0, 0}});  // on from the finish
    play({{1, menu, 0, 0, 0, 0, 1, 1, 0, RunNotEnded, 0, 1},
          {1, menu, 5, 0, 1, 0, 0, 0, 1, RunLeft, 0, 1},
          {0, ScreenIntro, 5, 0, 0, 0, 0, 0, 0, RunNotEnded, 0, 1}});
    play({{1, menu, 0, 0, 0, 0, 1, 1, 0, RunNotEnded, 0, 1},
          {0, crash, 30, 0, 0, 0, 1, 0, 0, RunNotEnded, 0, 1},
          {1, crash, 0, 0, 0, 1, 1, 1, 0, RunNotEnded, 1, 1},  // ride again from the crash
          {0, ScreenInjury, 9, 0, 0, 0, 0, 0, 1, RunInjured, 0, 1}});
}
