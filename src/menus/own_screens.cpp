#include "menus/own_screens.h"

#include "base/game_state.h"
#include "framework/framework.h"
#include "game/screens.h"

namespace {

constexpr int ExtraKeyCapacity = 32;
constexpr int OpenDepthCapacity = 4;
constexpr int OverlayCapacity = 4;

struct ExtraKey {
    int where;
    int scanCode;
    void (*action)();
};

struct OwnScreens {
    const OwnScreen* screens[OwnScreenCount];
    OwnScreenId open[OpenDepthCapacity];  // the open ones, the shown one last
    int openCount;
    ExtraKey extraKeys[ExtraKeyCapacity];
    int extraKeyCount;
    void (*overlays[OverlayCapacity])(DisplayContext* page);
    int overlayCount;
    void (*keyWatcher)(int scanCode, int down);
};

OwnScreens Own = {};

const OwnScreen* shownScreen() {
    if (Own.openCount == 0) return nullptr;
    return Own.screens[Own.open[Own.openCount - 1]];
}

int keyPlace() { return GameState.racing ? DuringRide : GameState.screen; }

bool runExtraKey(int scanCode) {
    const int where = keyPlace();
    for (int i = 0; i < Own.extraKeyCount; ++i) {
        const ExtraKey& k = Own.extraKeys[i];
        if (k.where != where || k.scanCode != scanCode) continue;
        k.action();
        return true;
    }
    return false;
}

void overlayAndShow() {
    DisplayContext* page = drawingPage();
    for (int i = 0; page && i < Own.overlayCount; ++i) Own.overlays[i](page);
    swapPages(1);
}

}  // namespace

void registerOwnScreen(OwnScreenId id, const OwnScreen* screen) {
    if (id > OwnScreenNone && id < OwnScreenCount) Own.screens[id] = screen;
}

void openOwnScreen(OwnScreenId id) {
    if (id <= OwnScreenNone || id >= OwnScreenCount || !Own.screens[id]) return;
    if (Own.openCount > 0 && Own.open[Own.openCount - 1] == id) return;
    if (Own.openCount == OpenDepthCapacity) return;
    Own.open[Own.openCount++] = id;
    if (Own.screens[id]->open) Own.screens[id]->open();
}

void closeOwnScreen() {
    const OwnScreen* screen = shownScreen();
    if (!screen) return;
    --Own.openCount;
    if (screen->close) screen->close();
}

OwnScreenId currentOwnScreen() { return Own.openCount ? Own.open[Own.openCount - 1] : OwnScreenNone; }

void registerExtraKey(int where, int scanCode, void (*action)()) {
    if (Own.extraKeyCount == ExtraKeyCapacity || !action) return;
    Own.extraKeys[Own.extraKeyCount++] = ExtraKey{where, scanCode, action};
}

void addPageOverlay(void (*overlay)(DisplayContext* page)) {
    if (overlay && Own.overlayCount < OverlayCapacity) Own.overlays[Own.overlayCount++] = overlay;
}

void addPageOverlayUnder(void (*overlay)(DisplayContext* page)) {
    if (!overlay || Own.overlayCount == OverlayCapacity) return;
    for (int i = Own.overlayCount; i > 0; --i) Own.overlays[i] = Own.overlays[i - 1];
    Own.overlays[0] = overlay;
    ++Own.overlayCount;
}

void ownScreensKeyDown(InputEvent* event) {
    if (!event) return;
    const int scanCode = scanCodeOf(*event);
    if (const OwnScreen* screen = shownScreen()) {
        if (isWindowSwitchKey(*event)) return;  // only the window switch: not this screen's Enter
        if (screen->key) screen->key(scanCode);
        if (Own.keyWatcher) Own.keyWatcher(scanCode, KeyTakenByOwnScreen);
        return;
    }
    if (runExtraKey(scanCode)) {
        if (Own.keyWatcher) Own.keyWatcher(scanCode, KeyTakenByNewFunction);
        return;
    }
    onKeyDown(event);
    if (Own.keyWatcher) Own.keyWatcher(scanCode, 1);
}

void ownScreensKeyUp(InputEvent* event) {
    const int scanCode = event ? scanCodeOf(*event) : 0;
    if (scanCode != 0 && Own.keyWatcher) Own.keyWatcher(scanCode, 0);
}

void setGameKeyWatcher(void (*watcher)(int scanCode, int down)) { Own.keyWatcher = watcher; }

void ownScreensDrawFrame() {
    const OwnScreen* screen = shownScreen();
    if (!screen) {
        drawFrameUnshown();
        overlayAndShow();
        return;
    }
    DisplayContext* page = drawingPage();
    if (screen->draw && page) screen->draw(page);
    overlayAndShow();
}

void resetOwnScreens() { Own = OwnScreens{}; }
