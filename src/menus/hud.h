// What is drawn over the game's pages for the clock: during a ride the running time
// and, for a few seconds after each gate line, the split against the best run of the
// course (green ahead, red behind, or the colour-safe pair; the sign says it too); on the finish screen the time, the par and whether
// it is a new personal best. In the game's font, in the colours of the palette shown.
#pragma once

#include "display/display.h"

// A split stays on screen this many ride iterations (three seconds).
constexpr int SplitShownIterations = 180;

struct HudState {
    int shown;   // the ride display is on (Tab)
    Font* font;  // loaded on first use, kept
    int fontTried;
    int rideAgainKey;  // the finish screen names F5 (the window game)
    DisplayContext* large;  // where a line is drawn before it goes on the page twice as large
};

extern HudState Hud;

// The overlay (menus/top_screens.h addPageOverlay): the ride display during a ride,
// the finish lines on the finish picture, the F5 hint on the outcome pictures.
void drawClockOverlay(DisplayContext* page);
void drawRideHud(DisplayContext* page);
void drawFinishLines(DisplayContext* page);
// Tab during a ride.
void toggleRideHud();
// Shown again, the font let go (tests, shutdown).
void resetHud();
