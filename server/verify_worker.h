// The processes that play the game for the server. The game's state is global, so each
// verification worker is a process of its own with one game, fed one demo at a time
// over its standard input; a course check is a process of its own for one course.
//
// A worker's request:  "ride HASH COURSE_BYTES DEMO_BYTES MAX_RIDE_STEPS\n", the course
// file's bytes, the demo's bytes. Its answer, one line:
//   "finish STEPS DIGEST RIDER_HEX\n"  or  "refused REASON\n".
#pragma once

#include <cstdint>
#include <string>

// tumblegrade-server --verify-worker --data DIR: serves requests until its input ends.
int runVerifyWorker(const char* dataDir);
// The worker's game in this process (the fuzz target): false when it cannot be opened.
bool openWorkerGame(const char* dataDir);
void closeWorkerGame();
// One request answered by the game in this process: the answer line.
std::string answerRideRequest(uint64_t courseHash, const std::string& courseFile, const std::string& demo,
                              long maxRideSteps);
// tumblegrade-server --check-course FILE HASH --data DIR: the file's fingerprint must be
// HASH, the course checker must find no problem, and the autopilot must finish it.
// Prints "finish STEPS" (exit 0) or "refused REASON".
int runCourseCheck(const char* coursePath, uint64_t hash, const char* dataDir);

// Both ends of the protocol.
bool readExactly(int fd, void* bytes, size_t size);
bool writeExactly(int fd, const void* bytes, size_t size);
// One line up to '\n' (not kept), at most capacity bytes.
bool readLine(int fd, std::string* line, size_t capacity);
