// The recorder of every run in the window game. It hears the keys that reached the game
// (top screens and free keys excluded) with their main-loop iteration, notes where
// each run starts in its log and, as the run phase (menus/run_watch.h) says a run ended,
// writes the run's demo (demo_store.h):
//   0 time SEED                      the clock that seeded the damage table
//   1.. press/release ...            the game's keys before the session's first run,
//                                    one per iteration (menus do not depend on time)
//   P press KEY                      the key that started the first run
//   P+d press/release/time/mode ...  the run, at the same offsets from its start
//   E stop
// A later run qualifies for the same prologue when it starts from exactly the first
// run's start state (ride again); any other run is written as the whole session.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "demo/demo_file.h"

// Starts recording (the window program only): installDemos then hands it every key
// (demoRecorderKey) and calls demoRecorderIteration at the end of every iteration.
void startDemoRecorder();
// While watching a demo nothing is recorded, and the session no longer plays as a whole.
void pauseDemoRecorder(int paused);
// The demo of a run that ended at the finish, not yet kept: its header, its text and its
// ghost file. The recorder keeps every other run's demo itself.
struct FinishedRunDemo {
    DemoHeader header;
    std::string text;
    const uint8_t* ghost;
    size_t ghostSize;
};
// Hands the finished run's demo over once (the finish sequence); false when there is none.
bool takeFinishedRunDemo(FinishedRunDemo* demo);

// For tests: everything back to nothing heard.
void resetDemoRecorder();
// A key that reached the game or was taken beside it (the key watcher's down values of
// menus/top_screens.h), and the end of a main-loop iteration.
void demoRecorderKey(int scanCode, int down);
void demoRecorderIteration();
