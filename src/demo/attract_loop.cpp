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
#include "menus/own_screens.h"

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

Attract A;

// The data folder's demos, in name order (read once, as the loop first starts).
void listShippedDemos() {
    A.count = 0;
    DIR* dir = opendir(ShippedFolder);
    if (!dir) return;
    while (const dirent* e = readdir(dir)) {
        const size_t length = std::strlen(e->d_name);
        if (length <= 7 || length + sizeof ShippedFolder + 1 > sizeof A.files[0] ||
            std::strcmp(e->d_name + length - 7, DemoExtension) != 0 || A.count == ShippedCapacity)
            continue;
        std::snprintf(A.files[A.count++], sizeof A.files[0], "%s/%s", ShippedFolder, e->d_name);
    }
    closedir(dir);
    std::qsort(A.files, size_t(A.count), sizeof A.files[0],
               [](const void* a, const void* b) { return std::strcmp(static_cast<const char*>(a), static_cast<const char*>(b)); });
}

void playNext();

void onDemoEnd() { playNext(); }

void playNext() {
    for (int tried = 0; tried < A.count; ++tried) {
        const char* file = A.files[A.next];
        A.next = (A.next + 1) % A.count;
        if (watchDemoFile(file, 1)) {
            setDemoEndHandler(onDemoEnd);
            A.playing = 1;
            return;
        }
    }
    stopWatchingDemo();
    A.playing = 0;
    A.count = 0;  // none plays: the intro stays
}

bool onQuietIntro() {
    return !GameState.racing && GameState.screen == ScreenIntro && currentOwnScreen() == OwnScreenNone;
}

}  // namespace

void attractIteration() {
    if (A.playing) {
        if (watchingDemo()) return;
        A.playing = 0;  // a key ended it: the intro again
        A.idle = 0;
        setDemoEndHandler(nullptr);
        return;
    }
    if (watchingDemo() || !onQuietIntro()) {
        A.idle = 0;
        return;
    }
    if (++A.idle < IdleIterations) return;
    A.idle = 0;
    if (A.count == 0) listShippedDemos();
    if (A.count > 0) playNext();
}

void installAttractLoop() {
    A = Attract{};
    A.count = 0;
}

void attractNoteKey() { A.idle = 0; }

bool attractLoopPlaying() { return A.playing != 0; }
