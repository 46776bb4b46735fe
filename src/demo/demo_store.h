// Where demos are kept: $XDG_DATA_HOME/tumblegrade/demos (~/.local/share/... without
// it). The last runs (run-*.tgdemo, the newest 20) and the personal best of each course
// and rider (best-<course hash>-<rider>.tgdemo, with its ghost path beside it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "demo/demo_file.h"

constexpr int KeptRunCount = 20;
constexpr int DemoPathCapacity = 1024;

// The demos folder, made with its parents when missing; false without a home folder.
bool demosFolder(char* out, size_t capacity);

// The personal best's demo of a course and rider (whether it exists or not).
bool bestDemoPath(uint64_t courseHash, const char* rider, char* out, size_t capacity);

// A demo that cannot be read as one is moved aside (files/damaged_file) with one line on
// standard error.
void setDamagedDemoAside(const char* path, const char* why);

struct KeptDemo {
    char runPath[DemoPathCapacity];   // the run's file ("" when it could not be written)
    int newBest;                      // the run became the personal best
    char bestPath[DemoPathCapacity];  // its best file then
};

// Keeps a run's demo among the last runs and, for a finish faster than the kept best of
// its course and rider (or the first), as the best; mayBeBest 0 (a demo that does not
// play its run again) keeps it among the last runs only. ghost/ghostSize: the best's
// ghost path file, written beside it when the run becomes the best.
KeptDemo keepDemo(const DemoHeader& header, const std::string& text, const void* ghost, size_t ghostSize,
                  int mayBeBest = 1);
