// The recorder of every run in the window game. It hears the keys that reached the game
// (own screens and the new keys excluded) with their main-loop iteration, notes where
// each run starts and ends, and at the end writes the run's demo (demo_store.h):
//   0 time SEED                      the clock that seeded the damage table
//   1.. press/release ...            the game's keys before the session's first run,
//                                    one per iteration (menus do not depend on time)
//   P press KEY                      the key that started the first run
//   P+d press/release/time/mode ...  the run, at the same offsets from its start
//   E stop
// A later run qualifies for the same prologue when it starts from exactly the first
// run's start state (ride again); any other run is written as the whole session.
#pragma once

#include <cstdint>

// Starts recording (the window program only): installDemos then hands it every key
// (demoRecorderKey) and calls demoRecorderIteration at the end of every iteration.
void startDemoRecorder();
// The run that is on from this iteration is a fresh one (ride again).
void demoRecorderFreshRun();
// While watching a demo nothing is recorded, and the session no longer plays as a whole.
void pauseDemoRecorder(int paused);
// The file the last ended run was kept in (its best file when it became the best; ""
// when none), and whether it became the best.
const char* lastRunDemoFile();
int lastRunWasBest();

// At the finish, before the iteration ends: the run is written now (if it was not yet)
// and its demo file returned; "" when the run has no demo (not kept, or no run).
const char* demoOfFinishedRun();

// For tests: everything back to nothing heard.
void resetDemoRecorder();
// A key that reached the game or was taken beside it (the key watcher's down values of
// menus/own_screens.h), and the end of a main-loop iteration.
void demoRecorderKey(int scanCode, int down);
void demoRecorderIteration();
