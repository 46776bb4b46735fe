// The server's own replay of a submitted demo: played without pictures by the game in
// this process (a verification worker), on the course file chosen before. The time on
// the board and the ride digest come from here, never from the file's header.
#pragma once

#include <cstdint>
#include <string>

#include "signing.h"

// A ride longer than this many ride steps (an hour) is stopped on any course.
constexpr int32_t RideStepCap = 216000;

struct RideCheck {
    int32_t finished;    // 1: a finish, as the header says
    int32_t iterations;  // the replay's ride steps
    char rider[48];      // the rider's name at the end of the run (Latin-1)
    uint8_t digest[Sha256Bytes];
    char reason[192];    // why not, when not finished
};

// Plays the demo on the chosen course, whose fingerprint is courseHash, and stops it
// past maxRideSteps.
void checkRide(const std::string& demoText, uint64_t courseHash, int32_t maxRideSteps, RideCheck* check);
