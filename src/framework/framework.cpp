// The game framework: window and drawing page, the event queue and key-state table,
// the callback slots, the window/full-screen switch and the main loop.
#include "framework/framework.h"

#include <cstdio>
#include <cstring>

#include "base/scan_codes.h"
#include "platform/platform.h"

DisplayContext** CurrentPage = nullptr;

namespace {

constexpr int QueueCapacity = 100;
constexpr int ModeCommandToggle = 1;
constexpr int ModeCommandWindow = 2;

struct Slots {
    VoidCallback draw;
    VoidCallback logic;
    EventCallback keyDown;
    EventCallback keyRepeat;
    EventCallback keyUp;
    EventCallback mouseDown;
    EventCallback mouseUp;
    EventCallback mouseMove;
    EventCallback otherEvent;
    ModeQueryCallback modeSwitchQuery;
    ModeSwitchedCallbackFn modeSwitched;
    ActivateCallbackFn activate;
    SuspendCallbackFn suspend;
    VoidCallback shutdown;
    WindowMessageHookFn windowMessage;
};

struct Framework {
    Slots slots;
    int exitFlag;
    int drawingEnabled;
    int fullScreen;
    int insideModeSet;
    int windowOpen;
    int activeState;
    DisplayContext* page;        // the drawing page
    DisplayContext* currentPage; // the current page reference handed to the game
    PaletteEntry displayPalette[256]; // loaded into the display by setPalette
    PaletteEntry visiblePalette[256]; // what the display shows after realizePalette
    ModeRequest request;
    int pages;
    int memoryPage;
    int activePage, visiblePage;
    char title[80];
    DriverOptions options;
    int optionsSet;
    InputEvent queue[QueueCapacity];
    int queueCount;
    uint16_t keyState[ScanCodeCount];
    uint32_t keyDowns[ScanCodeCount];  // key-downs into the key-state table, per key
    int pendingModeCommand;  // a posted mode command, 0 when none
    int keyStateHeld;        // keyboard keys leave the key-state table alone
};

Framework State;
VoidCallback IterationObserver = nullptr;
constexpr int MoreObserversCapacity = 4;
VoidCallback MoreObservers[MoreObserversCapacity] = {};
int MoreObserverCount = 0;

void appendEvent(const InputEvent& e) {
    if (State.queueCount >= QueueCapacity) return;  // a full queue drops new events
    InputEvent& slot = State.queue[State.queueCount++];
    slot = e;
    slot.next = -1;
    slot.previous = State.queueCount >= 2 ? State.queueCount - 2 : -1;
}

unsigned keyModifiers(const PlatformMessage& m) {
    unsigned modifiers = 0;
    if (m.altContext) modifiers |= AltModifier;
    if (m.shift) modifiers |= 0x18;
    if (m.ctrl) modifiers |= 0x20;
    return modifiers;
}

// The key is down in the key-state table; a key-down that is no repeat is counted.
void noteKeyDown(int scan, unsigned message, int type) {
    State.keyState[scan] = uint16_t(message);
    if (type == KeyDown) ++State.keyDowns[scan];
}

// Turns one window message into at most one input event.
void translateMessage(const PlatformMessage& m) {
    InputEvent e{};
    e.time = m.time;
    switch (m.type) {
    case MsgKeyDown:
    case MsgSysKeyDown: {
        const int scan = m.scanCode & 0xFF;
        const unsigned message = unsigned(m.character & 0xFF) | unsigned(scan) << 8;
        e.type = m.wasDown ? KeyRepeat : KeyDown;
        e.message = m.wasDown ? message | (1u << 16) : message;
        e.modifiers = keyModifiers(m);
        if (!State.keyStateHeld) noteKeyDown(scan, message, e.type);
        break;
    }
    case MsgKeyUp:
    case MsgSysKeyUp: {
        const int scan = m.scanCode & 0xFF;
        e.type = KeyUp;
        e.message = State.keyStateHeld ? unsigned(scan) << 8 : State.keyState[scan];
        e.modifiers = keyModifiers(m);
        if (!State.keyStateHeld) State.keyState[scan] = 0;
        break;
    }
    case MsgMouseMove: {
        // A move that follows a still-queued move only updates that one's position.
        if (State.queueCount > 0 && State.queue[State.queueCount - 1].type == MouseMove) {
            State.queue[State.queueCount - 1].x = m.x;
            State.queue[State.queueCount - 1].y = m.y;
            return;
        }
        e.type = MouseMove;
        e.x = m.x;
        e.y = m.y;
        break;
    }
    case MsgMouseDown:
    case MsgMouseUp:
        e.type = m.type == MsgMouseDown ? MouseDown : MouseUp;
        e.x = m.x;
        e.y = m.y;
        e.message = unsigned(m.code);
        e.modifiers = (m.code == 1 ? 0x01u : 0x02u) | (m.extra ? 0x8000u : 0u);
        break;
    default:
        return;
    }
    appendEvent(e);
}

void switchMode(int code) {
    if (!State.slots.modeSwitched) return;
    const int targetWindowed = (code == ModeCommandWindow || State.fullScreen) ? 1 : 0;
    if (State.slots.modeSwitchQuery && State.slots.modeSwitchQuery(&State.request, targetWindowed) == 0)
        return;
    ModeRequest request = State.request;
    setMode(&request, targetWindowed, State.pages, State.memoryPage);
    State.slots.modeSwitched(&State.request, targetWindowed);
}

// While switched away from full screen the game is frozen: only window messages are
// handled until the player comes back.
void suspendUntilBack() {
    State.drawingEnabled = 0;
    const int answer = State.slots.suspend ? State.slots.suspend(State.page, 1) : 1;
    if (answer == 2) return;
    for (;;) {
        PlatformMessage m{};
        if (!platformPollMessage(&m)) {
            platformSleep(200);
            continue;
        }
        if (m.type == MsgActivate && m.code != 0) {
            State.activeState = m.code;
            break;
        }
        // Keys let go while away must not stay held in the key-state table.
        if (m.type == MsgKeyUp || m.type == MsgSysKeyUp) translateMessage(m);
        if (m.type == MsgDestroy || m.type == MsgEndSignal) {
            requestExit();
            break;
        }
    }
    State.drawingEnabled = 1;
    if (State.slots.suspend) State.slots.suspend(State.page, 2);
}

// What the window procedure does with the messages the framework handles itself.
void handleWindowMessage(const PlatformMessage& m) {
    switch (m.type) {
    case MsgDestroy:
        if (!State.fullScreen) requestExit();
        break;
    case MsgEndSignal:
        requestExit();
        break;
    case MsgClose:
        if (!State.fullScreen &&
            platformConfirm("Are you sure you want to quit?", "Confirm Exit"))
            requestExit();  // Yes destroys the window, which ends the program
        break;
    case MsgActivate:
        State.activeState = m.code;
        if (State.fullScreen) {
            if (m.code == 0) suspendUntilBack();
        } else if (State.slots.activate) {
            State.slots.activate(m.code);
        }
        break;
    case MsgDisplayChanged:
        if (!State.insideModeSet && !State.fullScreen && State.windowOpen)
            State.pendingModeCommand = ModeCommandWindow;
        break;
    case MsgSysKeyDown:
        if (m.altContext && (m.scanCode & 0xFF) == ScanEnter && State.windowOpen)
            State.pendingModeCommand = ModeCommandToggle;
        break;
    case MsgMaximise:
        if (State.windowOpen) State.pendingModeCommand = ModeCommandToggle;
        break;
    case MsgModeCommand:
        switchMode(m.code);
        break;
    default:
        break;
    }
}

void pumpMessages() {
    PlatformMessage m{};
    while (platformPollMessage(&m)) {
        translateMessage(m);
        handleWindowMessage(m);
        if (State.pendingModeCommand) {
            const int code = State.pendingModeCommand;
            State.pendingModeCommand = 0;
            switchMode(code);
        }
    }
}

int createDrawingPage(int width, int height) {
    DisplayContext* page = createMemoryContext(width, height);
    if (!page) return 0;
    if (State.page) std::memcpy(page->palette, State.page->palette, sizeof page->palette);
    State.page = page;
    State.currentPage = page;
    setCurrentContext(page);
    if (State.pages > 1) {
        State.activePage = 1;
        State.visiblePage = 0;
    }
    return 1;
}

void releaseDrawingPage() {
    if (!State.page) return;
    destroyContext(State.page);
    State.page = nullptr;
    State.currentPage = nullptr;
}

}  // namespace

