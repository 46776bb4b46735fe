#include "demo_session.h"

#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/game_main.h"
#include "base/scan_codes.h"
#include "demo/attract_loop.h"
#include "demo/demo_check.h"
#include "demo/demo_file.h"
#include "demo/demo_playback.h"
#include "demo/demo_watch.h"
#include "demo/ghost_view.h"
#include "demo/world_ghost.h"
#include "demo/game_checkpoint.h"
#include "demo/install_demos.h"
#include "menus/clock_install.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "menus/best_times_screen.h"
#include "menus/run_watch.h"
#include "menus/top_screens.h"
#include "menus/world_board_view.h"
#include "online/outbox.h"
#include "online/run_sender.h"
#include "online/world_board.h"
#include "settings/settings.h"
#include "support/game_in_child.h"
#include "track/course_choice.h"
#include "platform/headless.h"
#include "race/damage_table.h"
#include "pilot/autopilot.h"
#include "records/best_times.h"
#include "records/records_store.h"
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

std::string SessionHome;

// In the child: an empty data home, the iteration hooks, the window game's demos.
void startDemosInFreshHome(const char* name, void (*begin)(int), void (*end)(int)) {
    const std::string home = makeTempDir(name);
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    headlessSetIterationHooks(begin, end);
    useTopScreens(1);
    installDemos();
}

}  // namespace

int runRecordedSession(const std::string& dataHome, const DemoSessionPlan& plan) {
    Plan = plan;
    SessionHome = dataHome;
    return runGameInChild(
        [] {
            setenv("XDG_DATA_HOME", SessionHome.c_str(), 1);
            headlessSetClock(1000);
            headlessSetIterationHooks(begin, end);
            useTopScreens(1);
            installClockAndRecords();
            installDemos();
            RunWatch.practice = Plan.practice;
        },
        [](int status) {
            if (Plan.practice && !RunWatch.finished) return 71;
            return CheckResult ? CheckResult : status;
        });
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
    WatchedDemo = demo;
    return runGameInChild(
        [] {
            headlessSetIterationHooks(nullptr, watchEnd);
            useTopScreens(1);
            installDemos();
        },
        [](int) { return JumpResult; });
}

namespace {

int BestTimesFailure = 0;
int BestTimesSteps = 0;  // the checks run through

void tap(int scanCode) {
    headlessQueueKey(scanCode, 1);
    headlessQueueKey(scanCode, 0);
}

// Enter that plays is let go only while the demo plays.
void bestTimesBegin(int iteration) {
    if (iteration == 3 || iteration == 4) headlessQueueKey(ScanEnter, iteration == 3);
    const int taps[] = {0, 0, ScanDown, 0, ScanEsc, ScanEnter, 0, ScanEnter};
    if (iteration < int(sizeof taps / sizeof taps[0]) && taps[iteration]) tap(taps[iteration]);
}

// The demo of the run chosen after Down is taken away.
void removeSecondRunsDemo() {
    RecordTable records;
    loadRecords(&records);
    const uint64_t hash = records.runs.empty() ? 0 : records.runs[0].courseHash;
    const RunRecord* best[2];
    if (bestRuns(records, hash, best, 2) == 2) unlink(best[1]->demo);
}

int checkBestTimesStep(int iteration) {
    switch (iteration) {
    case 1: showBestTimes(); return 0;
    case 3: return watchingDemo() && currentTopScreen() == TopScreenDemo ? 0 : 41;
    case 4:
        if (watchingDemo() || currentTopScreen() != TopScreenBestTimes) return 42;
        if (isKeyDown(ScanEnter)) return 43;
        removeSecondRunsDemo();
        return 0;
    case 5: return !watchingDemo() && currentTopScreen() == TopScreenBestTimes ? 0 : 44;
    case 6: showBestTimesFor(1, "nowhere", 0); return 0;
    case 7: return currentTopScreen() == TopScreenNone ? 0 : 45;
    default: return 0;
    }
}

void bestTimesEnd(int iteration) {
    if (BestTimesFailure == 0) BestTimesFailure = checkBestTimesStep(iteration);
    if (BestTimesFailure == 0) BestTimesSteps = iteration;
    if (iteration >= 7) requestExit();
}

}  // namespace

