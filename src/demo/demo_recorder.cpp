#include "demo/demo_recorder.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/game_state.h"
#include "base/scan_codes.h"
#include "demo/demo_file.h"
#include "demo/demo_store.h"
#include "demo/ghost_path.h"
#include "demo/ghost_view.h"
#include "framework/framework.h"
#include "game/run_start.h"
#include "game/screens.h"
#include "menus/top_screens.h"
#include "menus/run_watch.h"
#include "profile/rider_profile.h"
#include "race/damage_table.h"
#include "race/ride_clock.h"
#include "render/camera.h"
#include "render/rasteriser.h"
#include "track/course_choice.h"

namespace {

enum EntryType : uint8_t { EntryPress, EntryRelease, EntryTime, EntryMode };

struct SessionEntry {
    int32_t iteration;
    uint8_t type;
    uint8_t scanCode;
    uint32_t seed;  // EntryTime
};

constexpr int SessionCapacity = 1 << 17;
constexpr int RideKeyCount = 5;  // Up, Ctrl, Left, Right, Alt: the keys the ride holds
constexpr int RideKeys[RideKeyCount] = {ScanUp, ScanCtrl, ScanLeft, ScanRight, ScanAlt};

struct RunMark {
    int32_t firstEntry;      // the run's first entry: its start key, or the first of its iteration
    int32_t startIteration;
    int32_t clockAtStart;
    int32_t byKey;           // started by a key the game heard (the first entry)
    uint8_t held[RideKeyCount];  // ride keys held as the run starts
    int32_t texturing;
    RideStartState start;
    uint64_t courseHash;
    char course[64];
};

struct Recorder {
    SessionEntry log[SessionCapacity];
    int32_t count;
    int32_t full;            // the log ran out: whole sessions can no longer be written
    int32_t watched;         // a demo was watched: neither can they
    int32_t paused;
    int32_t iteration;       // iterations completed
    int32_t iterationFirst;  // the first entry of the iteration under way
    uint32_t sessionSeed;
    int32_t fills;
    uint8_t held[ScanCodeCount];
    uint8_t heldAtIterationStart[RideKeyCount];
    int32_t inRun;
    int32_t lastRacing;      // GameState.racing after the last key or iteration heard
    int32_t changedAside;    // a key taken beside the game changed it: no whole sessions
    RunMark run;
    int32_t hasFirst;
    RunMark first;
    uint8_t heldAfterPrologue[RideKeyCount];
    int32_t lastClock;
    GhostPath ghost;
    size_t ghostSize;         // the ghost file of the last run ended, in GhostBytes
    int32_t finishWaiting;    // FinishedDemo holds a finished run's demo not yet taken
};

Recorder Recording;
uint8_t GhostBytes[GhostFileCapacity];
FinishedRunDemo FinishedDemo;

void addEntry(uint8_t type, int scanCode, uint32_t seed) {
    if (Recording.count == SessionCapacity) {
        Recording.full = 1;
        return;
    }
    Recording.log[Recording.count++] = SessionEntry{Recording.iteration, type, uint8_t(scanCode), seed};
}

// The mode switch re-seeds the damage table: its clock and the switch go before the keys
// of the iteration, where the switch came from the message pump.
void noteTableFill() {
    if (Recording.count + 2 > SessionCapacity) {
        Recording.full = 1;
        return;
    }
    const int first = Recording.iterationFirst;
    std::memmove(Recording.log + first + 2, Recording.log + first, sizeof(SessionEntry) * size_t(Recording.count - first));
    Recording.log[first] = SessionEntry{Recording.iteration, EntryTime, 0, DamageTableSeed};
    Recording.log[first + 1] = SessionEntry{Recording.iteration, EntryMode, 0, 0};
    Recording.count += 2;
}

const char* courseLabel() {
    const char* name = chosenCourseName();
    if (name && name[0]) return name;
    const char* file = chosenCourseFile();
    const char* slash = std::strrchr(file, '/');
    return slash ? slash + 1 : file;
}

// How a run starts: by the key just noted, by a free key (ride again) before the
// keys that follow it, or found at the end of an iteration.
enum RunStartKind { StartSeenLate, StartByKey, StartByFreeKey };

void beginRun(int kind) {
    const int byKey = kind == StartByKey;
    Recording.inRun = 1;
    RunMark& m = Recording.run;
    m.byKey = byKey;
    m.firstEntry = byKey ? Recording.count - 1 : kind == StartByFreeKey ? Recording.count : Recording.iterationFirst;
    m.startIteration = Recording.iteration;
    m.clockAtStart = RideClock.iterations;
    for (int k = 0; k < RideKeyCount; ++k)
        m.held[k] = kind == StartSeenLate ? Recording.heldAtIterationStart[k] : Recording.held[RideKeys[k]];
    m.texturing = texturingEnabled;
    captureRideStart(&m.start);
    int ok = 0;
    m.courseHash = courseContentHash(chosenCourseFile(), &ok);
    std::snprintf(m.course, sizeof m.course, "%s", courseLabel());
    Recording.lastClock = RideClock.iterations;
    Recording.ghost.count = 0;
    loadGhostForRun(m.courseHash, Rider.name());
    if (!Recording.hasFirst && byKey && !Recording.full) {
        Recording.hasFirst = 1;
        Recording.first = m;
        for (int k = 0; k < RideKeyCount; ++k) Recording.heldAfterPrologue[k] = m.held[k];
    }
}

void line(std::string* text, int iteration, const char* command, int value) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%d %s %d\n", iteration, command, value);
    *text += buffer;
}

