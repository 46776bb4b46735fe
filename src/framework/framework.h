// The game framework: the one window, the drawing page, the event queue with the
// key-state table, the callback slots and the main loop that calls the game.
#pragma once

#include <cstdint>

#include "display/display.h"

enum InputEventType {
    KeyDown = 1,
    KeyRepeat = 2,
    KeyUp = 4,
    MouseDown = 8,
    MouseUp = 16,
    MouseMove = 32,
    TimerTick = 64,
};

// One queued input event. Key events carry the character in bits 0-7 of message,
// the scan code in bits 8-15 and (KeyRepeat only) the repeat count in bits 16-31.
struct InputEvent {
    int window;
    int type;
    unsigned time;
    int x, y;
    unsigned message;
    unsigned modifiers;
    int next, previous;
};

inline int scanCodeOf(const InputEvent& e) { return (e.message >> 8) & 0xFF; }

// Modifier bits of a key event.
constexpr unsigned AltModifier = 0x40;

// The Enter of Alt+Enter: the framework switches between window and full screen on it,
// and it also reaches the game as Enter.
bool isWindowSwitchKey(const InputEvent& e);

// Display-driver families a player may switch off on the command line. On this
// platform they are accepted and have no further effect; index 10 keeps the page at 8 bits.
struct DriverOptions {
    int32_t flag[11];
};

struct ModeRequest {
    int32_t modeNumber;
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;
    int32_t pages;
    int32_t modeFlags;
    char driverName[16];
    int32_t fullScreenStretch;
    int32_t windowedStretch;
};

using VoidCallback = void (*)();
using EventCallback = void (*)(InputEvent*);
using ModeQueryCallback = int (*)(ModeRequest*, int windowed);
using ModeSwitchedCallbackFn = void (*)(ModeRequest*, int windowed);
using ActivateCallbackFn = void (*)(int active);
using SuspendCallbackFn = int (*)(DisplayContext*, int kind);
using WindowMessageHookFn = long (*)(int window, unsigned message, long a, long b);

// Where the current drawing page is found: start-up keeps what createFramework returns
// here, and every reader goes through it, since a mode switch replaces the page.
extern DisplayContext** CurrentPage;

// Framework life cycle.
DisplayContext** createFramework(const char* title);
void setDriverOptions(const DriverOptions* options);
int setMode(const ModeRequest* request, int windowed, int pages, int memoryPage);
int mainLoop();
void dispatchEvents();
void requestExit();
// In the window, after it lost the focus: neither logic nor drawing runs until the focus
// is back, as in the full-screen suspend. Keys let go meanwhile are let go in the table.
void waitUntilActive();
int exitRequested();
void swapPages(int waitRetrace);
void setPalette(const PaletteEntry* entries, int count, int first);
void realizePalette(int count, int first, int waitRetrace);
int shutdownFramework();

// Input services (the display library's isKeyDown and getEvent read these).
int isKeyDown(int scanCode);
// How often the key went down (repeats not counted) into the key-state table since the
// framework was created. Two readings, one an iteration, tell whether it went down in
// between, even when it was let go again before the second: isKeyDown would miss that.
uint32_t keyDownCount(int scanCode);
int getEvent(InputEvent* event, int typeMask);

// Callback slots.
void setDrawCallback(VoidCallback f);
void setLogicCallback(VoidCallback f);
void setKeyDownCallback(EventCallback f);
void setKeyRepeatCallback(EventCallback f);
void setKeyUpCallback(EventCallback f);
void setMouseDownCallback(EventCallback f);
void setMouseUpCallback(EventCallback f);
void setMouseMoveCallback(EventCallback f);
void setOtherEventCallback(EventCallback f);
void setModeSwitchQueryCallback(ModeQueryCallback f);
void setModeSwitchedCallback(ModeSwitchedCallbackFn f);
void setActivateCallback(ActivateCallbackFn f);
void setSuspendCallback(SuspendCallbackFn f);
void setShutdownCallback(VoidCallback f);
void setWindowMessageHook(WindowMessageHookFn f);
// Called at the end of every main-loop iteration, after drawing. Not one of the game's
// slots: it outlives createFramework, for layers that only watch the game (sound).
void setIterationObserver(VoidCallback f);
// More watchers of the same kind (the clock, the demo recorder), run after the one above
// in the order added. At most four; a null one is not added.
void addIterationObserver(VoidCallback f);
void clearIterationObservers();

// Keys made by the program rather than the keyboard (a demo being watched): the key-state
// table changes as for a real key, and the event is handed back instead of queued.
void makeKeyEvent(int scanCode, int character, int down, InputEvent* event);
// While held (1), keys from the keyboard still arrive as events but leave the key-state
// table alone: only made keys change it.
void holdKeyStateTable(int held);
// The whole key-state table (a demo's checkpoints).
void copyKeyStates(uint16_t out[256]);
void restoreKeyStates(const uint16_t in[256]);

// Inspection for the replay tool and tests.
int isFullScreen();
int queuedEventCount();
int drawingEnabled();
DisplayContext* drawingPage();
