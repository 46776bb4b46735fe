#include "demo/install_demos.h"

#include <cstdio>

#include "base/scan_codes.h"
#include "demo/attract_loop.h"
#include "demo/demo_recorder.h"
#include "demo/demo_store.h"
#include "demo/demo_watch.h"
#include "demo/ghost_view.h"
#include "demo/run_finish.h"
#include "demo/world_ghost.h"
#include "framework/framework.h"
#include "menus/best_times_screen.h"
#include "menus/top_screens.h"
#include "menus/run_watch.h"
#include "menus/world_board_view.h"

namespace {

// What the demos' wiring remembers: the demo asked for on the command line, and what the
// recorder was last told about watching, with the keys let go while watching.
struct DemoWiring {
    char startDemo[DemoPathCapacity];
    int watching;
    uint8_t letGoWhileWatching[ScanCodeCount];
};

DemoWiring DemosWiring;

// Watching keeps the key-state table as it was and puts it back at the end: a key let go
// meanwhile would stay down for the game. It is let go in the table here.
void letGoKeysReleasedWhileWatching() {
    for (int scanCode = 1; scanCode < ScanCodeCount; ++scanCode) {
        if (!DemosWiring.letGoWhileWatching[scanCode]) continue;
        DemosWiring.letGoWhileWatching[scanCode] = 0;
        InputEvent release;
        if (isKeyDown(scanCode)) makeKeyEvent(scanCode, 0, 0, &release);
    }
}

// The recorder hears nothing while a demo is watched; watching started or stopped since
// it was last told, it is told now.
void tellRecorderOfWatching() {
    const int watching = watchingDemo() ? 1 : 0;
    if (watching == DemosWiring.watching) return;
    DemosWiring.watching = watching;
    if (!watching) letGoKeysReleasedWhileWatching();
    pauseDemoRecorder(watching);
}

// Every key that reached the game or a screen of our own, and every key let go.
void onGameKey(int scanCode, int down) {
    tellRecorderOfWatching();
    if (DemosWiring.watching && scanCode > 0 && scanCode < ScanCodeCount) DemosWiring.letGoWhileWatching[scanCode] = down == 0;
    attractNoteKey();
    demoRecorderKey(scanCode, down);
}

void openStartDemo() {
    if (!DemosWiring.startDemo[0]) return;
    watchDemoFile(DemosWiring.startDemo);
    DemosWiring.startDemo[0] = 0;
}

// The live run's ghost; a demo being watched has none.
void drawLiveGhost(DisplayContext* page) {
    if (!watchingDemo()) drawGhost(page);
}

bool watchChosenRun(const char* path) { return watchDemoFile(path); }

// Every main-loop iteration, after the run watch: the recorder, a finished run's demo
// and the run kept, a demo asked for on the command line, the attract loop.
void demosIteration() {
    tellRecorderOfWatching();
    demoRecorderIteration();
    finishRunWithDemo();
    openStartDemo();
    attractIteration();
    tellRecorderOfWatching();
}

}  // namespace

void watchDemoAtStart(const char* path) {
    std::snprintf(DemosWiring.startDemo, sizeof DemosWiring.startDemo, "%s", path ? path : "");
}

void installDemos() {
    DemosWiring.watching = 0;
    startDemoRecorder();
    setGameKeyWatcher(onGameKey);
    installDemoWatching();
    setRunWatchFollower(demosIteration);
    bindFreeKey(DuringRide, ScanF7, toggleGhost);
    addPageOverlayUnder(drawLiveGhost);
    installAttractLoop();
    setBestTimesDemoPlayer(watchChosenRun);
    setWorldGhostHooks(chooseWorldGhost, dropWorldGhost);
}
