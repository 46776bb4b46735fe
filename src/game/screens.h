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

// The draw callback: outcome check, depth-buffer reset, race view or menu screen,
// then the page is shown.
void drawFrame();
// The same without showing the page, for what is drawn over it before it is shown.
void drawFrameUnshown();
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
