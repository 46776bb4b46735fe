#include "menus/clock_install.h"

#include "base/scan_codes.h"
#include "game/screens.h"
#include "menus/best_times_screen.h"
#include "menus/fresh_run.h"
#include "menus/hud.h"
#include "menus/top_screens.h"
#include "menus/run_watch.h"

namespace {

void rideAgain() { startFreshRun(); }

// The screens a run ends on: F5 rides the course again from each.
const int RunEndScreens[] = {ScreenFinish, ScreenInjury, ScreenDefect, ScreenCrash};

}  // namespace

void installClockAndRecords() {
    installRunWatch(1);
    Hud.rideAgainKey = 1;
    addPageOverlay(drawClockOverlay);
    registerBestTimesScreen();
    bindFreeKey(ScreenMainMenu, ScanF3, showBestTimes);
    bindFreeKey(DuringRide, ScanTab, toggleRideHud);
    for (int screen : RunEndScreens) bindFreeKey(screen, ScanF5, rideAgain);
}

void installReplayClock(int keepRecords, int drawHud) {
    installRunWatch(keepRecords);
    if (!drawHud) return;
    addPageOverlay(drawClockOverlay);
}
