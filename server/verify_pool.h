// The verification workers seen from the server: as many worker processes as cores,
// each taking one demo at a time; a request waits for a free one. A worker that dies is
// started again. Course checks run as a process each.
#pragma once

#include <cstdint>
#include <string>

struct RideVerdict {
    int finished;        // 1: a finish as the header says
    int32_t iterations;  // the replay's ride steps
    std::string rider;   // Latin-1, as the replay ended
    std::string digest;  // the ride digest, 64 hex digits
    std::string reason;  // why not
};

struct CourseVerdict {
    int finished;        // 1: clean and finished by the autopilot
    int32_t iterations;  // the autopilot's ride steps: the course's par
    std::string reason;
};

// Starts count workers of this program (/proc/self/exe) on the data folder.
bool startVerifyPool(int count, const std::string& dataDir);
void stopVerifyPool();
RideVerdict verifyRideInWorker(uint64_t courseHash, const std::string& courseFile, const std::string& demo,
                               int32_t maxRideSteps);
CourseVerdict checkCourseInProcess(const std::string& courseFile, uint64_t hash);
// The answer line of a worker, read into a verdict.
RideVerdict rideVerdictOf(const std::string& line);
