#include "menus/course_screen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "base/scan_codes.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "lang/translation.h"
#include "menus/course_list.h"
#include "menus/best_times_screen.h"
#include "menus/course_map.h"
#include "menus/look.h"
#include "menus/top_screens.h"
#include "menus/panels.h"
#include "records/run_time.h"

namespace {

constexpr int ListLeft = 10, ListRight = 390, ListTop = 68, PanelBottom = 424;
constexpr int RowTop = 100, RowHeight = 24, VisibleRows = 13;
constexpr int NameX = 26, GradeX = 236, TilesRight = 374;  // the names hold daily-YYYY-MM-DD
constexpr int SideLeft = 400, SideRight = 630, MapBottom = 268, DetailsTop = 276;
constexpr MapBox MapArea = {SideLeft + 10, ListTop + 10, SideRight - 10, MapBottom - 10};

// The course screen's view: which course is highlighted, how far the list is scrolled,
// which course the map was built for.
struct CourseScreenView {
    int selected;
    int firstRow;  // the list scrolls to keep the selection in view
    int mapOf;     // the entry the map was built for, -1 for none
    void (*taken)(const char* name);
    void (*edit)(const char* path, const char* name, int own);
    void (*gathered)(const CourseList& list);
    int stale;  // the editor was opened over it: the list is read again
};

CourseScreenView CourseView = {0, 0, -1, nullptr, nullptr, nullptr, 0};
CourseMap Map;

void select(int entry) {
    if (Courses.count == 0) return;
    CourseView.selected = std::clamp(entry, 0, Courses.count - 1);
    if (CourseView.selected < CourseView.firstRow) CourseView.firstRow = CourseView.selected;
    if (CourseView.selected >= CourseView.firstRow + VisibleRows)
        CourseView.firstRow = CourseView.selected - VisibleRows + 1;
}

void openScreen() {
    gatherCourses(&Courses);
    if (CourseView.gathered) CourseView.gathered(Courses);
    CourseView.firstRow = 0;
    select(std::max(chosenCourseEntry(&Courses), 0));
    // The first page while the chosen course is on it (today's daily course first), else
    // the fullest page that shows it.
    if (CourseView.selected >= VisibleRows)
        CourseView.firstRow = std::min(CourseView.selected, Courses.count - VisibleRows);
    CourseView.mapOf = -1;
}

void takeSelected() {
    if (Courses.count == 0) return;
    const CourseListEntry& entry = Courses.entries[CourseView.selected];
    if (!takeCourse(entry)) return;  // a broken course stays unchosen
    if (CourseView.taken) CourseView.taken(entry.name);
    closeTopScreen();
}

void showSelectedBestTimes() {
    if (Courses.count == 0) return;
    const CourseListEntry& entry = Courses.entries[CourseView.selected];
    int readable = 0;
    const uint64_t hash = courseContentHash(entry.path, &readable);
    if (readable) showBestTimesFor(hash, entry.name, entry.par);
}

// E edits the highlighted course (a shipped one as a copy), N a new one.
void editCourse(bool fresh) {
    if (!CourseView.edit || (!fresh && Courses.count == 0)) return;
    CourseView.stale = 1;
    if (fresh) {
        CourseView.edit(nullptr, nullptr, 1);
        return;
    }
    const CourseListEntry& entry = Courses.entries[CourseView.selected];
    CourseView.edit(entry.path, entry.name, entry.own);
}

// Back from the editor: a course may have been saved.
void readCoursesAgain() {
    const int selected = CourseView.selected;
    gatherCourses(&Courses);
    select(selected);
    CourseView.mapOf = -1;
    CourseView.stale = 0;
}

void onKey(int scanCode) {
    switch (scanCode) {
    case ScanE: editCourse(false); break;
    case ScanN: editCourse(true); break;
    case ScanUp: select(CourseView.selected - 1); break;
    case ScanDown: select(CourseView.selected + 1); break;
    case ScanPageUp: select(CourseView.selected - VisibleRows); break;
    case ScanPageDown: select(CourseView.selected + VisibleRows); break;
    case ScanHome: select(0); break;
    case ScanEnd: select(Courses.count - 1); break;
    case ScanEnter: takeSelected(); break;
    case ScanEsc: closeTopScreen(); break;
    case ScanF3: showSelectedBestTimes(); break;
    default: break;
    }
}

void text(DisplayContext* page, int x, int y, LookColour colour, const char* s) {
    drawLookText(page, Look.screen, Look.text, x, y, Look.screen.colour[colour], s);
}

// The grade's name as the player reads it; the index names it in English.
const char* gradeName(const char* grade) {
    const char* const names[] = {N_("green"), N_("blue"), N_("red"), N_("black")};
    for (const char* name : names)
        if (std::strcmp(grade, name) == 0) return trPage(name);
    return grade;
}

// The grade as a coloured mark before its name: green, blue, red, black.
LookColour gradeColour(const char* grade) {
    if (std::strcmp(grade, "green") == 0) return LookGood;
    if (std::strcmp(grade, "blue") == 0) return LookGradeBlue;
    if (std::strcmp(grade, "red") == 0) return LookWarning;
    return LookInk;
}

void drawGrade(DisplayContext* page, int x, int y, const char* grade) {
    fillBox(page, Look.screen.colour[LookWhite], x, y + 5, x + 11, y + 16);
    fillBox(page, Look.screen.colour[gradeColour(grade)], x + 1, y + 6, x + 10, y + 15);
    text(page, x + 18, y, LookDim, gradeName(grade));
}

void drawRow(DisplayContext* page, int i, int y) {
    const CourseListEntry& e = Courses.entries[i];
    if (i == CourseView.selected) {
        fillBox(page, Look.screen.colour[LookSelection], ListLeft + 4, y - 2, ListRight - 4, y + RowHeight - 3);
        fillBox(page, Look.screen.colour[LookAccent], ListLeft + 4, y - 2, ListLeft + 7, y + RowHeight - 3);
    }
    char name[24], tiles[16];
    std::snprintf(name, sizeof name, "%.18s", e.name);
    text(page, NameX, y, !e.usable ? LookWarning : i == CourseView.selected ? LookAccent : LookWhite, name);
    if (!e.usable) {
        text(page, GradeX, y, LookWarning, trPage("broken"));
        return;
    }
    if (e.own && e.par == 0)
        text(page, GradeX, y, LookDim, trPage("unproved"));
    else
        drawGrade(page, GradeX, y, e.grade);
    std::snprintf(tiles, sizeof tiles, "%d", e.tiles);
    text(page, TilesRight - textWidthOf(Look.text, tiles), y, LookWhite, tiles);
}

void drawList(DisplayContext* page) {
    drawPanel(page, Look.screen, ListLeft, ListTop, ListRight, PanelBottom);
    text(page, NameX, ListTop + 8, LookAccent, trPage("Course"));
    text(page, GradeX, ListTop + 8, LookAccent, trPage("Grade"));
    text(page, TilesRight - textWidthOf(Look.text, trPage("Tiles")), ListTop + 8, LookAccent, trPage("Tiles"));
    for (int row = 0; row < VisibleRows && CourseView.firstRow + row < Courses.count; ++row)
        drawRow(page, CourseView.firstRow + row, RowTop + row * RowHeight);
}

void drawDetails(DisplayContext* page) {
    const CourseListEntry& e = Courses.entries[CourseView.selected];
    drawPanel(page, Look.screen, SideLeft, DetailsTop, SideRight, PanelBottom);
    const int x = SideLeft + 12, width = SideRight - SideLeft - 24;
    char line[CourseNameCapacity + 32];
    std::snprintf(line, sizeof line, "%.20s", e.name);
    text(page, x, DetailsTop + 10, e.usable ? LookAccent : LookWarning, line);
    if (!e.usable) {
        const int lines = drawWrappedText(page, Look.screen, Look.text, x, DetailsTop + 36, width, RowHeight, 3,
                                          Look.screen.colour[LookWhite], e.problem);
        drawWrappedText(page, Look.screen, Look.text, x, DetailsTop + 36 + lines * RowHeight, width, RowHeight, 2,
                        Look.screen.colour[LookDim], trPage("Fix it with tumblegrade-trackcheck"));
        return;
    }
    std::snprintf(line, sizeof line, trPage("%s, %d tiles"), gradeName(e.grade), e.tiles);
    text(page, x, DetailsTop + 36, LookWhite, line);
    char par[24];
    std::snprintf(par, sizeof par, "%s", trPage("not known"));
    if (e.par > 0) formatRunTime(e.par, par, sizeof par);
    std::snprintf(line, sizeof line, trPage("Par %s"), par);
    text(page, x, DetailsTop + 60, LookWhite, line);
    if (e.own) text(page, x, DetailsTop + 84, LookDim, e.par ? trPage("Your own course") : trPage("Your own, unproved"));
    if (e.daily) text(page, x, DetailsTop + 84, LookDim, &e == &Courses.entries[0] ? trPage("Today's daily course") : trPage("A daily course"));
}

void drawMap(DisplayContext* page) {
    drawPanel(page, Look.screen, SideLeft, ListTop, SideRight, MapBottom);
    const CourseListEntry& e = Courses.entries[CourseView.selected];
    if (!e.usable) return;
    if (CourseView.mapOf != CourseView.selected) {
        buildCourseMap(e.path, &Map);  // once per selection, not per frame
        CourseView.mapOf = CourseView.selected;
    }
    const PageLook& look = Look.screen;
    const SignalColours signal = signalColours();
    drawCourseMap(Map, page, MapArea, look.colour[LookPath], look.colour[signal.good], look.colour[signal.bad]);
}

const KeyHint CourseKeys[] = {{KeyArrowUp KeyArrowDown, N_("Choose")}, {"Enter", N_("Ride it")},
                               {"F3", N_("Best times")}, {"E", N_("Edit")}, {"N", N_("New")}, {"Esc", N_("Back")}};
const KeyHint NoCourseKeys[] = {{"N", N_("New")}, {"Esc", N_("Back")}};

void drawScreen(DisplayContext* page) {
    if (CourseView.stale) readCoursesAgain();
    if (!beginLookScreen(page, N_("Courses"))) return;
    const char* note = trPage("Choose the course you ride");
    text(page, page->width - 20 - textWidthOf(Look.text, note), 22, LookDim, note);
    if (Courses.count == 0) {
        drawPanel(page, Look.screen, ListLeft, ListTop, SideRight, ListTop + 60);
        text(page, NameX, ListTop + 20, LookWarning, trPage("No course is here."));
        drawFooterKeys(page, Look.screen, Look.text, NoCourseKeys, int(std::size(NoCourseKeys)));
        return;
    }
    drawList(page);
    drawMap(page);
    drawDetails(page);
    drawFooterKeys(page, Look.screen, Look.text, CourseKeys, int(std::size(CourseKeys)));
}

const TopScreen CourseScreenSlots = {openScreen, onKey, drawScreen, nullptr};

void openCourses() { openTopScreen(TopScreenCourses); }

}  // namespace

void installCourseScreen() {
    registerTopScreen(TopScreenCourses, &CourseScreenSlots);
    bindFreeKey(ScreenMainMenu, ScanF2, openCourses);
}

void setCourseTakenHook(void (*taken)(const char* name)) { CourseView.taken = taken; }

void setCourseEditHook(void (*edit)(const char* path, const char* name, int own)) { CourseView.edit = edit; }

void setCourseListHook(void (*gathered)(const CourseList& list)) { CourseView.gathered = gathered; }
