// Watching the runs beside the game: where the run stands (the run phase, worked out
// here once per iteration for everything that follows runs), the state a run began in
// (so it can be ridden again), the splits at the gate lines, and the finish, kept in the
// records. It runs after every main-loop iteration and changes nothing the game computes.
#pragma once

#include <cstdint>

#include "game/run_phase.h"
#include "game/run_start.h"
#include "profile/rider_profile.h"
#include "records/run_record.h"
#include "track/segment_objects.h"

struct RunWatchState {
    RunPhase phase;            // the live game's run as the last iteration left it
    int32_t keepRecords;       // finished runs go to the records file
    int32_t practice;          // runs are ridden at practice speed: none keeps a time or a
                               // demo, none is sent anywhere (set by the window program)
    int32_t lastFillPending;   // windowFillPending after the last iteration
    int32_t lastTrackCount;    // TrackMeshes.count() after the last iteration
    int32_t running;           // a run from the start is being watched
    int32_t raceFrames;        // racing iterations of this run
    int32_t splitCount;
    int32_t splits[RecordSplitCapacity];  // the clock at each gate line crossed
    int32_t lastSplitFrame;    // raceFrames at the latest split, -1 before the first
    uint64_t courseHash;
    int32_t courseKnown;       // the course file could be read for its fingerprint
    char courseName[RecordCourseNameCapacity];
    int32_t coursePar;
    int32_t haveBest;          // best holds the run splits are compared with
    RunRecord best;
    int32_t finished;          // the run reached the finish; finish holds it
    RunRecord finish;
    int32_t finishKept;        // ... and it is in the records file
    int32_t newPersonalBest;   // ... faster than every earlier run of the rider
    int32_t ownBestSteps;      // the rider's best of the course after the run, 0 when none
    RecordTable records;       // as read when the run began, with the finish added
    RunStart candidate;        // the state while waiting at the start
    RunStart start;            // the state the current run began with
};

extern RunWatchState RunWatch;

// Watches every iteration from now on; keepRecords: finished runs are added to the
// records file (the window game; the replay tool only with --records).
void installRunWatch(int keepRecords);
// The watcher itself, one iteration (installRunWatch adds it as an iteration observer):
// the run phase, the splits, at a finish the run noted, then the follower (below), or
// without one the run kept at once.
void watchRun();
// What follows runs above the menus (the demos): called by watchRun every iteration
// after the run watch; it keeps a finished run itself (keepFinishedRun, once its demo
// is kept). Installs the run watch when it is not yet (keeping no records).
void setRunWatchFollower(void (*follower)());
// The finish noted this iteration goes to the records (keepRecords), with the file of
// the demo that plays it ("" none); the personal best after it is worked out.
void keepFinishedRun(const char* demoFile);
// A run begins at the start this iteration with the state `start`: called by
// startFreshRun before the race starts.
void expectRunFromStart(const RunStart& start);
// A tile holding a gate: the line its start edge crosses is timed.
bool tileHasGate(const SegmentObjects& objects);
// The name runs of the chosen course are kept under and its par: as chosen, else as the
// data folder's course index gives them for the chosen file, else the file's name and 0.
void chosenCourseLabel(char* out, int size, int* par);
// Back to nothing watched (tests).
void resetRunWatch();
