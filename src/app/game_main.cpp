// The game's entry: command line, framework, callbacks, then the main loop.
#include "app/game_main.h"

#include <cstdio>
#include <malloc.h>

#include "base/game_state.h"
#include "framework/fatal_error.h"
#include "game/screens.h"
#include "game/shop.h"
#include "menus/top_screens.h"
#include "race/ride.h"
#include "settings/settings.h"

void keepFrameMemory() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    mallopt(M_TRIM_THRESHOLD, 32 << 20);
#endif
}

void onMouseDown(InputEvent* /*event*/) {}

void onModeSwitched(ModeRequest* /*request*/, int /*windowed*/) { initGame(); }

int gamepadBActsAsEsc() {
    if (currentTopScreen() != TopScreenNone) return 1;
    return !GameState.racing && isShopPage(GameState.screen);
}

int gamepadOnMainMenu() {
    return currentTopScreen() == TopScreenNone && !GameState.racing && GameState.screen == ScreenMainMenu;
}

int keyContextNow() {
    if (currentTopScreen() != TopScreenNone) return ContextNone;
    if (GameState.racing) return ContextRide;
    return GameState.screen == ScreenNameEntry ? ContextNone : ContextMenus;
}

// A run waits while the window is in the background: nobody is steering.
void onActivate(int active) {
    if (!active && GameState.racing) waitUntilActive();
}

int onSuspend(DisplayContext* /*dc*/, int /*kind*/) { return 1; }

namespace {
int TopScreensOn = 0;
}

void useTopScreens(int on) { TopScreensOn = on; }

int gameMain(int argc, char** argv) {
    keepFrameMemory();
    GameState.screen = 0;
    resetDriverOptions();
    int number = 0;
    parseCommandLine(&number, argc, argv);
    setDriverOptions(&GameDriverOptions);
    CurrentPage = createFramework("Tumblegrade - DH");
    if (!CurrentPage) fatalError(errorMessage(lastError()));

    setDrawCallback(TopScreensOn ? topScreensDrawFrame : drawFrame);
    setLogicCallback(gameLogic);
    setKeyDownCallback(TopScreensOn ? topScreensKeyDown : onKeyDown);
    if (TopScreensOn) setKeyUpCallback(topScreensKeyUp);
    setMouseDownCallback(onMouseDown);
    setModeSwitchedCallback(onModeSwitched);
    setActivateCallback(onActivate);
    setSuspendCallback(onSuspend);

    ModeRequest request{};
    request.modeNumber = 19;
    request.width = 640;
    request.height = 480;
    request.bitsPerPixel = 8;
    request.pages = 6;
    request.modeFlags = 0x401;
    std::snprintf(request.driverName, sizeof request.driverName, "%s", "DDRAW8.DRV");
    request.fullScreenStretch = 0;
    request.windowedStretch = 0;
    if (!setMode(&request, 1, 2, 1)) fatalError(errorMessage(lastError()));

    initGame();
    return mainLoop();
}
