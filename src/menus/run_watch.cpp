#include "menus/run_watch.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "base/game_state.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "race/damage_table.h"
#include "race/ride_clock.h"
#include "records/best_times.h"
#include "records/records_store.h"
#include "render/segment_window.h"
#include "track/course_choice.h"
#include "track/course_index.h"
#include "track/track_lists.h"

RunWatchState RunWatch;

namespace {

void beginRun() {
    RunWatchState& w = RunWatch;
    w.start = w.candidate;
    w.running = 1;
    w.raceFrames = 0;
    w.splitCount = 0;
    w.lastSplitFrame = -1;
    w.finished = 0;
    w.finishKept = 0;
    w.newPersonalBest = 0;
    w.ownBestSteps = 0;
    int ok = 0;
    w.courseHash = courseContentHash(chosenCourseFile(), &ok);
    w.courseKnown = ok;
    chosenCourseLabel(w.courseName, sizeof w.courseName, &w.coursePar);
    w.records.runs.clear();
    if (w.keepRecords && w.courseKnown) loadRecords(&w.records);
    const RunRecord* best = w.courseKnown ? personalBest(w.records, w.courseHash, Rider.name()) : nullptr;
    w.haveBest = best != nullptr;
    if (best) w.best = *best;
}

// One racing iteration: a split when the window moved on to a tile with a gate.
void followRun() {
    RunWatchState& w = RunWatch;
    ++w.raceFrames;
    const int count = TrackMeshes.count();
    const bool moved = !w.lastFillPending && !windowFillPending && count < w.lastTrackCount;
    if (moved && tileHasGate(SegmentWindow.current.objects) && w.splitCount < RecordSplitCapacity) {
        w.splits[w.splitCount++] = RideClock.iterations;
        w.lastSplitFrame = w.raceFrames;
    }
    w.lastTrackCount = count;
}

void (*RunFollower)() = nullptr;
int RunWatchObserved = 0;

void noteFinish() {
    RunWatchState& w = RunWatch;
    w.finished = 1;
    RunRecord& run = w.finish;
    run = RunRecord{};
    run.courseHash = w.courseHash;
    std::memcpy(run.courseName, w.courseName, sizeof run.courseName);
    std::snprintf(run.rider, sizeof run.rider, "%s", Rider.name());
    run.steps = RideClock.iterations;
    run.date = int64_t(std::time(nullptr));
    run.health = Rider.health();
    run.condition = Rider.condition();
    run.par = w.coursePar;
    run.splitCount = w.splitCount;
    std::memcpy(run.splits, w.splits, sizeof run.splits);
}

}  // namespace

void keepFinishedRun(const char* demoFile) {
    RunWatchState& w = RunWatch;
    RunRecord& run = w.finish;
    // A run the clock never saw start (no push) has no time to keep, nor one at practice speed.
    if (!w.finished || !w.courseKnown || run.steps <= 0 || w.practice) return;
    std::snprintf(run.demo, sizeof run.demo, "%s", demoFile ? demoFile : "");
    const RunRecord* before = ridersBest(w.records, run.courseHash, run.rider);
    const int32_t beforeSteps = before ? before->steps : 0;  // read before the table changes
    if (w.keepRecords) w.finishKept = keepRun(run, &w.records);
    if (w.finishKept) {
        const RunRecord* own = ridersBest(w.records, run.courseHash, run.rider);
        w.newPersonalBest = own == &w.records.runs.back();
        w.ownBestSteps = own ? own->steps : run.steps;
    } else {
        w.newPersonalBest = beforeSteps == 0 || run.steps < beforeSteps;
        w.ownBestSteps = w.newPersonalBest ? run.steps : beforeSteps;
    }
}

void installRunWatch(int keepRecords) {
    resetRunWatch();
    RunWatch.keepRecords = keepRecords;
    if (!RunWatchObserved) addIterationObserver(watchRun);
    RunWatchObserved = 1;
}

void setRunWatchFollower(void (*follower)()) {
    if (!RunWatchObserved) installRunWatch(0);
    RunFollower = follower;
}

void watchRun() {
    RunWatchState& w = RunWatch;
    RunPhase& phase = w.phase;
    const int racing = GameState.racing;
    advanceRunPhase(&phase, exitRequested());
    if (!racing && windowFillPending) captureRunStart(&w.candidate);
    if (phase.started && phase.fromStart && w.candidate.valid) beginRun();
    if (racing && w.running) followRun();
    const int finishedNow = phase.ended && phase.outcome == RunFinished && w.running && !w.finished;
    if (finishedNow) noteFinish();
    w.lastFillPending = windowFillPending;
    if (RunFollower)
        RunFollower();
    else if (finishedNow)
        keepFinishedRun("");
}

void expectRunFromStart(const RunStart& start) {
    RunWatch.candidate = start;
    noteFreshRun(&RunWatch.phase);
}

bool tileHasGate(const SegmentObjects& objects) {
    for (const ObjectSlot& slot : objects.slots)
        if (slot.kind == 't') return true;
    return false;
}

void chosenCourseLabel(char* out, int size, int* par) {
    const char* name = chosenCourseName();
    *par = chosenCoursePar();
    const char* file = chosenCourseFile();
    static CourseIndex index;
    char error[160];
    if (!name[0] && readCourseIndex(CourseIndexFile, &index, error, sizeof error)) {
        for (int i = 0; i < index.count && !name[0]; ++i) {
            if (std::strcmp(index.entries[i].file, file) != 0) continue;
            name = index.entries[i].name;
            *par = index.entries[i].par;
        }
    }
    if (!name[0]) {
        const char* slash = std::strrchr(file, '/');
        name = slash ? slash + 1 : file;
    }
    std::snprintf(out, size_t(size), "%s", name);
}

void resetRunWatch() {
    RunWatch = RunWatchState{};
    resetRunPhase(&RunWatch.phase);
    RunWatch.lastFillPending = 1;
    RunWatch.lastSplitFrame = -1;
}
