// tumblegrade-replay --verify: a demo played without pictures or state log (demo_playback.h),
// its run's outcome and time compared with what its header says.
#pragma once

#include <cstdio>
#include <string>

#include "demo/replay_script.h"

void startDemoVerification();
// --make-demo FILE: the script's first run written as a demo (the header from what the
// run did, the body the script's own lines).
void startDemoMaking(const char* demoPath);
bool makingDemo();
// After the run: writes the demo; the exit status (0 written, 1 no run ended, 2 unwritable).
int writeMadeDemo(const std::string& scriptText, const char* courseLabel);
bool verifyingDemo();
// Reads the demo (header and body); false with the reason in error.
bool readDemoForVerification(FILE* in, ReplayScript* script, std::string* error);
// From inside the data folder: chooses the course of the demo's hash, or says in one line
// that the player does not have it.
bool chooseDemoCourse(const char* demoName);
// --make-demo: at the end of every iteration, the run followed.
void makingIteration(int iteration);
// --verify: the demo read played to the end of its run without pictures (the game
// initialised and the demo's course chosen).
void playDemoForVerification(const ReplayScript& script);
// Prints the outcome and time; the exit status (0 as the header, 1 otherwise).
int reportDemoVerification();