DisplayContext** createFramework(const char* title) {
    std::memset(&State, 0, sizeof State);
    State.drawingEnabled = 1;
    State.activePage = 1;
    std::snprintf(State.title, sizeof State.title, "%s", title ? title : "");
    if (!platformInit()) {
        setLastError(-2);  // "Graphics hardware not detected": no display to open
        return nullptr;
    }
    return &State.currentPage;
}

void setDriverOptions(const DriverOptions* options) {
    // The driver families have no counterpart here; the copy is kept for the record.
    if (options) State.options = *options;
    State.optionsSet = 1;
}

int setMode(const ModeRequest* request, int windowed, int pages, int memoryPage) {
    if (!request) return 0;
    State.request = *request;
    State.pages = pages;
    State.memoryPage = memoryPage;
    int width = request->width;
    int height = request->height;
    if (windowed) {
        if (width == 320 && (height == 200 || height == 400 || height == 480)) height = 240;
        if (width == 640) height = 480;
    } else {
        if (request->modeNumber == -1) return 0;
        width = 640;
        height = 480;
    }
    State.insideModeSet = 1;
    releaseDrawingPage();
    if (!platformOpenDisplay(State.title, width, height, windowed ? 0 : 1)) {
        setLastError(-11);  // "Selected graphics mode not supported"
        State.insideModeSet = 0;
        return 0;
    }
    State.windowOpen = 1;
    State.fullScreen = windowed ? 0 : 1;
    const int ok = createDrawingPage(width, height);
    State.insideModeSet = 0;
    return ok;
}

