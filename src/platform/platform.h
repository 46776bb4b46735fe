// What the framework needs of the platform: a window or full-screen display that shows
// the 8-bit page, the window's messages, message boxes, the clock. Two back-ends
// implement it: the SDL2 window (the game) and the headless one (tests and replays).
#pragma once

#include <cstdint>

#include "display/display.h"

enum PlatformMessageType {
    MsgNone = 0,
    MsgKeyDown,          // key pressed (no Alt held)
    MsgKeyUp,
    MsgSysKeyDown,       // key pressed while Alt is held, or Alt itself
    MsgSysKeyUp,
    MsgClose,            // the window's close button
    MsgDestroy,          // the window is gone
    MsgModeCommand,      // switch window <-> full screen; code 1 toggle, 2 back to the window
    MsgMaximise,         // the maximise button
    MsgActivate,         // code: 0 inactive, 1 active; minimised flag in extra
    MsgDisplayChanged,   // the desktop's display settings changed
    MsgMouseMove,
    MsgMouseDown,        // code: button 1 left, 4 right; extra: 1 for a double click
    MsgMouseUp,
    MsgEndSignal,        // SIGTERM or SIGINT: end the game now, in the window and full screen
};

struct PlatformMessage {
    int type;
    int scanCode;        // PC set-1 scan code of a key message
    int character;       // character byte the key produced (Latin-1), or 0
    int wasDown;         // the key was already down before this message
    int altContext;      // Alt was held
    int shift, ctrl;     // modifier keys held
    int code;            // see the message types
    int extra;
    int x, y;            // mouse position in client coordinates
    unsigned time;       // milliseconds
};

int platformInit();
void platformShutdown();
// Opens (or re-opens) the display: windowed or full screen, width x height client area.
int platformOpenDisplay(const char* title, int width, int height, int fullScreen);
void platformCloseDisplay();
// Shows the 8-bit page through its palette; waitRetrace paces to 60 frames a second.
void platformPresent(const uint8_t* pixels, int width, int height, const PaletteEntry* palette,
                     int waitRetrace);
// Takes the next pending message; 1 if one was taken.
int platformPollMessage(PlatformMessage* message);
// Asks a Yes/No question; 1 for Yes.
int platformConfirm(const char* text, const char* caption);
// Shows an error message box with a warning icon (when a display exists).
void platformShowError(const char* text, const char* caption);
// Seconds since the epoch, for seeding the random generator.
int64_t platformTimeSeconds();
unsigned platformTicks();
void platformSleep(int milliseconds);
// The letter, digit or '-' printed on the key at a set-1 position on the player's keyboard
// layout (lower case), 0 for another key: the window asks the system's layout, the
// headless back-end answers by the German layout the game's name entry follows.
int platformKeyLabel(int scanCode);
// Main-loop iteration boundaries (the replay uses them for its script and snapshots).
void platformBeginIteration();
void platformEndIteration();
