#include "menus/best_times_screen.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "base/scan_codes.h"
#include "framework/framework.h"
#include "menus/top_screens.h"
#include "menus/plain_screen.h"
#include "menus/run_watch.h"
#include "records/best_times.h"
#include "records/records_store.h"
#include "records/run_time.h"
#include "track/course_choice.h"

namespace {

constexpr int CourseCapacity = 64;
constexpr int NoteCapacity = 64;
const char ScreenFont[] = "Cour20b.fnt";

struct BestTimesView {
    uint64_t courses[CourseCapacity];  // every course shown: the asked one, then those with runs
    char names[CourseCapacity][RecordCourseNameCapacity];
    int32_t pars[CourseCapacity];
    int count;
    int at;
    int line;                // the chosen run of the course shown
    char note[NoteCapacity];  // why Enter played nothing, "" when it did not fail
    RecordTable records;
    Font* font;
    PaletteEntry palette[256];
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

void openScreen() {
    if (!View.font) View.font = loadFont(ScreenFont);
    fillScreenPalette(View.palette);
}

void closeScreen() { View.records.runs.clear(); }

// The best runs of the course shown, fastest first.
int shownRuns(const RunRecord** best) {
    return View.count ? bestRuns(View.records, View.courses[View.at], best, BestRunCount) : 0;
}

void moveCourse(int by) {
    if (View.count) View.at = (View.at + View.count + by) % View.count;
    View.line = 0;
    View.note[0] = 0;
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
        note = "This run was kept without a demo.";
    else if (access(run->demo, R_OK) != 0)
        note = "The demo of this run is gone.";
    else if (!DemoPlayer)
        note = "Demos are not played here.";
    else if (!DemoPlayer(run->demo))
        note = "The demo of this run cannot be played.";
    std::snprintf(View.note, sizeof View.note, "%s", note);
}

void onKey(int scanCode) {
    switch (scanCode) {
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

// The runs, the chosen one marked and in the highlight; returns how many.
int drawTable() {
    const RunRecord* best[BestRunCount];
    const int n = shownRuns(best);
    if (n == 0) drawScreenLine(40, 150, Dim, "No runs yet.");
    for (int i = 0; i < n; ++i) {
        char time[RunTimeTextCapacity], date[16], line[128];
        formatRunTime(best[i]->steps, time, sizeof time);
        formatRunDate(best[i]->date, date, sizeof date);
        const bool chosen = i == View.line;
        std::snprintf(line, sizeof line, "%c%2d. %-20.20s %9s  %s", chosen ? '>' : ' ', i + 1,
                      best[i]->rider[0] ? best[i]->rider : "-", time, date);
        drawScreenLine(28, 150 + i * 26, chosen ? Highlight : Text, line);
    }
    return n;
}

void drawScreen(DisplayContext* page) {
    if (!beginPlainScreen(page, View.palette, View.font)) return;
    char line[160];
    drawScreenLine(40, 30, Title, "BEST TIMES");
    if (View.count == 0) {
        drawScreenLine(40, 90, Text, "No course has runs yet.");
    } else {
        std::snprintf(line, sizeof line, "%s", View.names[View.at][0] ? View.names[View.at] : "?");
        drawScreenLine(40, 70, Text, line);
        char par[RunTimeTextCapacity + 8] = "No par";
        if (View.pars[View.at] > 0) {
            std::memcpy(par, "Par ", 4);
            formatRunTime(View.pars[View.at], par + 4, sizeof par - 4);
        }
        std::snprintf(line, sizeof line, "%s    course %d of %d", par, View.at + 1, View.count);
        drawScreenLine(40, 96, Dim, line);
        drawScreenLine(40, 122, Warning, View.note);
        if (drawTable() > 0) drawScreenLine(40, 414, Dim, "Up/Down: run    Enter: watch its demo");
    }
    drawScreenLine(40, 440, Dim, "Left/Right: course    Esc: back");
}

const TopScreen BestTimesScreen = {openScreen, onKey, drawScreen, closeScreen};

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

void setBestTimesDemoPlayer(bool (*play)(const char* path)) { DemoPlayer = play; }
