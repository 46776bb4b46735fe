#include "demo_session.h"

#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/game_main.h"
#include "base/scan_codes.h"
#include "demo/attract_loop.h"
#include "demo/demo_check.h"
#include "demo/demo_watch.h"
#include "demo/game_checkpoint.h"
#include "demo/install_demos.h"
#include "menus/clock_install.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "platform/headless.h"
#include "race/damage_table.h"
#include "replay/autopilot.h"
#include "replay/state_log.h"
#include "support/test_support.h"

namespace {

DemoSessionPlan Plan;
int RideSteps = 0;
int Finishes = 0;
bool Held[256];

void hold(int scan, bool down) {
    if (Held[scan] == down) return;
    Held[scan] = down;
    headlessQueueKey(scan, down ? 1 : 0);
}

// The autopilot's menus and ride; Esc after the ride steps of the plan or at the finish.
void begin(int) {
    if (!GameState.racing) {
        int key = RideSteps == 0 ? autopilotMenuKey() : GameState.screen == ScreenFinish ? ScanEsc : 0;
        if (key == ScanEsc && Plan.rideAgain && Finishes++ == 0) key = ScanF5;
        if (key == 0) return;
        headlessQueueKey(key, 1);
        headlessQueueKey(key, 0);
        return;
    }
    if (++RideSteps > Plan.rideIterations && Plan.rideIterations > 0) {
        headlessQueueKey(ScanEsc, 1);
        return;
    }
    const RideControls c = autopilotRide();
    hold(ScanUp, c.up);
    hold(ScanAlt, c.alt);
    hold(ScanCtrl, c.ctrl);
    hold(ScanLeft, c.left);
    hold(ScanRight, c.right);
}

int CheckResult = 0;

void end(int iteration) {
    // On the intro (in its palette), then in the ride.
    const bool due = iteration == 5 || (GameState.racing && RideSteps == Plan.checkAtStep);
    if (Plan.checkAtStep > 0 && due && CheckResult == 0) CheckResult = checkDemosInLiveGame();
    if (GameState.racing && RideSteps == Plan.slowAtStep && Plan.slowAtStep > 0) GameState.speed *= 0.5f;
    if (iteration > 40000) requestExit();
}

// What the check must leave as it was: the state log's line, the checkpoint's
// fingerprint, the damage table's fills and the palette.
std::string liveGameSnapshot() {
    char* text = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&text, &size);
    if (!out) return "";
    writeStateLine(out, 0);
    std::fclose(out);
    std::string snapshot(text, size);
    std::free(text);
    snapshot += std::to_string(gameStateFingerprint()) + " " + std::to_string(DamageTableFills);
    if (const DisplayContext* page = drawingPage())
        snapshot.append(reinterpret_cast<const char*>(page->palette), sizeof page->palette);
    return snapshot;
}

}  // namespace

int runRecordedSession(const std::string& dataHome, const DemoSessionPlan& plan) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        Plan = plan;
        setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        if (chdir(TG_DATA_DIR) != 0) _exit(3);
        headlessSetClock(1000);
        headlessSetIterationHooks(begin, end);
        enableOwnScreens(1);
        installClockAndRecords();
        installDemos();
        char program[] = "tumblegrade";
        char* argv[] = {program, nullptr};
        const int status = gameMain(1, argv);
        _exit(CheckResult ? CheckResult : status);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

std::string withFirstPushLater(const std::vector<std::string>& lines) {
    std::string changed;
    bool moved = false;
    for (const std::string& line : lines) {
        int iteration = 0, scan = 0;
        char command[16];
        if (!moved && std::sscanf(line.c_str(), "%d %15s %d", &iteration, command, &scan) == 3 &&
            std::string(command) == "press" && scan == ScanUp) {
            changed += std::to_string(iteration + 1) + " press 72\n";
            moved = true;
            continue;
        }
        changed += line + "\n";
    }
    return moved ? changed : "";
}

int checkDemosInLiveGame() {
    const std::vector<std::string> lines = readLines(std::string(TG_SOURCE_DIR) + "/data/demos/classic.tgdemo");
    std::string demo;
    for (const std::string& line : lines) demo += line + "\n";
    const std::string later = withFirstPushLater(lines);
    if (later.empty()) return 31;
    const std::string before = liveGameSnapshot();
    std::string why;
    if (!demoPlaysAsItSays(demo, &why)) {
        std::fprintf(stderr, "the shipped demo does not play: %s\n", why.c_str());
        return 32;
    }
    if (liveGameSnapshot() != before) return 33;
    if (demoPlaysAsItSays(later, &why)) return 34;
    if (liveGameSnapshot() != before) return 35;
    return 0;
}

