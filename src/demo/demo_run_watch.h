// Watching a demo's run as it plays: from the iteration its header names, the run is the
// ride that is on, through crashes ridden on from, to the finish, an injury, a defect or
// the game left. What the verification and the watching screen report.
#pragma once

#include <cstdint>

struct DemoHeader;

struct DemoRunWatch {
    int32_t startIteration;
    int32_t inRun;
    int32_t ended;
    int32_t outcome;     // DemoOutcome
    int32_t iterations;  // the ride clock at the end
    int32_t startedAt;   // the iteration the run started in
};

void beginDemoRunWatch(DemoRunWatch* watch, int startIteration);
// At the end of every iteration; 1 once the run has ended. left: the game was left in
// this iteration (the run ends there).
int watchDemoRun(DemoRunWatch* watch, int iteration, int left);
// The run ended as the header says: its outcome, its ride iterations and the rider it
// ended with (rider: the rider's name as the run ended).
bool demoRunAsHeader(const DemoRunWatch& watch, const char* rider, const DemoHeader& header);
// The outcome a screen shown after a ride stands for (DemoNoOutcome for the crash screen).
int demoOutcomeOfScreen(int32_t screen);
