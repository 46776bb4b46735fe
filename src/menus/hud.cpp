#include "menus/hud.h"

#include <cstdio>

#include "base/game_state.h"
#include "game/screens.h"
#include "lang/translation.h"
#include "menus/look.h"
#include "menus/page_look.h"
#include "menus/top_screens.h"
#include "menus/panels.h"
#include "menus/run_watch.h"
#include "race/ride_clock.h"
#include "records/run_time.h"
#include "settings/settings.h"

HudState Hud = {1, nullptr, 0, 0, nullptr};

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
// A line of the clock twice as large is first drawn into a strip this size.
constexpr int LargeStripWidth = 320, LargeStripHeight = 32;
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

Colour lookRgb(LookColour c) { return Colour{LookColours[c].red, LookColours[c].green, LookColours[c].blue}; }

// Ahead and behind: green and red, or the colour-safe pair.
Colour splitColour(int delta) {
    if (delta == 0) return White;
    if (!Setting.colourSafe) return delta < 0 ? Ahead : Behind;
    const SignalColours signal = signalColours();
    return lookRgb(delta < 0 ? signal.good : signal.bad);
}

// The strip's palette index no text colour takes: what is left of it shows the page.
int unusedIndex(int a, int b) {
    for (int i = 0;; ++i)
        if (i != a && i != b) return i;
}

// One line of the clock twice as large: drawn shadowed into the strip, then every pixel
// of it put on the page as two by two.
void drawLarge(DisplayContext* page, int x, int y, const char* text, Colour colour) {
    if (!Hud.large) Hud.large = createMemoryContext(LargeStripWidth, LargeStripHeight);
    if (!Hud.large) return;
    DisplayContext* strip = Hud.large;
    setContextPalette(strip, page->palette, 256, 0);
    const int ink = nearestPaletteIndex(page->palette, colour.red, colour.green, colour.blue);
    const int shade = nearestPaletteIndex(page->palette, Shadow.red, Shadow.green, Shadow.blue);
    const uint8_t clear = uint8_t(unusedIndex(ink, shade));
    for (int i = 0; i < strip->width * strip->height; ++i) strip->pixels[i] = clear;
    DisplayContext* before = currentContext();
    setCurrentContext(strip);
    useFont(Hud.font);
    drawShadowed(0, 0, text, colour);
    setCurrentContext(before);
    for (int row = 0; row < strip->height; ++row)
        for (int column = 0; column < strip->width; ++column) {
            const uint8_t p = strip->pixels[row * strip->width + column];
            if (p == clear) continue;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const int px = x + 2 * column + dx, py = y + 2 * row + dy;
                    if (px >= 0 && px < page->width && py >= 0 && py < page->height) page->pixels[py * page->width + px] = p;
                }
        }
}

// Text of the clock, twice as large where the player asks for it.
void drawHudText(DisplayContext* page, int x, int y, const char* text, Colour colour) {
    if (Setting.largeHud)
        drawLarge(page, x, y, text, colour);
    else
        drawShadowed(x, y, text, colour);
}

// A line of the ride display: line 0 the time, 1 the split, 2 the practice mark.
void drawRideLine(DisplayContext* page, int line, const char* text, Colour colour) {
    drawHudText(page, HudX, HudY + (Setting.largeHud ? 2 : 1) * line * LineHeight, text, colour);
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

void drawLatestSplit(DisplayContext* page) {
    const RunWatchState& w = RunWatch;
    if (w.lastSplitFrame < 0 || w.raceFrames - w.lastSplitFrame >= SplitShownIterations) return;
    const int k = w.splitCount - 1;
    char text[64], time[RunTimeTextCapacity];
    if (w.haveBest && k < w.best.splitCount) {
        const int delta = w.splits[k] - w.best.splits[k];
        formatSplitDelta(delta, time, sizeof time);
        std::snprintf(text, sizeof text, trPage("Gate %d  %s"), k + 1, time);
        drawRideLine(page, 1, text, splitColour(delta));
    } else {
        formatRunTime(w.splits[k], time, sizeof time);
        std::snprintf(text, sizeof text, trPage("Gate %d  %s"), k + 1, time);
        drawRideLine(page, 1, text, White);
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
    if (!page || !GameState.racing || !overGamePage() || !useHudFont()) return;
    // Practice speed is said even with the time switched off.
    if (RunWatch.practice) drawRideLine(page, 2, trPage("PRACTICE"), Gold);
    if (!Hud.shown) return;
    char time[RunTimeTextCapacity];
    formatRunTime(RideClock.iterations, time, sizeof time);
    drawRideLine(page, 0, time, White);
    if (RunWatch.running) drawLatestSplit(page);
}

void drawFinishLines(DisplayContext* page) {
    const RunWatchState& w = RunWatch;
    if (!page || GameState.racing || !overGamePage()) return;
    if (GameState.screen != ScreenFinish) {
        drawRideAgainHint(page);
        return;
    }
    if (!w.finished || !useHudFont()) return;
    const int scale = Setting.largeHud ? 2 : 1, step = scale * LineHeight;
    const int lines = 2 + (w.finish.par > 0 ? 1 : 0);
    fillHudBox(page, FinishX - 10, FinishY - 6, scale * FinishBoxWidth, lines * step + 10, Panel);
    char text[96], time[RunTimeTextCapacity];
    int y = FinishY;
    formatRunTime(w.finish.steps, time, sizeof time);
    std::snprintf(text, sizeof text, trPage("Time %s"), time);
    drawHudText(page, FinishX, y, text, White);
    if (w.finish.par > 0) {
        formatRunTime(w.finish.par, time, sizeof time);
        std::snprintf(text, sizeof text, trPage("Par  %s"), time);
        drawHudText(page, FinishX, y += step, text, White);
    }
    if (RunWatch.practice) {
        drawHudText(page, FinishX, y += step, trPage("Practice: not kept"), Gold);
    } else if (w.finish.steps > 0 && w.newPersonalBest) {
        drawHudText(page, FinishX, y += step, trPage("New personal best!"), Gold);
    } else {
        formatRunTime(w.ownBestSteps, time, sizeof time);
        std::snprintf(text, sizeof text, trPage("Best %s"), w.ownBestSteps > 0 ? time : "-");
        drawHudText(page, FinishX, y += step, text, White);
    }
    if (Hud.rideAgainKey) drawRideAgainKey(page, FinishX - 10, y + step + 12);
}

void drawClockOverlay(DisplayContext* page) {
    drawRideHud(page);
    drawFinishLines(page);
}

void toggleRideHud() { Hud.shown = Hud.shown ? 0 : 1; }

void resetHud() {
    if (Hud.font) unloadFont(Hud.font);
    if (Hud.large) destroyContext(Hud.large);
    Hud = HudState{1, nullptr, 0, 0, nullptr};
}
