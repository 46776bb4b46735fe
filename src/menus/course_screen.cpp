#include "menus/course_screen.h"

#include <algorithm>
#include <cstdio>

#include "base/scan_codes.h"
#include "framework/fatal_error.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "menus/course_list.h"
#include "menus/best_times_screen.h"
#include "menus/course_map.h"
#include "menus/top_screens.h"
#include "records/run_time.h"

namespace {

const char ScreenFont[] = "Cour20b.fnt";
const char Backdrop[] = "Images/Main.bmp";

constexpr int ListLeft = 14, ListTop = 58, RowHeight = 24, VisibleRows = 13;
constexpr MapBox MapArea = {400, 58, 626, 370};

struct Colours {
    int background, panel, text, dim, accent, broken, path, start, finish;
};

struct CourseScreen {
    int selected;
    int firstRow;           // the list scrolls to keep the selection in view
    int mapOf;              // the entry the map was built for, -1 for none
    Font* font;
    Bitmap* backdrop;       // the main menu's picture, for its palette
    Colours colours;
    void (*taken)(const char* name);
};

CourseScreen Screen = {0, 0, -1, nullptr, nullptr, {}, nullptr};
CourseMap Map;

int nearest(const PaletteEntry* palette, int r, int g, int b) { return nearestPaletteIndex(palette, r, g, b); }

void prepareColours(const PaletteEntry* palette) {
    Colours& c = Screen.colours;
    c.background = nearest(palette, 8, 12, 24);
    c.panel = nearest(palette, 16, 24, 44);
    c.text = nearest(palette, 255, 255, 255);
    c.dim = nearest(palette, 170, 186, 206);
    c.accent = nearest(palette, 255, 150, 30);
    c.broken = nearest(palette, 230, 60, 50);
    c.path = nearest(palette, 222, 196, 150);
    c.start = nearest(palette, 60, 200, 80);
    c.finish = nearest(palette, 230, 60, 50);
}

void select(int entry) {
    if (Courses.count == 0) return;
    Screen.selected = std::clamp(entry, 0, Courses.count - 1);
    if (Screen.selected < Screen.firstRow) Screen.firstRow = Screen.selected;
    if (Screen.selected >= Screen.firstRow + VisibleRows) Screen.firstRow = Screen.selected - VisibleRows + 1;
}

void openScreen() {
    gatherCourses(&Courses);
    Screen.firstRow = 0;
    select(std::max(chosenCourseEntry(&Courses), 0));
    Screen.mapOf = -1;
    Screen.font = requireFont(ScreenFont);
    Screen.backdrop = requireBitmap(Backdrop);
    if (Screen.backdrop->palette) prepareColours(Screen.backdrop->palette);
}

void closeScreen() {
    if (Screen.font) unloadFont(Screen.font);
    if (Screen.backdrop) unloadBitmap(Screen.backdrop);
    Screen.font = nullptr;
    Screen.backdrop = nullptr;
}

void takeSelected() {
    const CourseListEntry& entry = Courses.entries[Screen.selected];
    if (!takeCourse(entry)) return;  // a broken course stays unchosen
    if (Screen.taken) Screen.taken(entry.name);
    closeTopScreen();
}

void showSelectedBestTimes() {
    const CourseListEntry& entry = Courses.entries[Screen.selected];
    int readable = 0;
    const uint64_t hash = courseContentHash(entry.path, &readable);
    if (readable) showBestTimesFor(hash, entry.name, entry.par);
}

void onKey(int scanCode) {
    switch (scanCode) {
    case ScanUp: select(Screen.selected - 1); break;
    case ScanDown: select(Screen.selected + 1); break;
    case ScanPageUp: select(Screen.selected - VisibleRows); break;
    case ScanPageDown: select(Screen.selected + VisibleRows); break;
    case ScanHome: select(0); break;
    case ScanEnd: select(Courses.count - 1); break;
    case ScanEnter: takeSelected(); break;
    case ScanEsc: closeTopScreen(); break;
    case ScanF3: showSelectedBestTimes(); break;
    default: break;
    }
}

void fillBox(DisplayContext* page, int left, int top, int right, int bottom, int colour) {
    for (int y = std::max(top, 0); y <= std::min(bottom, page->height - 1); ++y)
        for (int x = std::max(left, 0); x <= std::min(right, page->width - 1); ++x)
            page->pixels[y * page->width + x] = uint8_t(colour);
}

void text(int x, int y, int colour, const char* s) {
    DisplayContext* dc = currentContext();
    if (!dc) return;
    dc->color = colour;
    drawText(x, y, s);
}

void drawBackdrop(DisplayContext* page) {
    fillBox(page, 0, 0, page->width - 1, page->height - 1, Screen.colours.background);
    fillBox(page, 0, 0, page->width - 1, 47, Screen.colours.panel);
    fillBox(page, 0, 48, page->width - 1, 50, Screen.colours.accent);
}

void drawList() {
    const Colours& c = Screen.colours;
    for (int row = 0; row < VisibleRows && Screen.firstRow + row < Courses.count; ++row) {
        const int i = Screen.firstRow + row;
        const CourseListEntry& e = Courses.entries[i];
        const int y = ListTop + row * RowHeight;
        if (i == Screen.selected) fillBox(currentContext(), ListLeft - 4, y - 1, 384, y + RowHeight - 3, c.panel);
        char line[64];
        if (e.usable)
            std::snprintf(line, sizeof line, "%-15.15s %-5.5s%4d", e.name, e.grade, e.tiles);
        else
            std::snprintf(line, sizeof line, "%-15.15s broken", e.name);
        const int colour = !e.usable ? c.broken : i == Screen.selected ? c.accent : c.text;
        text(ListLeft, y, colour, line);
    }
}

void drawDetails(DisplayContext* page) {
    const Colours& c = Screen.colours;
    const CourseListEntry& e = Courses.entries[Screen.selected];
    fillBox(page, 10, 384, 630, 440, c.panel);
    char line[160];
    if (!e.usable) {
        std::snprintf(line, sizeof line, "%.48s", e.problem);
        text(16, 388, c.broken, line);
        text(16, 412, c.dim, "fix it with tumblegrade-trackcheck");
        return;
    }
    char par[24] = "-";
    if (e.par > 0) formatRunTime(e.par, par, sizeof par);
    std::snprintf(line, sizeof line, "%.20s  %s  %d tiles", e.name, e.grade, e.tiles);
    text(16, 388, c.text, line);
    std::snprintf(line, sizeof line, "par %s%s", par, e.own ? "  (your own course)" : "");
    text(16, 412, c.dim, line);
}

void drawMap(DisplayContext* page) {
    const Colours& c = Screen.colours;
    fillBox(page, MapArea.left - 4, MapArea.top - 4, MapArea.right + 4, MapArea.bottom + 4, c.panel);
    const CourseListEntry& e = Courses.entries[Screen.selected];
    if (!e.usable) return;
    if (Screen.mapOf != Screen.selected) {
        buildCourseMap(e.path, &Map);  // once per selection, not per frame
        Screen.mapOf = Screen.selected;
    }
    drawCourseMap(Map, page, MapArea, c.path, c.start, c.finish);
}

void drawScreen(DisplayContext* page) {
    if (!Screen.backdrop || !Screen.font || Courses.count == 0) return;
    if (Screen.backdrop->palette) {
        setPalette(Screen.backdrop->palette, 256, 0);
        realizePalette(256, 0, 1);
    }
    drawBackdrop(page);
    useFont(Screen.font);
    text(14, 14, Screen.colours.accent, "Courses");
    text(200, 14, Screen.colours.dim, "choose the course you ride");
    drawList();
    drawMap(page);
    drawDetails(page);
    text(14, 452, Screen.colours.dim, "Enter ride it  F3 best  Esc back");
}

const TopScreen CourseScreenSlots = {openScreen, onKey, drawScreen, closeScreen};

void openCourses() { openTopScreen(TopScreenCourses); }

}  // namespace

void installCourseScreen() {
    registerTopScreen(TopScreenCourses, &CourseScreenSlots);
    bindFreeKey(ScreenMainMenu, ScanF2, openCourses);
}

void setCourseTakenHook(void (*taken)(const char* name)) { Screen.taken = taken; }
