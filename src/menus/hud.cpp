#include "menus/hud.h"

#include <cstdio>

#include "base/game_state.h"
#include "game/screens.h"
#include "lang/translation.h"
#include "menus/look.h"
#include "menus/top_screens.h"
#include "menus/panels.h"
#include "menus/run_watch.h"
#include "race/ride_clock.h"
#include "records/run_time.h"

HudState Hud = {1, nullptr, 0, 0};

namespace {

const char HudFont[] = "Cour20b.fnt";

struct Colour {
    int red, green, blue;
};

const Colour White = {255, 255, 255};
const Colour Shadow = {0, 0, 0};
const Colour Ahead = {40, 220, 40};
const Colour Behind = {235, 40, 40};
const Colour Gold = {255, 210, 40};
const Colour Panel = {12, 20, 40};

constexpr int HudX = 16;
constexpr int HudY = 12;
constexpr int LineHeight = 24;
// The finish lines sit in a dark box over the sky left of the trophy.
constexpr int FinishX = 28;
constexpr int FinishY = 74;
constexpr int FinishBoxWidth = 244;

bool useHudFont() {
    if (!Hud.fontTried) {
        Hud.fontTried = 1;
        Hud.font = loadFont(HudFont);
    }
    return Hud.font && useFont(Hud.font);
}

// Text with a dark shadow one pixel down and right, readable on any picture.
void drawShadowed(int x, int y, const char* text, Colour colour) {
    setColorRGB(Shadow.red, Shadow.green, Shadow.blue);
    drawText(x + 1, y + 1, text);
    setColorRGB(colour.red, colour.green, colour.blue);
    drawText(x, y, text);
}

void fillHudBox(DisplayContext* page, int x, int y, int width, int height, Colour colour) {
    const uint8_t index = uint8_t(nearestPaletteIndex(page->palette, colour.red, colour.green, colour.blue));
    for (int row = y; row < y + height; ++row) {
        if (row < 0 || row >= page->height) continue;
        for (int column = x; column < x + width; ++column)
            if (column >= 0 && column < page->width) page->pixels[row * page->width + column] = index;
    }
}

bool overGamePage() { return currentTopScreen() == TopScreenNone; }

void drawLatestSplit() {
    const RunWatchState& w = RunWatch;
    if (w.lastSplitFrame < 0 || w.raceFrames - w.lastSplitFrame >= SplitShownIterations) return;
    const int k = w.splitCount - 1;
    char text[64], time[RunTimeTextCapacity];
    if (w.haveBest && k < w.best.splitCount) {
        const int delta = w.splits[k] - w.best.splits[k];
        formatSplitDelta(delta, time, sizeof time);
        std::snprintf(text, sizeof text, trPage("Gate %d  %s"), k + 1, time);
        drawShadowed(HudX, HudY + LineHeight, text, delta < 0 ? Ahead : delta > 0 ? Behind : White);
    } else {
        formatRunTime(w.splits[k], time, sizeof time);
        std::snprintf(text, sizeof text, trPage("Gate %d  %s"), k + 1, time);
        drawShadowed(HudX, HudY + LineHeight, text, White);
    }
}

// F5 on a key cap in a panel of its own, its top-left at (x, y).
void drawRideAgainKey(DisplayContext* page, int x, int y) {
    const PageLook* look = lookOverPage(page);
    if (!look) return;
    const KeyHint hint = {"F5", N_("Ride again")};
    drawPanel(page, *look, x, y, x + keyHintWidth(Look.text, hint) + 19, y + keyCapHeight(Look.text) + 13);
    drawKeyHint(page, *look, Look.text, x + 10, y + 6, hint);
}

// The injury, defect and crash screens name the key that rides again.
void drawRideAgainHint(DisplayContext* page) {
    const int screen = GameState.screen;
    if (screen != ScreenInjury && screen != ScreenDefect && screen != ScreenCrash) return;
    if (!Hud.rideAgainKey || !RunWatch.start.valid) return;
    drawRideAgainKey(page, FinishX - 10, FinishY - 6);
}

}  // namespace

void drawRideHud(DisplayContext* page) {
    if (!page || !Hud.shown || !GameState.racing || !overGamePage() || !useHudFont()) return;
    char time[RunTimeTextCapacity];
    formatRunTime(RideClock.iterations, time, sizeof time);
    drawShadowed(HudX, HudY, time, White);
    if (RunWatch.running) drawLatestSplit();
}

void drawFinishLines(DisplayContext* page) {
    const RunWatchState& w = RunWatch;
    if (!page || GameState.racing || !overGamePage()) return;
    if (GameState.screen != ScreenFinish) {
        drawRideAgainHint(page);
        return;
    }
    if (!w.finished || !useHudFont()) return;
    const int lines = 2 + (w.finish.par > 0 ? 1 : 0);
    fillHudBox(page, FinishX - 10, FinishY - 6, FinishBoxWidth, lines * LineHeight + 10, Panel);
    char text[96], time[RunTimeTextCapacity];
    int y = FinishY;
    formatRunTime(w.finish.steps, time, sizeof time);
    std::snprintf(text, sizeof text, trPage("Time %s"), time);
    drawShadowed(FinishX, y, text, White);
    if (w.finish.par > 0) {
        formatRunTime(w.finish.par, time, sizeof time);
        std::snprintf(text, sizeof text, trPage("Par  %s"), time);
        drawShadowed(FinishX, y += LineHeight, text, White);
    }
    if (w.finish.steps > 0 && w.newPersonalBest) {
        drawShadowed(FinishX, y += LineHeight, trPage("New personal best!"), Gold);
    } else {
        formatRunTime(w.ownBestSteps, time, sizeof time);
        std::snprintf(text, sizeof text, trPage("Best %s"), w.ownBestSteps > 0 ? time : "-");
        drawShadowed(FinishX, y += LineHeight, text, White);
    }
    if (Hud.rideAgainKey) drawRideAgainKey(page, FinishX - 10, y + LineHeight + 12);
}

void drawClockOverlay(DisplayContext* page) {
    drawRideHud(page);
    drawFinishLines(page);
}

void toggleRideHud() { Hud.shown = Hud.shown ? 0 : 1; }

void resetHud() {
    if (Hud.font) unloadFont(Hud.font);
    Hud = HudState{1, nullptr, 0, 0};
}