std::vector<std::string> findDemos(const std::string& dataHome, const std::string& prefix) {
    const std::string folder = dataHome + "/tumblegrade/demos";
    std::vector<std::string> found;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return found;
    while (const dirent* e = readdir(dir)) {
        const std::string name = e->d_name;
        if (name.rfind(prefix, 0) == 0 && name.size() > 7 && name.compare(name.size() - 7, 7, ".tgdemo") == 0)
            found.push_back(folder + "/" + name);
    }
    closedir(dir);
    std::sort(found.begin(), found.end());
    return found;
}

std::string findDemo(const std::string& dataHome, const std::string& prefix) {
    const std::vector<std::string> found = findDemos(dataHome, prefix);
    return found.empty() ? "" : found.back();
}

int verifyDemo(const std::string& demo, std::string* output) {
    const std::string command = std::string(TG_REPLAY_EXE) + " --verify '" + demo + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buffer[512];
    output->clear();
    while (std::fgets(buffer, sizeof buffer, pipe)) *output += buffer;
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace {

std::string WatchedDemo;
int JumpResult = -1;

int stepTo(int frame) {
    while (watchedFrame() < frame) {
        const int before = watchedFrame();
        watchKey(ScanRight);
        if (watchedFrame() == before) return 0;
    }
    return 1;
}

int checkJumps() {
    if (!watchDemoFile(WatchedDemo.c_str())) return 11;
    watchKey(ScanSpace);  // paused: Right steps a frame
    uint64_t straight[3];
    const int frames[3] = {100, 400, 700};
    for (int i = 0; i < 3; ++i) {
        if (!stepTo(frames[i])) return 12;
        straight[i] = gameStateFingerprint();
    }
    if (!GameState.racing || GameState.speed <= 0.0f) return 18;  // the jumps cross a ride
    watchKey(ScanPageUp);  // 700 -> 400
    if (watchedFrame() != 400 || gameStateFingerprint() != straight[1]) return 13;
    watchKey(ScanPageDown);  // 400 -> 700
    if (watchedFrame() != 700 || gameStateFingerprint() != straight[2]) return 14;
    watchKey(ScanHome);
    if (watchedFrame() != 0 || !stepTo(100) || gameStateFingerprint() != straight[0]) return 15;
    if (!stepTo(401)) return 16;
    watchKey(ScanLeft);  // one frame back
    if (watchedFrame() != 400 || gameStateFingerprint() != straight[1]) return 17;
    return 0;
}

void watchEnd(int iteration) {
    if (iteration == 1) JumpResult = checkJumps();
    if (iteration >= 3) requestExit();
}

}  // namespace

int checkWatchedJumps(const std::string& demo) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        WatchedDemo = demo;
        if (chdir(TG_DATA_DIR) != 0) _exit(3);
        headlessSetIterationHooks(nullptr, watchEnd);
        enableOwnScreens(1);
        installDemos();
        char program[] = "tumblegrade";
        char* argv[] = {program, nullptr};
        gameMain(1, argv);
        _exit(JumpResult);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

namespace {

int AttractResult = 20;

void attractBegin(int iteration) {
    // 30 seconds of intro, then the demo plays; at 33 seconds a key.
    if (iteration == 33 * 60) headlessQueueKey(ScanSpace, 1);
}

void attractEnd(int iteration) {
    if (iteration == 30 * 60 - 10 && watchingDemo()) AttractResult = 21;       // too early
    if (iteration == 33 * 60 - 1 && AttractResult == 20)
        AttractResult = !attractLoopPlaying() ? 22 : !GameState.racing ? 23 : 0;  // riding in the demo
    if (iteration == 33 * 60 + 2) {
        if (AttractResult == 0 && (watchingDemo() || GameState.screen != ScreenIntro || GameState.racing))
            AttractResult = 24;
        requestExit();
    }
}

}  // namespace

int checkAttractLoop() {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(TG_DATA_DIR) != 0) _exit(3);
        const std::string home = makeTempDir("demo-attract");
        setenv("XDG_DATA_HOME", home.c_str(), 1);
        headlessSetIterationHooks(attractBegin, attractEnd);
        enableOwnScreens(1);
        installDemos();
        char program[] = "tumblegrade";
        char* argv[] = {program, nullptr};
        gameMain(1, argv);
        _exit(AttractResult);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}
