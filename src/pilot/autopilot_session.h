// A whole session played by the autopilot, from the intro to the end of its run: one
// decision at the start of every main-loop iteration, the keys handed to the back-end,
// the session kept as a replay script that plays back to the same end. The replay tool's
// --autopilot and the board server's check of an uploaded course run it.
#pragma once

#include <cstdint>
#include <string>

// The clock that seeds the game's random numbers in a session.
constexpr int64_t AutopilotClock = 1000;
// A session that has not ended after this many iterations is stopped.
constexpr int AutopilotIterationLimit = 200000;

// Starts a session (before gameMain); queueKey hands a key change to the back-end.
void startAutopilotSession(void (*queueKey)(int scanCode, int down));
// At the start of every iteration: the decision from the state the last one left.
void autopilotSessionBegin(int iteration);
// At the end of every iteration: 1 once the session is over (the game is asked to exit).
int autopilotSessionEnd(int iteration);
// The screen the run ended on ("finish", "crash", "injury", "defect"), null when none.
const char* autopilotSessionOutcome();
// The session as a replay script, its stop line included once it is over.
const std::string& autopilotSessionRecord();
