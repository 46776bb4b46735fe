#include "demo/demo_watch.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/game_state.h"
#include "base/scan_codes.h"
#include "demo/demo_course.h"
#include "demo/demo_file.h"
#include "demo/demo_playback.h"
#include "demo/game_checkpoint.h"
#include "demo/watch_overlay.h"
#include "display/display.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "menus/top_screens.h"
#include "race/ride.h"
#include "race/ride_clock.h"

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
    DemoFeed feed;
    int paused;
    int speed;
    int quarters;  // quarter steps owed at slow speeds
    int interval;
    Mark marks[CheckpointCapacity];
    void (*onEnd)();
    int anyKeyLeaves;
};

Watch Watched;
GameCheckpoint WatchCheckpoints[CheckpointCapacity];
GameCheckpoint GameBeforeWatching;  // the game as it was before watching

void step(bool draw) {
    if (Watched.feed.ended) return;
    const int k = Watched.feed.next / Watched.interval;
    if (Watched.feed.next % Watched.interval == 0 && k < CheckpointCapacity && !Watched.marks[k].saved) {
        saveCheckpoint(&WatchCheckpoints[k]);
        Watched.marks[k] = Mark{1, Watched.feed.command, Watched.feed.seed};
    }
    const int showsRide = playDemoIteration(&Watched.feed);
    if (draw) drawFrameView(showsRide);
}

// Shows the frame of demo iteration `frame`: from the nearest kept state at or before it.
void jumpTo(int frame) {
    if (frame < 0) frame = 0;
    if (frame > Watched.script.lastIteration) frame = Watched.script.lastIteration;
    int k = frame / Watched.interval;
    if (k >= CheckpointCapacity) k = CheckpointCapacity - 1;
    while (k > 0 && !Watched.marks[k].saved) --k;
    const bool forwardFromHere = Watched.feed.next <= frame && !Watched.feed.ended && Watched.feed.next > k * Watched.interval;
    if (!forwardFromHere) {
        restoreCheckpoint(WatchCheckpoints[k]);
        Watched.feed.next = k * Watched.interval;
        Watched.feed.command = Watched.marks[k].command;
        Watched.feed.seed = Watched.marks[k].seed;
        Watched.feed.ended = 0;
        Watched.feed.left = 0;
    }
    while (Watched.feed.next < frame && !Watched.feed.ended) step(false);
    step(true);
}

int shownFrame() { return Watched.feed.next - 1; }

void endWatching() {
    if (!Watched.on) return;
    Watched.on = 0;
    restoreCheckpoint(GameBeforeWatching);
    setLogicCallback(gameLogic);
    holdKeyStateTable(0);
    Watched.script.commands.clear();
}

void watchLogic() {
    if (!Watched.on) {
        gameLogic();
        return;
    }
    watchAdvance();
}

void onScreenKey(int scanCode) { watchKey(scanCode); }

void onScreenClose() { endWatching(); }

void drawWatching(DisplayContext* page) {
    drawWatchOverlay(page, WatchLine{RideClock.iterations, Watched.paused ? "paused" : SpeedNames[Watched.speed],
                                     Watched.paused, Watched.feed.ended, Watched.anyKeyLeaves});
}

const TopScreen WatchScreen = {nullptr, onScreenKey, drawWatching, onScreenClose};

}  // namespace

void watchAdvance() {
    if (Watched.paused || Watched.feed.ended) {
        if (Watched.feed.ended && Watched.onEnd) Watched.onEnd();
        return;
    }
    Watched.quarters += SpeedQuarters[Watched.speed];
    const int steps = Watched.quarters / 4;
    Watched.quarters %= 4;
    for (int s = 0; s < steps && !Watched.feed.ended; ++s) step(s == steps - 1);
}

void watchKey(int scanCode) {
    if (Watched.anyKeyLeaves) {
        closeTopScreen();
        endWatching();
        return;
    }
    switch (scanCode) {
    case ScanEsc: closeTopScreen(); break;
    case ScanSpace: Watched.paused = !Watched.paused; break;
    case ScanUp: Watched.speed = Watched.speed + 1 < SpeedCount ? Watched.speed + 1 : Watched.speed; break;
    case ScanDown: Watched.speed = Watched.speed > 0 ? Watched.speed - 1 : 0; break;
    case ScanRight:
        if (Watched.paused) step(true);
        break;
    case ScanLeft:
        if (Watched.paused) jumpTo(shownFrame() - 1);
        break;
    case ScanPageUp: jumpTo(shownFrame() - JumpIterations); break;
    case ScanPageDown: jumpTo(shownFrame() + JumpIterations); break;
    case ScanHome: jumpTo(0); break;
    default: break;
    }
}

int watchedFrame() { return shownFrame(); }

void installDemoWatching() { registerTopScreen(TopScreenDemo, &WatchScreen); }

void setDemoEndHandler(void (*onEnd)()) { Watched.onEnd = onEnd; }

bool watchingDemo() { return Watched.on != 0; }

void stopWatchingDemo() {
    if (Watched.on && currentTopScreen() == TopScreenDemo) closeTopScreen();
    endWatching();
}

bool watchDemoFile(const char* path, int anyKeyLeaves) {
    if (Watched.on) stopWatchingDemo();
    std::string error;
    if (!readDemoFile(path, &Watched.header, &Watched.script, &error)) {
        std::fprintf(stderr, "tumblegrade: cannot play the demo %s: %s\n", path, error.c_str());
        return false;
    }
    char course[CoursePathCapacity];
    if (!findDemoCourse(Watched.header.course, Watched.header.courseHash, course, sizeof course)) {
        std::fprintf(stderr, "tumblegrade: the demo %s rides the course %s, which is not here\n", path,
                     Watched.header.course[0] ? Watched.header.course : "(no name)");
        Watched.script.commands.clear();
        return false;
    }
    saveCheckpoint(&GameBeforeWatching);
    holdKeyStateTable(1);
    chooseCourseFile(course);
    startDemoFeed(&Watched.feed, Watched.script);
    Watched.feed.ended = 0;
    Watched.on = 1;
    Watched.anyKeyLeaves = anyKeyLeaves;
    Watched.paused = 0;
    Watched.speed = NormalSpeed;
    Watched.quarters = 0;
    const int length = Watched.script.lastIteration + 1;
    Watched.interval = CheckpointInterval;
    while (length / Watched.interval >= CheckpointCapacity) Watched.interval *= 2;
    std::memset(Watched.marks, 0, sizeof Watched.marks);
    setLogicCallback(watchLogic);
    openTopScreen(TopScreenDemo);
    return true;
}
