// The editor in the window game without the window (the headless back-end, top screens,
// records and demos on, in a child process): F8's autopilot gives a generated course the
// par the build's index has from `tumblegrade-replay --autopilot` and leaves the live
// game as it was; a test ride (F5, Up held, Esc) comes back to the editor with the cursor
// where the rider stopped, one from the cursor tile (Shift+F5) starts there, and neither
// keeps records or demos.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/game_main.h"
#include "base/game_state.h"
#include "base/scan_codes.h"
#include "demo/game_checkpoint.h"
#include "demo/install_demos.h"
#include "editor/autopilot_proof.h"
#include "editor/editor_screen.h"
#include "framework/framework.h"
#include "menus/clock_install.h"
#include "menus/top_screens.h"
#include "platform/headless.h"
#include "support/game_in_child.h"
#include "support/test_support.h"
#include "track/course_index.h"

namespace {

const char ProvedCourse[] = "gate-sprint";
int Failed = 0;       // the first check that failed, 0 when none

std::string courseText(const char* file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// At the intro: the autopilot's par of the course, and the live game untouched.
void checkProof() {
    static CourseIndex index;
    char error[160];
    if (!readCourseIndex(CourseIndexFile, &index, error, sizeof error)) Failed = 11;
    const CourseIndexEntry* entry = findCourse(&index, ProvedCourse);
    if (!entry || entry->par <= 0) {
        Failed = Failed ? Failed : 12;
        return;
    }
    const std::string text = courseText(entry->file);
    const uint64_t before = gameStateFingerprint();
    const AutopilotRide ride = rideAutopilotOn(text.data(), int(text.size()));
    if (!ride.finished || ride.par != entry->par) {
        std::fprintf(stderr, "autopilot: %s in %d, the index's par %d\n", ride.outcome, ride.par, entry->par);
        Failed = 13;
    }
    if (gameStateFingerprint() != before) Failed = 14;
}

void tap(int scanCode) {
    headlessQueueKey(scanCode, 1);
    headlessQueueKey(scanCode, 0);
}

void begin(int iteration) {
    if (iteration == 2) checkProof();
    if (iteration == 3) openCourseEditor("courses/gate-sprint.tbk", ProvedCourse, 0);
    if (iteration == 5) tap(ScanF5);
    if (iteration == 8) headlessQueueKey(ScanUp, 1);
    if (iteration == 100) {
        if (!GameState.racing) Failed = 20;
        headlessQueueKey(ScanUp, 0);
    }
    if (iteration == 101) tap(ScanEsc);
    if (iteration == 103) {
        if (currentTopScreen() != TopScreenEditor || GameState.racing) Failed = 21;
        if (Editor.cursor <= 0) Failed = 22;  // the rider went some tiles down the course
        for (int key : {ScanHome, ScanPageDown, ScanDown, ScanDown}) tap(key);
    }
    if (iteration == 105) {  // Shift+F5: from the cursor tile
        headlessQueueKey(ScanLeftShift, 1);
        tap(ScanF5);
        headlessQueueKey(ScanLeftShift, 0);
    }
    if (iteration == 109) {
        if (!GameState.racing) Failed = 24;
        tap(ScanEsc);
    }
    if (iteration == 111) {
        if (Editor.cursor != 12) Failed = 25;  // standing at the tile it started from
        tap(ScanEsc);                          // no changes: the editor closes at once
    }
    if (iteration == 113) {
        if (currentTopScreen() != TopScreenNone) Failed = 23;
        requestExit();
    }
}

std::string Home;

int filesIn(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return 0;
    int count = 0;
    while (const dirent* e = readdir(dir)) count += e->d_name[0] != '.';
    closedir(dir);
    return count;
}

}  // namespace

TEST(EditorSession, ProofGivesTheReplayToolsParAndTestRidesKeepNothing) {
    Home = makeTempDir("editor-session");
    EXPECT_EQ(runGameInChild(
                  [] {
                      setenv("XDG_DATA_HOME", Home.c_str(), 1);
                      headlessSetClock(1000);
                      headlessSetIterationHooks(begin, nullptr);
                      useTopScreens(1);
                      installClockAndRecords();
                      installDemos();
                      installCourseEditor();
                  },
                  [](int status) { return Failed ? Failed : status; }),
              0);
    EXPECT_EQ(filesIn(Home + "/tumblegrade/demos"), 0);
    EXPECT_FALSE(std::ifstream(Home + "/tumblegrade/records.txt").good());
}