int mainLoop() {
    State.exitFlag = 0;
    do {
        platformBeginIteration();
        dispatchEvents();
        if (State.slots.logic) State.slots.logic();
        if (State.drawingEnabled && State.slots.draw) State.slots.draw();
        if (IterationObserver) IterationObserver();
        for (int i = 0; i < MoreObserverCount; ++i) MoreObservers[i]();
        platformEndIteration();
    } while (!State.exitFlag);
    return shutdownFramework();
}

void dispatchEvents() {
    InputEvent e{};
    while (getEvent(&e, 0xFFFF)) {
        EventCallback slot = nullptr;
        switch (e.type) {
        case KeyDown: slot = State.slots.keyDown; break;
        case KeyRepeat: slot = State.slots.keyRepeat; break;
        case KeyUp: slot = State.slots.keyUp; break;
        case MouseDown: slot = State.slots.mouseDown; break;
        case MouseUp: slot = State.slots.mouseUp; break;
        case MouseMove: slot = State.slots.mouseMove; break;
        default: slot = State.slots.otherEvent; break;
        }
        if (slot) slot(&e);
    }
}

int getEvent(InputEvent* event, int typeMask) {
    pumpMessages();
    for (int i = 0; i < State.queueCount; ++i) {
        if (State.queue[i].type & typeMask) {
            *event = State.queue[i];
            event->next = event->previous = -1;
            std::memmove(State.queue + i, State.queue + i + 1,
                         sizeof(InputEvent) * size_t(State.queueCount - i - 1));
            --State.queueCount;
            return 1;
        }
    }
    event->type = 0;
    return 0;
}

void waitUntilActive() {
    if (State.fullScreen || State.activeState != 0) return;
    suspendUntilBack();
}

void requestExit() { State.exitFlag = 1; }

int exitRequested() { return State.exitFlag; }

void swapPages(int waitRetrace) {
    if (!State.page) return;
    platformPresent(State.page->pixels, State.page->width, State.page->height, State.visiblePalette,
                    waitRetrace);
    if (State.pages > 1) {
        State.visiblePage = State.activePage;
        State.activePage = (State.activePage + 1) % State.pages;
    }
}