void entryLine(std::string* text, int iteration, const SessionEntry& e) {
    switch (e.type) {
    case EntryPress: line(text, iteration, "press", e.scanCode); break;
    case EntryRelease: line(text, iteration, "release", e.scanCode); break;
    case EntryTime: line(text, iteration, "time", int(e.seed)); break;
    default: *text += std::to_string(iteration) + " mode\n"; break;
    }
}

// The run after the first run's prologue; returns the run's start iteration in the text.
int writeWithPrologue(std::string* text) {
    line(text, 0, "time", int(Recording.first.start.damageSeed));
    int at = 1;
    for (int i = 0; i < Recording.first.firstEntry; ++i) {
        const SessionEntry& e = Recording.log[i];
        if (e.type == EntryPress || e.type == EntryRelease) entryLine(text, at++, e);
    }
    const int start = at;
    entryLine(text, start, Recording.log[Recording.first.firstEntry]);
    const RunMark& m = Recording.run;
    // Ride again starts with the keys held then and the texturing as it was.
    for (int k = 0; k < RideKeyCount; ++k)
        if (m.held[k] != Recording.heldAfterPrologue[k]) line(text, start, m.held[k] ? "press" : "release", RideKeys[k]);
    if (m.texturing != Recording.first.texturing) line(text, start, "tap", ScanT);
    for (int i = m.firstEntry + (m.byKey ? 1 : 0); i < Recording.count; ++i)
        entryLine(text, start + (Recording.log[i].iteration - m.startIteration), Recording.log[i]);
    return start;
}

void writeWholeSession(std::string* text) {
    line(text, 0, "time", int(Recording.sessionSeed));
    for (int i = 0; i < Recording.count; ++i) entryLine(text, Recording.log[i].iteration, Recording.log[i]);
}

// The ended run's demo text under its header; false (with one line on standard error)
// when the session cannot give it.
bool writeRunDemo(int outcome, DemoHeader* h, std::string* text) {
    const RunMark& m = Recording.run;
    h->version = DemoFormatVersion;
    std::snprintf(h->game, sizeof h->game, "%s", TG_GAME_VERSION);
    std::snprintf(h->course, sizeof h->course, "%s", m.course);
    h->courseHash = m.courseHash;
    std::snprintf(h->rider, sizeof h->rider, "%s", Rider.name());
    h->outcome = outcome;
    h->iterations = RideClock.iterations;
    const char* why = Recording.full      ? "too many keys to note"
                      : Recording.watched ? "it did not start as the session's first run, and a demo was watched"
                                  : "it did not start as the session's first run, and the session was changed "
                                    "beside the game's keys";
    std::string body;
    if (!Recording.full && Recording.hasFirst && sameRideStart(m.start, Recording.first.start)) {
        h->start = writeWithPrologue(&body);
    } else if (!Recording.full && !Recording.watched && !Recording.changedAside) {
        writeWholeSession(&body);
        h->start = m.startIteration;
    } else {
        std::fprintf(stderr, "tumblegrade: the run is not kept as a demo (%s)\n", why);
        return false;
    }
    const int end = h->start + (Recording.iteration - m.startIteration) + 1;
    // Left by the window's close button or a signal: the replay closes it too.
    const SessionEntry* last = Recording.count > 0 ? &Recording.log[Recording.count - 1] : nullptr;
    const bool leftByEsc = last && last->type == EntryPress && last->scanCode == ScanEsc && last->iteration == Recording.iteration;
    if (exitRequested() && !leftByEsc) body += std::to_string(end - 1) + " close yes\n";
    body += std::to_string(end) + " stop\n";
    *text = demoHeaderText(*h) + body;
    return true;
}

