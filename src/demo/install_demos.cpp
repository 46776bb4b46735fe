#include "demo/install_demos.h"

#include <cstdio>

#include "demo/demo_recorder.h"
#include "demo/demo_store.h"
#include "demo/demo_watch.h"
#include "framework/framework.h"

namespace {

char StartDemo[DemoPathCapacity];

void openStartDemo() {
    if (!StartDemo[0]) return;
    watchDemoFile(StartDemo);
    StartDemo[0] = 0;
}

}  // namespace

void watchDemoAtStart(const char* path) { std::snprintf(StartDemo, sizeof StartDemo, "%s", path ? path : ""); }

void installDemos() {
    startDemoRecorder();
    installDemoWatching();
    addIterationObserver(openStartDemo);
}
