// The board's HTTP API, version 1 (server/API.md), as a function of the request: the
// route, the two signing headers, the query and the body in, the status and JSON out.
// No network here: the HTTP front and the fuzz target both call it.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "verify_pool.h"

constexpr size_t BodyCapacity = 256 * 1024;

struct ApiRequest {
    std::string method;
    std::string path;
    std::map<std::string, std::string> query;  // decoded
    std::string key;        // Tumblegrade-Key, "" when absent
    std::string signature;  // Tumblegrade-Signature
    std::string body;
    std::string address;    // the client's address
};

struct ApiResponse {
    int status;
    std::string contentType;
    std::string body;
    const char* route;  // for the metrics
};

// Who replays demos and checks courses: worker processes in the server, the process
// itself in the fuzz target.
struct BoardCheckers {
    RideVerdict (*verifyRide)(uint64_t courseHash, const std::string& courseFile, const std::string& demo,
                              int32_t maxRideSteps);
    CourseVerdict (*checkCourse)(const std::string& courseFile, uint64_t hash);
};

void setBoardCheckers(const BoardCheckers& checkers);
ApiResponse handleApiRequest(const ApiRequest& request);
// Forgets the courses kept in memory (tests that start a fresh database).
void forgetKnownCourses();
