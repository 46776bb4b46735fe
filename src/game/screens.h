// The full-screen screens outside a run, the draw callback and the key-down callback.
#pragma once

#include <cstdint>

#include "base/scan_codes.h"

struct InputEvent;

// The value of GameState.screen.
enum ScreenId {
    ScreenIntro = 0,
    ScreenMainMenu = 1,
    ScreenNameEntry = 2,
    ScreenFrames = 3,      // shop pages 3 to 6
    ScreenForks = 7,       // 7 to 11
    ScreenBrakes = 12,     // 12 to 15
    ScreenComponents = 16, // 16 to 18
    ScreenProtectors = 19, // 19 helmet, 20 gloves, 21 body armour, 22 trousers
    ScreenInjury = 23,
    ScreenDefect = 24,
    ScreenCrash = 25,
    ScreenCredits = 26,
    ScreenFinish = 27,
    ScreenCount = 28,
};

// The draw callback: the frame advanced (advanceFrame), drawn (drawFrameView), then the
// page is shown.
void drawFrame();
// The same without showing the page, for what is drawn over it before it is shown.
void drawFrameUnshown();
// What a frame changes in the game, drawn or not: the run's outcome flags turned into its
// end, then during a ride the window moved on and the finish checked. Returns what the
// frame shows: 1 the ride (even when it ended in this frame), 0 the screen.
int advanceFrame();
// Draws a frame advanceFrame has moved: the depth buffer reset, the ride's view or the
// menu screen.
void drawFrameView(int showsRide);
// The key-down callback.
void onKeyDown(InputEvent* event);

// Turns the flags of an off-track event into the end of the run and its screen.
void checkRunOutcome();
// Draws the current menu screen into the drawing page (picture, palette, texts).
void drawMenuScreen();
// The picture of a screen; outcome and finish pictures by the damage table. Null for
// a value that is no screen.
const char* screenPicture(int32_t screen);
// The letter (a Latin-1 byte) that a key appends to the name on the name-entry
// screen, or 0 for a key that types nothing.
int nameEntryLetter(int scanCode);

void startRace();
void leaveGame();
