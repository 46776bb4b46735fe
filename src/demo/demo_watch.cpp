#include "demo/demo_watch.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/game_state.h"
#include "base/scan_codes.h"
#include "demo/demo_course.h"
#include "demo/demo_file.h"
#include "demo/demo_playback.h"
#include "demo/demo_recorder.h"
#include "demo/game_checkpoint.h"
#include "display/display.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "menus/own_screens.h"
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
const char WatchFont[] = "Cour20b.fnt";

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
    Font* font;
    void (*onEnd)();
    int anyKeyLeaves;
};

Watch W;
GameCheckpoint Points[CheckpointCapacity];
GameCheckpoint Before;  // the game as it was before watching

void step(bool draw) {
    if (W.feed.ended) return;
    const int k = W.feed.next / W.interval;
    if (W.feed.next % W.interval == 0 && k < CheckpointCapacity && !W.marks[k].saved) {
        saveCheckpoint(&Points[k]);
        W.marks[k] = Mark{1, W.feed.command, W.feed.seed};
    }
    const int showsRide = playDemoIteration(&W.feed);
    if (draw) drawFrameView(showsRide);
}

// Shows the frame of demo iteration `frame`: from the nearest kept state at or before it.
void jumpTo(int frame) {
    if (frame < 0) frame = 0;
    if (frame > W.script.lastIteration) frame = W.script.lastIteration;
    int k = frame / W.interval;
    if (k >= CheckpointCapacity) k = CheckpointCapacity - 1;
    while (k > 0 && !W.marks[k].saved) --k;
    const bool forwardFromHere = W.feed.next <= frame && !W.feed.ended && W.feed.next > k * W.interval;
    if (!forwardFromHere) {
        restoreCheckpoint(Points[k]);
        W.feed.next = k * W.interval;
        W.feed.command = W.marks[k].command;
        W.feed.seed = W.marks[k].seed;
        W.feed.ended = 0;
        W.feed.left = 0;
    }
    while (W.feed.next < frame && !W.feed.ended) step(false);
    step(true);
}

int shownFrame() { return W.feed.next - 1; }

void endWatching() {
    if (!W.on) return;
    W.on = 0;
    restoreCheckpoint(Before);
    setLogicCallback(gameLogic);
    holdKeyStateTable(0);
    pauseDemoRecorder(0);
    if (W.font) unloadFont(W.font);
    W.font = nullptr;
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

// The watching line sits top right: the ride's own time display is top left.
constexpr int BoxWidth = 300, BoxHeight = 26;

void fillBox(DisplayContext* page) {
    const int black = nearestPaletteIndex(page->palette, 0, 0, 0);
    const int left = page->width > BoxWidth ? page->width - BoxWidth : 0;
    for (int y = 0; y < BoxHeight && y < page->height; ++y)
        std::memset(page->pixels + y * page->width + left, black, size_t(page->width - left));
}

void drawWatching(DisplayContext* page) {
    if (!W.font) return;
    const int hundredths = RideClock.iterations * 100 / 60;
    char text[96];
    std::snprintf(text, sizeof text, "%d:%02d.%02d  %s%s", hundredths / 6000, hundredths / 100 % 60, hundredths % 100,
                  W.paused ? "paused" : SpeedNames[W.speed], W.feed.ended ? "  end" : "");
    fillBox(page);
    useFont(W.font);
    setColorRGB(255, 255, 255);
    drawText(page->width - BoxWidth + 6, 2, text);
}

const OwnScreen WatchScreen = {nullptr, onScreenKey, drawWatching, onScreenClose};

}  // namespace

void watchAdvance() {
    if (W.paused || W.feed.ended) {
        if (W.feed.ended && W.onEnd) W.onEnd();
        return;
    }
    W.quarters += SpeedQuarters[W.speed];
    const int steps = W.quarters / 4;
    W.quarters %= 4;
    for (int s = 0; s < steps && !W.feed.ended; ++s) step(s == steps - 1);
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
    chooseCourseFile(course);
    startDemoFeed(&W.feed, W.script);
    W.feed.ended = 0;
    W.on = 1;
    W.anyKeyLeaves = anyKeyLeaves;
    W.paused = 0;
    W.speed = NormalSpeed;
    W.quarters = 0;
    const int length = W.script.lastIteration + 1;
    W.interval = CheckpointInterval;
    while (length / W.interval >= CheckpointCapacity) W.interval *= 2;
    std::memset(W.marks, 0, sizeof W.marks);
    W.font = loadFont(WatchFont);
    setLogicCallback(watchLogic);
    openOwnScreen(OwnScreenDemo);
    return true;
}
