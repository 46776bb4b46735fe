#include "menus/best_times_screen.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iterator>

#include "base/scan_codes.h"
#include "framework/framework.h"
#include "lang/translation.h"
#include "menus/top_screens.h"
#include "menus/board_rows.h"
#include "menus/look.h"
#include "menus/panels.h"
#include "menus/run_watch.h"
#include "menus/world_board_view.h"
#include "records/best_times.h"
#include "records/records_store.h"
#include "records/run_time.h"
#include "settings/settings.h"
#include "track/course_choice.h"

namespace {

constexpr int CourseCapacity = 64;
constexpr int NoteCapacity = 64;
constexpr int PanelLeft = 10, PanelRight = 630, CourseTop = 66, TableTop = 154, PanelBottom = 424;
constexpr int RowTop = 188, RowHeight = BoardRowHeight;
constexpr int RiderX = 66;  // notes start in the rider column

struct BestTimesView {
    uint64_t courses[CourseCapacity];  // every course shown: the asked one, then those with runs
    char names[CourseCapacity][RecordCourseNameCapacity];
    int32_t pars[CourseCapacity];
    int count;
    int at;
    int line;                // the chosen run of the course shown
    char note[NoteCapacity];  // why Enter played nothing, "" when it did not fail
    int world;                // Tab: the world's runs of the course shown
    RecordTable records;
};

BestTimesView View;
bool (*DemoPlayer)(const char* path) = nullptr;

int indexOf(uint64_t hash) {
    for (int i = 0; i < View.count; ++i)
        if (View.courses[i] == hash) return i;
    return -1;
}

void addCourse(uint64_t hash, const char* name, int par) {
    if (indexOf(hash) >= 0 || View.count == CourseCapacity) return;
    View.courses[View.count] = hash;
    std::snprintf(View.names[View.count], RecordCourseNameCapacity, "%s", name);
    View.pars[View.count] = par;
    ++View.count;
}

// The asked course first (when given), then every course with runs.
void readCourses(int haveAsked, uint64_t hash, const char* name, int par) {
    View.count = 0;
    View.at = 0;
    View.line = 0;
    View.note[0] = 0;
    loadRecords(&View.records);
    if (haveAsked) addCourse(hash, name, par);
    uint64_t withRuns[CourseCapacity];
    const int n = coursesWithRecords(View.records, withRuns, CourseCapacity);
    for (int i = 0; i < n; ++i) {
        const RunRecord* latest = latestRunOf(View.records, withRuns[i]);
        addCourse(withRuns[i], latest->courseName, latest->par);
    }
    // The asked course keeps the name and par it was asked with; one without them takes
    // those its runs were kept with.
    if (haveAsked && View.pars[0] == 0)
        if (const RunRecord* latest = latestRunOf(View.records, hash)) View.pars[0] = latest->par;
}

void closeScreen() {
    View.records.runs.clear();
    View.world = 0;
    closeWorldBoard();
}

// The best runs of the course shown, fastest first.
int shownRuns(const RunRecord** best) {
    return View.count ? bestRuns(View.records, View.courses[View.at], best, BestRunCount) : 0;
}

void moveCourse(int by) {
    if (View.count) View.at = (View.at + View.count + by) % View.count;
    View.line = 0;
    View.note[0] = 0;
    if (View.world) openWorldBoard(View.courses[View.at]);
}

// Tab: the rider's runs or the world's, of the same course.
void switchBoard() {
    View.world = !View.world && View.count > 0;
    View.note[0] = 0;
    if (View.world)
        openWorldBoard(View.courses[View.at]);
    else
        closeWorldBoard();
}

// F7 on the rider's own runs: the course's ghost is the own best again.
void ownGhost() {
    if (!View.count) return;
    dropWorldGhostOf(View.courses[View.at]);
    std::snprintf(View.note, sizeof View.note, "%s", trPage("Your own best is the ghost of this course."));
}

void moveLine(int by) {
    const RunRecord* best[BestRunCount];
    const int n = shownRuns(best);
    if (n) View.line = (View.line + n + by) % n;
    View.note[0] = 0;
}

// Enter: the chosen run's demo is played; on a course without runs, back.
void playChosenRun() {
    const RunRecord* best[BestRunCount];
    const int n = shownRuns(best);
    if (n == 0) {
        closeTopScreen();
        return;
    }
    const RunRecord* run = best[View.line < n ? View.line : 0];
    const char* note = "";
    if (!run->demo[0])
        note = N_("This run was kept without a demo.");
    else if (access(run->demo, R_OK) != 0)
        note = N_("The demo of this run is gone.");
    else if (!DemoPlayer)
        note = N_("Demos are not played here.");
    else if (!DemoPlayer(run->demo))
        note = N_("The demo of this run cannot be played.");
    std::snprintf(View.note, sizeof View.note, "%s", trPage(note));
}

void onKey(int scanCode) {
    const bool sideways = scanCode == ScanLeft || scanCode == ScanRight;
    if (View.world && !sideways && scanCode != ScanTab && scanCode != ScanEsc && scanCode != ScanBackspace) {
        worldBoardKey(scanCode, topScreenKeyModifiers());
        return;
    }
    switch (scanCode) {
    case ScanTab: switchBoard(); break;
    case ScanF7: ownGhost(); break;
    case ScanLeft: moveCourse(-1); break;
    case ScanRight: moveCourse(1); break;
    case ScanUp: moveLine(-1); break;
    case ScanDown: moveLine(1); break;
    case ScanEnter: playChosenRun(); break;
    case ScanEsc:
    case ScanBackspace: closeTopScreen(); break;
    default: break;
    }
}

void text(DisplayContext* page, int x, int y, LookColour colour, const char* s) { boardText(page, x, y, colour, s); }

void textRightAligned(DisplayContext* page, int right, int y, LookColour colour, const char* s) {
    boardTextRightAligned(page, right, y, colour, s);
}

void drawRun(DisplayContext* page, const RunRecord& run, int i, int y) {
    char rank[16], rider[32], time[RunTimeTextCapacity], date[16];
    std::snprintf(rank, sizeof rank, "%d.", i + 1);
    std::snprintf(rider, sizeof rider, "%.24s", run.rider[0] ? run.rider : "-");
    formatRunTime(run.steps, time, sizeof time);
    formatRunDate(run.date, date, sizeof date);
    drawBoardRow(page, y, i == View.line, false, rank, rider, time, date);
}

// The runs, the chosen one on the band; returns how many.
int drawTable(DisplayContext* page) {
    drawPanel(page, Look.screen, PanelLeft, TableTop, PanelRight, PanelBottom);
    const RunRecord* best[BestRunCount];
    const int n = shownRuns(best);
    if (n == 0) {
        text(page, RiderX, TableTop + 12, LookDim, trPage("No runs yet."));
        return 0;
    }
    drawBoardHeader(page, TableTop + 8);
    for (int i = 0; i < n; ++i) drawRun(page, *best[i], i, RowTop + i * RowHeight);
    return n;
}

void drawCourse(DisplayContext* page) {
    drawPanel(page, Look.screen, PanelLeft, CourseTop, PanelRight, TableTop - 8);
    char line[RecordCourseNameCapacity + 32];
    std::snprintf(line, sizeof line, "%.40s", View.names[View.at][0] ? View.names[View.at] : "?");
    text(page, PanelLeft + 14, CourseTop + 8, LookAccent, line);
    char par[RunTimeTextCapacity + 32];
    std::snprintf(par, sizeof par, "%s", trPage("No par"));
    if (View.pars[View.at] > 0) {
        char time[RunTimeTextCapacity];
        formatRunTime(View.pars[View.at], time, sizeof time);
        std::snprintf(par, sizeof par, trPage("Par %s"), time);
    }
    text(page, PanelLeft + 14, CourseTop + 32, LookWhite, par);
    std::snprintf(line, sizeof line, trPage("Course %d of %d"), View.at + 1, View.count);
    textRightAligned(page, PanelRight - 14, CourseTop + 8, LookDim, line);
    text(page, PanelLeft + 14, CourseTop + 56, LookWarning, View.world ? worldBoardNote() : View.note);
}

const KeyHint RunKeys[] = {{KeyArrowLeft KeyArrowRight, N_("Course")}, {KeyArrowUp KeyArrowDown, N_("Run")},
                           {"Enter", N_("Watch its demo")}, {"Esc", N_("Back")}};
const KeyHint NoRunKeys[] = {{KeyArrowLeft KeyArrowRight, N_("Course")}, {"Enter", N_("Back")}, {"Esc", N_("Back")}};
const KeyHint WorldKeys[] = {{KeyArrowLeft KeyArrowRight, N_("Course")}, {KeyArrowUp KeyArrowDown, N_("Run")}, {"Enter", N_("Watch")},
                             {"F7", N_("Ghost")}, {"Tab", N_("Your runs")}, {"Esc", N_("Back")}};
const KeyHint OwnKeys[] = {{"Tab", N_("World")}, {"Esc", N_("Back")}};

// With a board server set the footer names Tab too.
void drawLocalFooter(DisplayContext* page, const KeyHint* keys, int count) {
    if (!onlineServerNow()[0]) {
        drawFooterKeys(page, Look.screen, Look.text, keys, count);
        return;
    }
    KeyHint withTab[8];
    int n = 0;
    for (int i = 0; i < count - 1 && n < 6; ++i) withTab[n++] = keys[i];
    withTab[n++] = OwnKeys[0];
    withTab[n++] = keys[count - 1];
    drawFooterKeys(page, Look.screen, Look.text, withTab, n);
}

void drawScreen(DisplayContext* page) {
    if (!beginLookScreen(page, N_("Best times"))) return;
    if (View.count == 0) {
        drawPanel(page, Look.screen, PanelLeft, CourseTop, PanelRight, CourseTop + 60);
        text(page, PanelLeft + 14, CourseTop + 20, LookWhite, trPage("No course has runs yet."));
        drawFooterKeys(page, Look.screen, Look.text, NoRunKeys + 2, 1);
        return;
    }
    drawCourse(page);
    const int oneCourse = View.count < 2 ? 1 : 0;  // Left and Right have nowhere to go
    if (View.world) {
        drawWorldBoard(page, TableTop, PanelBottom, PanelRight - 14, CourseTop + 32);
        drawFooterKeys(page, Look.screen, Look.text, WorldKeys + oneCourse, int(std::size(WorldKeys)) - oneCourse);
    } else if (drawTable(page) > 0) {
        drawLocalFooter(page, RunKeys + oneCourse, int(std::size(RunKeys)) - oneCourse);
    } else {
        drawLocalFooter(page, NoRunKeys + oneCourse, int(std::size(NoRunKeys)) - oneCourse);
    }
}

const TopScreen BestTimesScreen = {nullptr, onKey, drawScreen, closeScreen};

}  // namespace

void showBestTimesFor(uint64_t courseHash, const char* courseName, int par) {
    readCourses(1, courseHash, courseName ? courseName : "", par);
    openTopScreen(TopScreenBestTimes);
}

void showBestTimes() {
    int ok = 0;
    const uint64_t hash = courseContentHash(chosenCourseFile(), &ok);
    char name[RecordCourseNameCapacity];
    int par = 0;
    chosenCourseLabel(name, sizeof name, &par);
    readCourses(ok, hash, name, par);
    openTopScreen(TopScreenBestTimes);
}

void registerBestTimesScreen() { registerTopScreen(TopScreenBestTimes, &BestTimesScreen); }

void setBestTimesDemoPlayer(bool (*play)(const char* path)) {
    DemoPlayer = play;
    setWorldDemoPlayer(play);
}
