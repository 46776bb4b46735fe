#include "demo/watch_overlay.h"

#include <cstdio>
#include <iterator>

#include "lang/translation.h"
#include "menus/look.h"
#include "menus/panels.h"

namespace {

constexpr int TimePanelWidth = 216;

const KeyHint PlayingKeys[] = {{N_("Space"), N_("Pause")}, {KeyArrowUp KeyArrowDown, N_("Speed")},
                               {N_("PgUp/Dn"), "5 s"}, {N_("Home"), N_("Start")}, {"Esc", N_("Leave")}};
const KeyHint PausedKeys[] = {{N_("Space"), N_("Go on")}, {KeyArrowLeft KeyArrowRight, N_("Frame")},
                              {N_("PgUp/Dn"), "5 s"}, {N_("Home"), N_("Start")}, {"Esc", N_("Leave")}};
const KeyHint AttractKeys[] = {{N_("Any key"), N_("Back to the game")}};

// The page's bottom band, dark over the ride, for the keys.
void drawKeyBand(DisplayContext* page, const PageLook& look, const KeyHint* keys, int count) {
    drawPanel(page, look, -3, FooterBandTop, page->width + 2, page->height + 2);
    drawFooterKeys(page, look, Look.text, keys, count);
}

void drawClock(DisplayContext* page, const PageLook& look, const WatchLine& line) {
    const int hundredths = line.iterations * 100 / 60;
    char time[32];
    std::snprintf(time, sizeof time, "%d:%02d.%02d", hundredths / 6000, hundredths / 100 % 60, hundredths % 100);
    const int left = page->width - TimePanelWidth - 8;
    drawPanel(page, look, left, 6, page->width - 8, 36);
    drawLookText(page, look, Look.text, left + 12, 11, look.colour[LookWhite], time);
    const char* state = line.ended ? trPage("end") : line.speed;
    drawLookText(page, look, Look.text, page->width - 20 - textWidthOf(Look.text, state), 11,
                 look.colour[line.ended ? LookDim : LookAccent], state);
}

void drawDemoSign(DisplayContext* page, const PageLook& look) {
    const char* title = trPage("Demo");
    const char* words = trPage("Any key ends it");
    const int width = textWidthOf(Look.text, words) + 32, left = (page->width - width) / 2;
    drawPanel(page, look, left, 8, left + width - 1, 80);
    const Font* titleFont = Look.title ? Look.title : Look.text;
    drawOutlinedText(page, look, titleFont, (page->width - textWidthOf(titleFont, title)) / 2, 14, title);
    drawLookText(page, look, Look.text, left + 16, 52, look.colour[LookAccent], words);
}

}  // namespace

void drawWatchOverlay(DisplayContext* page, const WatchLine& line) {
    const PageLook* look = lookOverPage(page);
    if (!look) return;
    if (line.attract) {
        drawDemoSign(page, *look);
        drawKeyBand(page, *look, AttractKeys, int(std::size(AttractKeys)));
        return;
    }
    drawClock(page, *look, line);
    if (line.paused)
        drawKeyBand(page, *look, PausedKeys, int(std::size(PausedKeys)));
    else
        drawKeyBand(page, *look, PlayingKeys, int(std::size(PlayingKeys)));
}
