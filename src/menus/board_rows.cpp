#include "menus/board_rows.h"

#include "lang/translation.h"
#include "menus/panels.h"

namespace {

constexpr int RankRight = 52, RiderX = 66, TimeRight = 420, DateX = 452;

}  // namespace

void boardText(DisplayContext* page, int x, int y, LookColour colour, const char* text) {
    drawLookText(page, Look.screen, Look.text, x, y, Look.screen.colour[colour], text);
}

void boardTextRightAligned(DisplayContext* page, int right, int y, LookColour colour, const char* text) {
    boardText(page, right - textWidthOf(Look.text, text), y, colour, text);
}

void drawBoardHeader(DisplayContext* page, int y) {
    boardTextRightAligned(page, RankRight, y, LookAccent, "#");
    boardText(page, RiderX, y, LookAccent, trPage("Rider"));
    boardTextRightAligned(page, TimeRight, y, LookAccent, trPage("Time"));
    boardText(page, DateX, y, LookAccent, trPage("Date"));
}

void drawBoardRow(DisplayContext* page, int y, bool chosen, bool highlighted, const char* rank, const char* rider,
                  const char* time, const char* date) {
    if (chosen) {
        fillBox(page, Look.screen.colour[LookSelection], BoardRowsLeft, y - 2, BoardRowsRight, y + BoardRowHeight - 3);
        fillBox(page, Look.screen.colour[LookAccent], BoardRowsLeft, y - 2, BoardRowsLeft + 3, y + BoardRowHeight - 3);
    }
    const LookColour colour = chosen || highlighted ? LookAccent : LookWhite;
    boardTextRightAligned(page, RankRight, y, colour, rank);
    boardText(page, RiderX, y, colour, rider);
    boardTextRightAligned(page, TimeRight, y, colour, time);
    boardText(page, DateX, y, LookDim, date);
}