void setPalette(const PaletteEntry* entries, int count, int first) {
    if (!entries || first < 0 || first >= 256 || count <= 0) return;
    if (count > 256 - first) count = 256 - first;
    std::memcpy(State.displayPalette + first, entries, sizeof(PaletteEntry) * size_t(count));
    setContextPalette(State.page, entries, count, first);
}

void realizePalette(int count, int first, int /*waitRetrace*/) {
    if (first < 0 || first >= 256 || count <= 0) return;
    if (count > 256 - first) count = 256 - first;
    std::memcpy(State.visiblePalette + first, State.displayPalette + first,
                sizeof(PaletteEntry) * size_t(count));
}

int shutdownFramework() {
    if (State.slots.shutdown) State.slots.shutdown();
    releaseDrawingPage();
    setCurrentContext(nullptr);
    platformCloseDisplay();
    platformShutdown();
    std::memset(&State, 0, sizeof State);
    return 0;
}

void makeKeyEvent(int scanCode, int character, int down, InputEvent* event) {
    const int scan = scanCode & 0xFF;
    *event = InputEvent{};
    if (down) {
        const unsigned message = unsigned(character & 0xFF) | unsigned(scan) << 8;
        event->type = State.keyState[scan] ? KeyRepeat : KeyDown;
        event->message = State.keyState[scan] ? message | (1u << 16) : message;
        noteKeyDown(scan, message, event->type);
    } else {
        event->type = KeyUp;
        event->message = State.keyState[scan];
        State.keyState[scan] = 0;
    }
    event->next = event->previous = -1;
}

bool isWindowSwitchKey(const InputEvent& e) {
    return e.type == KeyDown && scanCodeOf(e) == ScanEnter && (e.modifiers & AltModifier) != 0;
}

void holdKeyStateTable(int held) { State.keyStateHeld = held; }

void copyKeyStates(uint16_t out[256]) { std::memcpy(out, State.keyState, sizeof State.keyState); }

void restoreKeyStates(const uint16_t in[256]) { std::memcpy(State.keyState, in, sizeof State.keyState); }

int isKeyDown(int scanCode) { return State.keyState[scanCode & 0xFF] != 0 ? 1 : 0; }

uint32_t keyDownCount(int scanCode) { return State.keyDowns[scanCode & 0xFF]; }

int isFullScreen() { return State.fullScreen; }
int queuedEventCount() { return State.queueCount; }
int drawingEnabled() { return State.drawingEnabled; }
DisplayContext* drawingPage() { return State.page; }

void addIterationObserver(VoidCallback f) {
    if (f && MoreObserverCount < MoreObserversCapacity) MoreObservers[MoreObserverCount++] = f;
}

void clearIterationObservers() { MoreObserverCount = 0; }

void setDrawCallback(VoidCallback f) { State.slots.draw = f; }
void setLogicCallback(VoidCallback f) { State.slots.logic = f; }
void setKeyDownCallback(EventCallback f) { State.slots.keyDown = f; }
void setKeyRepeatCallback(EventCallback f) { State.slots.keyRepeat = f; }
void setKeyUpCallback(EventCallback f) { State.slots.keyUp = f; }
void setMouseDownCallback(EventCallback f) { State.slots.mouseDown = f; }
void setMouseUpCallback(EventCallback f) { State.slots.mouseUp = f; }
void setMouseMoveCallback(EventCallback f) { State.slots.mouseMove = f; }
void setOtherEventCallback(EventCallback f) { State.slots.otherEvent = f; }
void setModeSwitchQueryCallback(ModeQueryCallback f) { State.slots.modeSwitchQuery = f; }
void setModeSwitchedCallback(ModeSwitchedCallbackFn f) { State.slots.modeSwitched = f; }
void setActivateCallback(ActivateCallbackFn f) { State.slots.activate = f; }
void setSuspendCallback(SuspendCallbackFn f) { State.slots.suspend = f; }
void setShutdownCallback(VoidCallback f) { State.slots.shutdown = f; }
void setWindowMessageHook(WindowMessageHookFn f) { State.slots.windowMessage = f; }
void setIterationObserver(VoidCallback f) { IterationObserver = f; }