// A finish waits for the finish sequence (finishRunWithDemo) to check its demo; every
// other end keeps its demo among the last runs at once.
void endRun(int outcome) {
    Recording.inRun = 0;
    if (RunWatch.practice) return;  // a run at practice speed keeps no demo
    DemoHeader h{};
    std::string text;
    if (!writeRunDemo(outcome, &h, &text)) return;
    Recording.ghost.demoHash = demoContentHash(text.data(), text.size());
    Recording.ghostSize = encodeGhostPath(Recording.ghost, GhostBytes, sizeof GhostBytes);
    if (outcome != DemoFinish) {
        keepDemo(h, text, GhostBytes, Recording.ghostSize, 1);
        return;
    }
    FinishedDemo.header = h;
    FinishedDemo.text = text;
    FinishedDemo.ghost = GhostBytes;
    FinishedDemo.ghostSize = Recording.ghostSize;
    Recording.finishWaiting = 1;
}

void noteGhostStep() {
    if (!GameState.racing || RideClock.iterations == Recording.lastClock) return;
    Recording.lastClock = RideClock.iterations;
    const int index = RideClock.iterations - Recording.run.clockAtStart - 1;
    if (index < 0 || index >= GhostCapacity) return;
    GhostPoint& p = Recording.ghost.points[index];
    p.x = RiderPosition.x;
    p.y = RiderPosition.y;
    p.z = RiderPosition.z;
    p.heading = riderHeading();
    Recording.ghost.count = index + 1;
}

}  // namespace

// Keys taken beside the game that only switch what is shown.
bool showsOnly(int scanCode) { return scanCode == ScanTab || scanCode == ScanF7; }

void demoRecorderKey(int scanCode, int down) {
    if (Recording.paused || scanCode <= 0 || scanCode >= ScanCodeCount) return;
    const int wasRacing = Recording.lastRacing;
    Recording.lastRacing = GameState.racing;
    if (down == KeyTakenByTopScreen || down == KeyTakenByFreeKey) {
        if (!showsOnly(scanCode)) Recording.changedAside = 1;
        // Ride again: a fresh run from here, the one on (if any) given up.
        if (GameState.racing && !wasRacing) {
            if (Recording.inRun) endRun(DemoLeft);
            beginRun(StartByFreeKey);
        }
        return;
    }
    addEntry(down ? EntryPress : EntryRelease, scanCode, 0);
    Recording.held[scanCode] = down ? 1 : 0;
    if (down && GameState.racing && !Recording.inRun) beginRun(StartByKey);
}

void demoRecorderIteration() {
    if (Recording.paused) return;
    if (Recording.fills == 0) {  // the fill at start-up seeds the session
        Recording.sessionSeed = DamageTableSeed;
        Recording.fills = DamageTableFills;
    }
    if (DamageTableFills != Recording.fills) {
        Recording.fills = DamageTableFills;
        noteTableFill();
    }
    // A run heard starting by a key in this iteration is the one the phase saw start.
    const RunPhase& phase = RunWatch.phase;
    if (phase.replaced && Recording.inRun && Recording.run.startIteration != Recording.iteration) endRun(DemoLeft);
    if (GameState.racing && !Recording.inRun) beginRun(StartSeenLate);
    if (Recording.inRun) noteGhostStep();
    if (Recording.inRun && phase.ended) endRun(phase.outcome);
    Recording.lastRacing = GameState.racing;
    ++Recording.iteration;
    Recording.iterationFirst = Recording.count;
    for (int k = 0; k < RideKeyCount; ++k) Recording.heldAtIterationStart[k] = Recording.held[RideKeys[k]];
}

void startDemoRecorder() { resetDemoRecorder(); }

void resetDemoRecorder() {
    std::memset(&Recording, 0, sizeof Recording);
    Recording.sessionSeed = DamageTableSeed;
    Recording.fills = DamageTableFills;
}

void pauseDemoRecorder(int paused) {
    Recording.paused = paused;
    if (paused) Recording.watched = 1;
    // What watching filled is not a window switch of this session.
    Recording.fills = DamageTableFills;
    Recording.iterationFirst = Recording.count;
}

bool takeFinishedRunDemo(FinishedRunDemo* demo) {
    if (!Recording.finishWaiting) return false;
    Recording.finishWaiting = 0;
    *demo = FinishedDemo;
    return true;
}
