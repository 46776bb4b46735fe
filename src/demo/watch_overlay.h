// What is drawn over a demo being watched: the demo's time and speed in a panel at the
// top right and the watching keys on caps in a band at the bottom; in the attract loop
// instead a panel that says it is a demo and that any key ends it.
#pragma once

#include "display/display.h"

struct WatchLine {
    int iterations;     // of the watched ride's clock
    const char* speed;  // "1x", "paused", ...
    int paused;
    int ended;
    int attract;        // played by the attract loop: any key leaves
};

void drawWatchOverlay(DisplayContext* page, const WatchLine& line);
