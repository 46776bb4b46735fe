// The top screens: screens of our own shown over the game's (the course screen, the
// best times, the options, a demo being watched). While one is open it has the keys and
// the page to itself; the game underneath keeps its state and its screen and goes on
// when it closes. Also the free keys, the keys the game leaves without meaning, bound to
// actions (F2 on the main menu, F5 on the outcome screens, Tab during a ride, ...), and
// what is drawn over a page before it is shown.
#pragma once

#include "display/display.h"

struct InputEvent;

enum TopScreenId {
    TopScreenNone = 0,
    TopScreenCourses,
    TopScreenBestTimes,
    TopScreenOptions,
    TopScreenDemo,
    TopScreenEditor,
    TopScreenCount,
};

// What a top screen does. Every slot may be null.
struct TopScreen {
    void (*open)();                      // on opening (read what it shows)
    void (*key)(int scanCode);           // a key went down while it is open
    void (*draw)(DisplayContext* page);  // draws the whole page, palette included
    void (*close)();                     // on closing
};

void registerTopScreen(TopScreenId id, const TopScreen* screen);
void openTopScreen(TopScreenId id);
// Back to the screen underneath (the game's, or the top screen it was opened from).
void closeTopScreen();
TopScreenId currentTopScreen();
// The modifiers held with the key a top screen's key slot hears now (the InputEvent's
// bits: either shift, ctrl, alt).
constexpr unsigned TopKeyShift = 0x18, TopKeyCtrl = 0x20, TopKeyAlt = 0x40;
unsigned topScreenKeyModifiers();

// Where a free key acts: a specified screen (ScreenId) or the ride.
constexpr int DuringRide = -1;
// A key the game leaves without meaning on `where` gets `action`. At most a few dozen.
void bindFreeKey(int where, int scanCode, void (*action)());

// Drawn over every page just before it is shown (the on-screen time, a demo's speed), in
// the order added. At most four.
void addPageOverlay(void (*overlay)(DisplayContext* page));
// The same, drawn before every overlay added so far (a ghost under the on-screen time).
void addPageOverlayUnder(void (*overlay)(DisplayContext* page));

// The callbacks the game runs with when top screens are on: the top screen shown, the
// free keys, then the game's own onKeyDown and drawFrame. A top screen never hears the
// Enter of Alt+Enter (the window switch); the game's screens do, as the game always has.
void topScreensKeyDown(InputEvent* event);
void topScreensDrawFrame();

// The key-up callback with top screens on: only the watcher below hears it.
void topScreensKeyUp(InputEvent* event);
// Hears every key that reached the game's own key handling (after it acted; down = 1),
// every key let go (down = 0), and the keys taken, after they acted, by a top screen or
// a free key (down = KeyTakenBy...): the demos (installDemos). Null stops it.
constexpr int KeyTakenByTopScreen = 2;
constexpr int KeyTakenByFreeKey = 3;
void setGameKeyWatcher(void (*watcher)(int scanCode, int down));

// Everything back to nothing registered (tests).
void resetTopScreens();
