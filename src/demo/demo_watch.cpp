#include "demo/demo_watch.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/game_state.h"
#include "base/keyboard_layout.h"
#include "base/scan_codes.h"
#include "demo/demo_course.h"
#include "demo/demo_file.h"
#include "demo/demo_recorder.h"
#include "demo/demo_run_watch.h"
#include "demo/game_checkpoint.h"
#include "demo/watch_overlay.h"
#include "display/display.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "game/shop.h"
#include "menus/own_screens.h"
#include "race/damage_table.h"
#include "race/ride.h"
#include "race/ride_clock.h"
#include "render/segment_window.h"

namespace {

constexpr int CheckpointCapacity = 256;
constexpr int CheckpointInterval = 120;  // two seconds of iterations
constexpr int JumpIterations = 300;      // five seconds
constexpr int SpeedQuarters[] = {1, 2, 4, 8, 16, 32};
constexpr const char* SpeedNames[] = {"1/4x", "1/2x", "1x", "2x", "4x", "8x"};
constexpr int SpeedCount = int(sizeof SpeedQuarters / sizeof SpeedQuarters[0]);
constexpr int NormalSpeed = 2;

struct Mark {
    int32_t saved;
    size_t command;
    uint32_t seed;
};

struct Watch {
    int on;
    DemoHeader header;
    ReplayScript script;
    int next;        // the next demo iteration to play
    size_t command;  // the next command of the script
    uint32_t seed;   // the clock the next window switch fills the damage table from
    int ended;
    int paused;
    int speed;
    int quarters;  // quarter steps owed at slow speeds
    int interval;
    Mark marks[CheckpointCapacity];
    void (*onEnd)();
    int anyKeyLeaves;
};

Watch W;
GameCheckpoint Points[CheckpointCapacity];
GameCheckpoint Before;  // the game as it was before watching

// Keys that would leave the game end the demo instead.
bool leavesGame(int scanCode) {
    if (scanCode == ScanEsc) return GameState.racing || !isShopPage(GameState.screen);
    return scanCode == ScanEnter && !GameState.racing && GameState.screen == ScreenCredits;
}

void feedKey(int scanCode, int down) {
    if (down && leavesGame(scanCode)) {
        W.ended = 1;
        return;
    }
    InputEvent e;
    makeKeyEvent(scanCode, germanCharacterOf(scanCode), down, &e);
    if (e.type == KeyDown) onKeyDown(&e);
}

void feed(const ReplayCommand& c) {
    switch (c.type) {
    case ReplayTime: W.seed = uint32_t(c.value); break;
    case ReplayMode: fillDamageTable(W.seed); break;  // a window switch fills the table again
    case ReplayPress: feedKey(int(c.value), 1); break;
    case ReplayRelease: feedKey(int(c.value), 0); break;
    case ReplayTap:
        feedKey(int(c.value), 1);
        feedKey(int(c.value), 0);
        break;
    case ReplayCloseYes: W.ended = 1; break;
    default: break;
    }
}

// What drawing a frame changes in the game, without the pictures.
void settleWithoutDrawing() {
    checkRunOutcome();
    if (GameState.racing) {
        advanceWindow();
        checkRaceEnd();
    }
}

void step(bool draw) {
    if (W.ended) return;
    const int k = W.next / W.interval;
    if (W.next % W.interval == 0 && k < CheckpointCapacity && !W.marks[k].saved) {
        saveCheckpoint(&Points[k]);
        W.marks[k] = Mark{1, W.command, W.seed};
    }
    const std::vector<ReplayCommand>& commands = W.script.commands;
    while (W.command < commands.size() && commands[W.command].iteration == W.next) feed(commands[W.command++]);
    gameLogic();
    if (draw)
        drawFrameUnshown();
    else
        settleWithoutDrawing();
    ++W.next;
    if (W.next > W.script.lastIteration) W.ended = 1;
}

// Shows the frame of demo iteration `frame`: from the nearest kept state at or before it.
void jumpTo(int frame) {
    if (frame < 0) frame = 0;
    if (frame > W.script.lastIteration) frame = W.script.lastIteration;
    int k = frame / W.interval;
    if (k >= CheckpointCapacity) k = CheckpointCapacity - 1;
    while (k > 0 && !W.marks[k].saved) --k;
    const bool forwardFromHere = W.next <= frame && !W.ended && W.next > k * W.interval;
    if (!forwardFromHere) {
        restoreCheckpoint(Points[k]);
        W.next = k * W.interval;
        W.command = W.marks[k].command;
        W.seed = W.marks[k].seed;
        W.ended = 0;
    }
    while (W.next < frame && !W.ended) step(false);
    step(true);
}

int shownFrame() { return W.next - 1; }

void endWatching() {
    if (!W.on) return;
    W.on = 0;
    restoreCheckpoint(Before);
    setLogicCallback(gameLogic);
    holdKeyStateTable(0);
    pauseDemoRecorder(0);
    W.script.commands.clear();
}

void watchLogic() {
    if (!W.on) {
        gameLogic();
        return;
    }
    watchAdvance();
}

void onScreenKey(int scanCode) { watchKey(scanCode); }

void onScreenClose() { endWatching(); }

void drawWatching(DisplayContext* page) {
    drawWatchOverlay(page, WatchLine{RideClock.iterations, W.paused ? "paused" : SpeedNames[W.speed], W.paused,
                                     W.ended, W.anyKeyLeaves});
}

const OwnScreen WatchScreen = {nullptr, onScreenKey, drawWatching, onScreenClose};

}  // namespace

