#include "demo/install_demos.h"

#include <cstdio>

#include "demo/attract_loop.h"
#include "demo/demo_recorder.h"
#include "demo/demo_store.h"
#include "demo/demo_watch.h"
#include "demo/ghost_view.h"
#include "base/scan_codes.h"
#include "menus/best_times_screen.h"
#include "menus/own_screens.h"
#include "menus/run_watch.h"
#include "framework/framework.h"

namespace {

char StartDemo[DemoPathCapacity];

void openStartDemo() {
    if (!StartDemo[0]) return;
    watchDemoFile(StartDemo);
    StartDemo[0] = 0;
}

// The live run's ghost; a demo being watched has none.
void drawLiveGhost(DisplayContext* page) {
    if (!watchingDemo()) drawGhost(page);
}

// The best-times screen's Enter. Watching holds the key-state table, so Enter's release
// would be lost and the game would find Enter still down after the watching: it is let
// go in the table first.
bool watchChosenRun(const char* path) {
    InputEvent release;
    makeKeyEvent(ScanEnter, 0, 0, &release);
    return watchDemoFile(path);
}

// Every main-loop iteration: the recorder, a demo asked for on the command line, the
// attract loop (one observer for all of them).
void demosIteration() {
    demoRecorderIteration();
    openStartDemo();
    attractIteration();
}

}  // namespace

void watchDemoAtStart(const char* path) { std::snprintf(StartDemo, sizeof StartDemo, "%s", path ? path : ""); }

void installDemos() {
    startDemoRecorder();
    installDemoWatching();
    addIterationObserver(demosIteration);
    registerExtraKey(DuringRide, ScanF7, toggleGhost);
    addPageOverlayUnder(drawLiveGhost);
    installAttractLoop();
    setFinishDemoSource(demoOfFinishedRun);
    setBestTimesDemoPlayer(watchChosenRun);
}
