#include "menus/top_screens.h"

#include "base/game_state.h"
#include "framework/framework.h"
#include "game/screens.h"

namespace {

constexpr int FreeKeyCapacity = 32;
constexpr int OpenDepthCapacity = 4;
constexpr int OverlayCapacity = 4;

struct FreeKeyBinding {
    int where;
    int scanCode;
    void (*action)();
};

struct TopScreenTable {
    const TopScreen* screens[TopScreenCount];
    TopScreenId open[OpenDepthCapacity];  // the open ones, the shown one last
    int openCount;
    FreeKeyBinding freeKeys[FreeKeyCapacity];
    int freeKeyCount;
    void (*overlays[OverlayCapacity])(DisplayContext* page);
    int overlayCount;
    void (*keyWatcher)(int scanCode, int down);
    unsigned keyModifiers;  // of the key a top screen hears now
};

TopScreenTable TopScreens = {};

const TopScreen* shownScreen() {
    if (TopScreens.openCount == 0) return nullptr;
    return TopScreens.screens[TopScreens.open[TopScreens.openCount - 1]];
}

int keyPlace() { return GameState.racing ? DuringRide : GameState.screen; }

bool runFreeKey(int scanCode) {
    const int where = keyPlace();
    for (int i = 0; i < TopScreens.freeKeyCount; ++i) {
        const FreeKeyBinding& k = TopScreens.freeKeys[i];
        if (k.where != where || k.scanCode != scanCode) continue;
        k.action();
        return true;
    }
    return false;
}

void overlayAndShow() {
    DisplayContext* page = drawingPage();
    for (int i = 0; page && i < TopScreens.overlayCount; ++i) TopScreens.overlays[i](page);
    swapPages(1);
}

}  // namespace

void registerTopScreen(TopScreenId id, const TopScreen* screen) {
    if (id > TopScreenNone && id < TopScreenCount) TopScreens.screens[id] = screen;
}

void openTopScreen(TopScreenId id) {
    if (id <= TopScreenNone || id >= TopScreenCount || !TopScreens.screens[id]) return;
    if (TopScreens.openCount > 0 && TopScreens.open[TopScreens.openCount - 1] == id) return;
    if (TopScreens.openCount == OpenDepthCapacity) return;
    TopScreens.open[TopScreens.openCount++] = id;
    if (TopScreens.screens[id]->open) TopScreens.screens[id]->open();
}

void closeTopScreen() {
    const TopScreen* screen = shownScreen();
    if (!screen) return;
    --TopScreens.openCount;
    if (screen->close) screen->close();
}

TopScreenId currentTopScreen() { return TopScreens.openCount ? TopScreens.open[TopScreens.openCount - 1] : TopScreenNone; }

unsigned topScreenKeyModifiers() { return TopScreens.keyModifiers; }

void bindFreeKey(int where, int scanCode, void (*action)()) {
    if (TopScreens.freeKeyCount == FreeKeyCapacity || !action) return;
    TopScreens.freeKeys[TopScreens.freeKeyCount++] = FreeKeyBinding{where, scanCode, action};
}

void addPageOverlay(void (*overlay)(DisplayContext* page)) {
    if (overlay && TopScreens.overlayCount < OverlayCapacity) TopScreens.overlays[TopScreens.overlayCount++] = overlay;
}

void addPageOverlayUnder(void (*overlay)(DisplayContext* page)) {
    if (!overlay || TopScreens.overlayCount == OverlayCapacity) return;
    for (int i = TopScreens.overlayCount; i > 0; --i) TopScreens.overlays[i] = TopScreens.overlays[i - 1];
    TopScreens.overlays[0] = overlay;
    ++TopScreens.overlayCount;
}

void topScreensKeyDown(InputEvent* event) {
    if (!event) return;
    const int scanCode = scanCodeOf(*event);
    if (const TopScreen* screen = shownScreen()) {
        if (isWindowSwitchKey(*event)) return;  // only the window switch: not this screen's Enter
        TopScreens.keyModifiers = event->modifiers;
        if (screen->key) screen->key(scanCode);
        TopScreens.keyModifiers = 0;
        if (TopScreens.keyWatcher) TopScreens.keyWatcher(scanCode, KeyTakenByTopScreen);
        return;
    }
    if (runFreeKey(scanCode)) {
        if (TopScreens.keyWatcher) TopScreens.keyWatcher(scanCode, KeyTakenByFreeKey);
        return;
    }
    onKeyDown(event);
    if (TopScreens.keyWatcher) TopScreens.keyWatcher(scanCode, 1);
}

void topScreensKeyUp(InputEvent* event) {
    const int scanCode = event ? scanCodeOf(*event) : 0;
    if (scanCode != 0 && TopScreens.keyWatcher) TopScreens.keyWatcher(scanCode, 0);
}

void setGameKeyWatcher(void (*watcher)(int scanCode, int down)) { TopScreens.keyWatcher = watcher; }

void topScreensDrawFrame() {
    const TopScreen* screen = shownScreen();
    if (!screen) {
        drawFrameUnshown();
        overlayAndShow();
        return;
    }
    DisplayContext* page = drawingPage();
    if (screen->draw && page) screen->draw(page);
    overlayAndShow();
}

void resetTopScreens() { TopScreens = TopScreenTable{}; }