void watchAdvance() {
    if (W.paused || W.ended) {
        if (W.ended && W.onEnd) W.onEnd();
        return;
    }
    W.quarters += SpeedQuarters[W.speed];
    const int steps = W.quarters / 4;
    W.quarters %= 4;
    for (int s = 0; s < steps && !W.ended; ++s) step(s == steps - 1);
}

void watchKey(int scanCode) {
    if (W.anyKeyLeaves) {
        closeOwnScreen();
        endWatching();
        return;
    }
    switch (scanCode) {
    case ScanEsc: closeOwnScreen(); break;
    case ScanSpace: W.paused = !W.paused; break;
    case ScanUp: W.speed = W.speed + 1 < SpeedCount ? W.speed + 1 : W.speed; break;
    case ScanDown: W.speed = W.speed > 0 ? W.speed - 1 : 0; break;
    case ScanRight:
        if (W.paused) step(true);
        break;
    case ScanLeft:
        if (W.paused) jumpTo(shownFrame() - 1);
        break;
    case ScanPageUp: jumpTo(shownFrame() - JumpIterations); break;
    case ScanPageDown: jumpTo(shownFrame() + JumpIterations); break;
    case ScanHome: jumpTo(0); break;
    default: break;
    }
}

int watchedFrame() { return shownFrame(); }

int playDemoWithoutPictures(const ReplayScript& script, int maxIterations, DemoRunWatch* run) {
    if (W.on) stopWatchingDemo();
    W.script = script;
    W.seed = 0;
    for (const ReplayCommand& c : W.script.commands)
        if (c.iteration == 0 && c.type == ReplayTime) W.seed = uint32_t(c.value);
    resetGameToStart(W.seed);
    W.next = 0;
    W.command = 0;
    W.ended = W.script.commands.empty();
    W.interval = 1 << 30;
    std::memset(W.marks, 0, sizeof W.marks);
    W.marks[0].saved = 1;  // no checkpoints kept
    while (!W.ended && W.next < maxIterations) {
        step(false);
        if (run && watchDemoRun(run, W.next - 1)) break;
    }
    const int played = W.next;
    W.script.commands.clear();
    return played;
}

void installDemoWatching() { registerOwnScreen(OwnScreenDemo, &WatchScreen); }

void setDemoEndHandler(void (*onEnd)()) { W.onEnd = onEnd; }

bool watchingDemo() { return W.on != 0; }

void stopWatchingDemo() {
    if (W.on && currentOwnScreen() == OwnScreenDemo) closeOwnScreen();
    endWatching();
}

bool watchDemoFile(const char* path, int anyKeyLeaves) {
    if (W.on) stopWatchingDemo();
    std::string error;
    if (!readDemoFile(path, &W.header, &W.script, &error)) {
        std::fprintf(stderr, "tumblegrade: cannot play the demo %s: %s\n", path, error.c_str());
        return false;
    }
    char course[CoursePathCapacity];
    if (!findCourseByHash(W.header.courseHash, course, sizeof course)) {
        std::fprintf(stderr, "tumblegrade: the demo %s rides the course %s, which is not here\n", path,
                     W.header.course[0] ? W.header.course : "(no name)");
        W.script.commands.clear();
        return false;
    }
    saveCheckpoint(&Before);
    pauseDemoRecorder(1);
    holdKeyStateTable(1);
    W.seed = 0;
    for (const ReplayCommand& c : W.script.commands)
        if (c.iteration == 0 && c.type == ReplayTime) W.seed = uint32_t(c.value);
    chooseCourseFile(course);
    resetGameToStart(W.seed);
    W.on = 1;
    W.anyKeyLeaves = anyKeyLeaves;
    W.next = 0;
    W.command = 0;
    W.ended = 0;
    W.paused = 0;
    W.speed = NormalSpeed;
    W.quarters = 0;
    const int length = W.script.lastIteration + 1;
    W.interval = CheckpointInterval;
    while (length / W.interval >= CheckpointCapacity) W.interval *= 2;
    std::memset(W.marks, 0, sizeof W.marks);
    setLogicCallback(watchLogic);
    openOwnScreen(OwnScreenDemo);
    return true;
}