int checkBestTimesPlays(const std::string& dataHome) {
    SessionHome = dataHome;
    return runGameInChild(
        [] {
            setenv("XDG_DATA_HOME", SessionHome.c_str(), 1);
            headlessSetIterationHooks(bestTimesBegin, bestTimesEnd);
            useTopScreens(1);
            installClockAndRecords();
            installDemos();
        },
        [](int) { return BestTimesFailure ? BestTimesFailure : BestTimesSteps >= 7 ? 0 : 40; });
}

namespace {

int AttractResult = 20;
int AttractKey = ScanSpace;

void attractBegin(int iteration) {
    // 30 seconds of intro, then the demo plays; at 33 seconds a key.
    if (iteration == 33 * 60) headlessQueueKey(AttractKey, 1);
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

int checkAttractLoop(int scanCode) {
    AttractKey = scanCode;
    return runGameInChild(
        [] { startDemosInFreshHome("demo-attract", attractBegin, attractEnd); },
        [](int) { return AttractResult; });
}

namespace {

std::string PlayedDemo;
int PlaybackResult = 50;

struct RunSteps {
    int first = -1, last = -1, count = 0, upHeld = 0;
};

void noteRunStep(void* context, int iteration) {
    RunSteps& s = *static_cast<RunSteps*>(context);
    if (s.first < 0) s.first = iteration;
    s.last = iteration;
    ++s.count;
    s.upHeld += isKeyDown(ScanUp);
}

// The whole demo, then the same stopped 100 iterations into its run.
int checkPlayback() {
    DemoHeader header;
    ReplayScript script;
    std::string error;
    if (!readDemoFile(PlayedDemo.c_str(), &header, &script, &error)) return 51;
    RunSteps steps;
    const DemoPlayed whole = playDemoRun(header, script, script.lastIteration + 1, noteRunStep, &steps);
    if (!demoPlayedAsHeader(whole, header) || whole.startedAt < header.start) return 52;
    if (steps.first != whole.startedAt || steps.last != whole.played - 1) return 53;
    if (steps.count != steps.last - steps.first + 1 || steps.upHeld == 0) return 54;
    const DemoPlayed cut = playDemoRun(header, script, whole.startedAt + 100);
    if (cut.ended || cut.outcome != DemoNoOutcome || cut.iterations != 0 || cut.played != whole.startedAt + 100)
        return 55;
    return 0;
}

}  // namespace

int checkDemoPlayback(const std::string& demo) {
    PlayedDemo = demo;
    return runGameInChild(
        [] {
            headlessSetIterationHooks(nullptr, [](int) {
                if (PlaybackResult == 50) PlaybackResult = checkPlayback();
                requestExit();
            });
        },
        [](int) { return PlaybackResult; });
}

namespace {

// When the demo starts (--demo at the first iteration, the attract loop after 30
// seconds on the intro), Up is held; it is let go while the demo plays, and a key ends
// the watching.
struct StaleKeyPlan {
    int watchFrom, letGoAt, endAt;
};
StaleKeyPlan StalePlan;
int StaleKeyResult = 60;

void staleKeyBegin(int iteration) {
    if (iteration == 0) headlessQueueKey(ScanUp, 1);
    if (iteration == StalePlan.letGoAt) headlessQueueKey(ScanUp, 0);
    if (iteration == StalePlan.endAt) {
        headlessQueueKey(ScanEsc, 1);
        headlessQueueKey(ScanEsc, 0);
    }
}

void staleKeyEnd(int iteration) {
    if (iteration == StalePlan.watchFrom - 10 && iteration > 0 && !isKeyDown(ScanUp)) StaleKeyResult = 61;
    if (iteration == StalePlan.watchFrom + 10 && !watchingDemo()) StaleKeyResult = 62;
    if (iteration < StalePlan.endAt + 2) return;
    if (StaleKeyResult == 60) StaleKeyResult = watchingDemo() ? 63 : isKeyDown(ScanUp) ? 64 : 0;
    requestExit();
}

}  // namespace

int checkKeyLetGoWhileWatching(int fromAttractLoop) {
    StalePlan = fromAttractLoop ? StaleKeyPlan{30 * 60, 30 * 60 + 30, 30 * 60 + 60} : StaleKeyPlan{0, 30, 60};
    return runGameInChild(
        [] {
            startDemosInFreshHome("demo-stale-key", staleKeyBegin, staleKeyEnd);
            if (StalePlan.watchFrom == 0) watchDemoAtStart(TG_SOURCE_DIR "/data/demos/classic.tgdemo");
        },
        [](int) { return StaleKeyResult; });
}

namespace {

std::string SessionServer;
using WallClock = std::chrono::steady_clock;

bool outboxEmptyWithin(int seconds) {
    const WallClock::time_point end = WallClock::now() + std::chrono::seconds(seconds);
    while (!outboxEntries().empty() && WallClock::now() < end) usleep(50000);
    return outboxEntries().empty();
}

}  // namespace

int runOnlineSession(const std::string& dataHome, const std::string& server) {
    Plan = DemoSessionPlan{0, 0};
    SessionHome = dataHome;
    SessionServer = server;
    return runGameInChild(
        [] {
            setenv("XDG_DATA_HOME", SessionHome.c_str(), 1);
            rememberOnlineServer(SessionServer.c_str());
            startRunSender(onlineServerNow());
            headlessSetIterationHooks(begin, end);
            useTopScreens(1);
            installClockAndRecords();
            installDemos();
        },
        [](int status) {
            const bool sent = outboxEmptyWithin(30);
            stopRunSender();
            return status ? 70 + (status & 7) : sent ? 0 : 79;
        });
}

namespace {

int WorldFailure = 0;
int WorldStep = 0;  // 0 the board asked for, 1 the demo being watched, 2 the ghost asked, 3 done
WallClock::time_point WorldDeadline;

uint64_t chosenCourseHash() {
    int ok = 0;
    return courseContentHash(chosenCourseFile(), &ok);
}

// One step of the check per iteration; each waits for the network at most 20 seconds.
int worldViewStep(int iteration) {
    if (iteration < 1) return 0;
    if (iteration == 1) {
        showBestTimes();
        tap(ScanTab);
        WorldDeadline = WallClock::now() + std::chrono::seconds(20);
        return 0;
    }
    if (WallClock::now() > WorldDeadline) return 81 + WorldStep;
    if (WorldStep == 0 && worldBoardState() == BoardShown) {
        if (worldBoardRuns() < 1 || worldBoardOwnLine() != 0) return 85;
        tap(ScanEnter);
        WorldStep = 1;
    } else if (WorldStep == 0 && worldBoardState() != BoardFetching) {
        return 86;
    } else if (WorldStep == 1 && watchingDemo()) {
        tap(ScanEsc);
        WorldStep = 2;
    } else if (WorldStep == 2 && currentTopScreen() == TopScreenBestTimes) {
        tap(ScanF7);
        WorldStep = 3;
    } else if (WorldStep == 3 && worldGhostChosen(chosenCourseHash())) {
        loadGhostForRun(chosenCourseHash(), "NOBODY");
        return ghostLoaded() ? -1 : 87;
    }
    return 0;
}

void worldViewEnd(int iteration) {
    const int result = WorldFailure ? WorldFailure : worldViewStep(iteration);
    if (result) {
        WorldFailure = result;
        requestExit();
    }
}

}  // namespace

int checkWorldBoardView(const std::string& dataHome, const std::string& server) {
    SessionHome = dataHome;
    SessionServer = server;
    return runGameInChild(
        [] {
            setenv("XDG_DATA_HOME", SessionHome.c_str(), 1);
            rememberOnlineServer(SessionServer.c_str());
            headlessSetIterationHooks(nullptr, worldViewEnd);
            useTopScreens(1);
            installClockAndRecords();
            installDemos();
        },
        [](int) { return WorldFailure < 0 ? 0 : WorldFailure ? WorldFailure : 80; });
}
