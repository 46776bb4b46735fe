// Screens of our own beside the game's: the course screen, the best times, the options,
// a demo being watched. While one is open it has the keys and the page to itself; the
// game underneath keeps its state and its screen and goes on when it closes.
// It also gives the keys the game leaves without meaning their new functions (F2 on the
// main menu, F5 on the outcome screens, Tab during a ride, ...).
#pragma once

#include "display/display.h"

struct InputEvent;

enum OwnScreenId {
    OwnScreenNone = 0,
    OwnScreenCourses,
    OwnScreenBestTimes,
    OwnScreenOptions,
    OwnScreenDemo,
    OwnScreenCount,
};

// What an own screen does. Every slot may be null.
struct OwnScreen {
    void (*open)();                      // on opening (read what it shows)
    void (*key)(int scanCode);           // a key went down while it is open
    void (*draw)(DisplayContext* page);  // draws the whole page, palette included
    void (*close)();                     // on closing
};

void registerOwnScreen(OwnScreenId id, const OwnScreen* screen);
void openOwnScreen(OwnScreenId id);
// Back to the screen underneath (the game's, or the own screen it was opened from).
void closeOwnScreen();
OwnScreenId currentOwnScreen();

// Where a new key acts: a specified screen (ScreenId) or the ride.
constexpr int DuringRide = -1;
// A key the game leaves without meaning on `where` gets `action`. At most a few dozen.
void registerExtraKey(int where, int scanCode, void (*action)());

// Drawn over every page just before it is shown (the on-screen time, a demo's speed), in
// the order added. At most four.
void addPageOverlay(void (*overlay)(DisplayContext* page));
// The same, drawn before every overlay added so far (a ghost under the on-screen time).
void addPageOverlayUnder(void (*overlay)(DisplayContext* page));

// The callbacks the game runs with when own screens are on: own screen, extra keys,
// then the game's own onKeyDown and drawFrame. An own screen never hears the Enter of
// Alt+Enter (the window switch); the game's screens do, as the game always has.
void ownScreensKeyDown(InputEvent* event);
void ownScreensDrawFrame();

// The key-up callback with own screens on: only the watcher below hears it.
void ownScreensKeyUp(InputEvent* event);
// Hears every key that reached the game's own key handling (after it acted; down = 1),
// every key let go (down = 0), and the keys taken, after they acted, by an own screen or
// by a new function (down = KeyTakenBy...): the demo recorder. Null stops it.
constexpr int KeyTakenByOwnScreen = 2;
constexpr int KeyTakenByNewFunction = 3;
void setGameKeyWatcher(void (*watcher)(int scanCode, int down));

// Everything back to nothing registered (tests).
void resetOwnScreens();
