// A session of the window game without the window: top screens and the demos on, the
// headless back-end, keys from a plan; run in a child process so every session starts
// from the program's start. The demos land in the given XDG_DATA_HOME.
#pragma once

#include <string>
#include <vector>

struct DemoSessionPlan {
    int rideIterations;  // ride steps with the course pilot before Esc leaves the game;
                         // 0 rides to the finish, then Esc leaves
    int rideAgain;       // at the first finish F5 rides again (to the finish) first
    int checkAtStep = 0; // on the intro and at this ride step, checkDemosInLiveGame
                         // (0: never)
    int slowAtStep = 0;  // at this ride step the rider is slowed beside the keys, so that
                         // the run's demo no longer plays it (0: never)
    int practice = 0;    // at practice speed: the session ends with 71 when no run finished
};

// Returns the child's exit status (0 when the game ended normally, else the failed
// check of checkDemosInLiveGame).
int runRecordedSession(const std::string& dataHome, const DemoSessionPlan& plan);
// The files in dataHome/tumblegrade/demos whose names start with prefix (the last in
// name order), and all of them.
std::string findDemo(const std::string& dataHome, const std::string& prefix);
std::vector<std::string> findDemos(const std::string& dataHome, const std::string& prefix);
// The demo's lines with the first push of Up one iteration later.
std::string withFirstPushLater(const std::vector<std::string>& lines);
// The shipped demo of the chosen course is checked in the live game (demo_check.h), then
// one with its first push later: returns 0 when the first plays, the second is refused
// and the game is as before each time (state log, checkpoint, palette, table fills),
// else which check failed (31 and on).
int checkDemosInLiveGame();
// tumblegrade-replay --verify on a demo: exit status and what it printed.
int verifyDemo(const std::string& demo, std::string* output);

// Watches a demo in a child process and checks the jumps: returns 0 when a jump back and
// forward again reach the same game states as playing straight through, else which
// check failed (11 and on).
int checkWatchedJumps(const std::string& demo);

// Opens the best-times screen over dataHome's records (two runs with demos) in a child
// process: Down and Enter play the second run's demo, Esc comes back to the screen with
// Enter let go; with that demo file gone Enter plays nothing; on a course without runs
// Enter leaves. Returns 0, else which check failed (41 and on).
int checkBestTimesPlays(const std::string& dataHome);

// Leaves the intro alone for 30 seconds in a child process: returns 0 when the attract
// loop then plays a shipped demo that has reached its ride, and the key (any) brings back
// the intro; else which check failed (21 and on).
int checkAttractLoop(int scanCode);

// Plays a demo with playDemoRun in a fresh game in a child process: to its end, where it
// must end as its header says with the observer called once for every iteration of its
// run (Up held in some), then capped 100 iterations into its run, where it must not have
// ended. Returns 0, else which check failed (51 and on).
int checkDemoPlayback(const std::string& demo);

// Up held as a demo starts to play (--demo, or the attract loop when fromAttractLoop) is
// let go while it plays; after Esc ends the watching the game must not find Up down.
// In a child process; returns 0, else which check failed (61 and on).
int checkKeyLetGoWhileWatching(int fromAttractLoop);

// A run ridden to the finish with a board server set (the outbox and its sender on), in a
// child process that waits up to 30 seconds for the outbox to empty. Returns 0 when it
// did, else 70 and on.
int runOnlineSession(const std::string& dataHome, const std::string& server);
// The best-times screen over dataHome with a server set, in a child process: Tab shows
// the world's runs (the rider's own among them), Enter plays the chosen one's downloaded
// demo, F7 makes it the course's ghost. Returns 0, else which check failed (81 and on).
int checkWorldBoardView(const std::string& dataHome, const std::string& server);
