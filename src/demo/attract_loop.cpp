#include "demo/attract_loop.h"

#include <dirent.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/game_state.h"
#include "demo/demo_store.h"
#include "demo/demo_watch.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "menus/top_screens.h"

namespace {

constexpr int IdleIterations = 30 * 60;
constexpr int ShippedCapacity = 16;
constexpr char ShippedFolder[] = "demos";

struct Attract {
    int idle;
    int playing;
    int next;  // the shipped demo to play next
    int count;
    char files[ShippedCapacity][256];
};

Attract AttractLoop;

// The data folder's demos, in name order (read once, as the loop first starts).
void listShippedDemos() {
    AttractLoop.count = 0;
    DIR* dir = opendir(ShippedFolder);
    if (!dir) return;
    while (const dirent* e = readdir(dir)) {
        const size_t length = std::strlen(e->d_name);
        if (length <= 7 || length + sizeof ShippedFolder + 1 > sizeof AttractLoop.files[0] ||
            std::strcmp(e->d_name + length - 7, DemoExtension) != 0 || AttractLoop.count == ShippedCapacity)
            continue;
        std::snprintf(AttractLoop.files[AttractLoop.count++], sizeof AttractLoop.files[0], "%s/%s", ShippedFolder, e->d_name);
    }
    closedir(dir);
    std::qsort(AttractLoop.files, size_t(AttractLoop.count), sizeof AttractLoop.files[0],
               [](const void* a, const void* b) { return std::strcmp(static_cast<const char*>(a), static_cast<const char*>(b)); });
}

void playNext();

void onDemoEnd() { playNext(); }

void playNext() {
    for (int tried = 0; tried < AttractLoop.count; ++tried) {
        const char* file = AttractLoop.files[AttractLoop.next];
        AttractLoop.next = (AttractLoop.next + 1) % AttractLoop.count;
        if (watchDemoFile(file, 1)) {
            setDemoEndHandler(onDemoEnd);
            AttractLoop.playing = 1;
            return;
        }
    }
    stopWatchingDemo();
    AttractLoop.playing = 0;
    AttractLoop.count = 0;  // none plays: the intro stays
}

bool onQuietIntro() {
    return !GameState.racing && GameState.screen == ScreenIntro && currentTopScreen() == TopScreenNone;
}

}  // namespace

void attractIteration() {
    if (AttractLoop.playing) {
        if (watchingDemo()) return;
        AttractLoop.playing = 0;  // a key ended it: the intro again
        AttractLoop.idle = 0;
        setDemoEndHandler(nullptr);
        return;
    }
    if (watchingDemo() || !onQuietIntro()) {
        AttractLoop.idle = 0;
        return;
    }
    if (++AttractLoop.idle < IdleIterations) return;
    AttractLoop.idle = 0;
    if (AttractLoop.count == 0) listShippedDemos();
    if (AttractLoop.count > 0) playNext();
}

void installAttractLoop() {
    AttractLoop = Attract{};
    AttractLoop.count = 0;
}

void attractNoteKey() { AttractLoop.idle = 0; }

bool attractLoopPlaying() { return AttractLoop.playing != 0; }
