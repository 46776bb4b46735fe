// A run of the world board as the ghost of a course: its demo, downloaded, is played
// without pictures (playDemoRun's observer notes the rider at every step of the ride
// clock) and kept with its ghost path in $XDG_DATA_HOME/tumblegrade/world/ as
// ghost-<course hash>.tgdemo and .ghost. While they are there, every run of that course
// starts with that ghost in place of the rider's own best; dropping them goes back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The chosen world ghost's demo of a course (whether it exists or not).
bool worldGhostDemoPath(uint64_t courseHash, char* out, size_t capacity);
// Makes the demo's run the ghost of its course: read by the demo reader, played in the
// live game kept aside, a finish as its header says. False with the reason in `why`.
bool chooseWorldGhost(const char* demoPath, std::string* why);
// Back to the rider's own best.
void dropWorldGhost(uint64_t courseHash);
int worldGhostChosen(uint64_t courseHash);
