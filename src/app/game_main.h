// The game's entry: command line, framework set-up, callbacks and game initialisation.
#pragma once

#include "framework/framework.h"

extern DriverOptions GameDriverOptions;

int gameMain(int argc, char** argv);
int parseCommandLine(int* number, int argc, char** argv);
void resetDriverOptions();
// Splits a command-line tail into words the way the platform glue does: blanks and
// tabs split, double quotes toggle a quoted run; at most 18 words after entry 0.
int splitCommandLine(const char* programPath, const char* tail, char* storage, int storageSize,
                     char** argv);
void initGame();
// How often initGame has run; 0 makes the next run a first one again (tests).
extern int InitGameRuns;
// The callbacks the game registers that no other subsystem owns.
void onMouseDown(InputEvent* event);
void onModeSwitched(ModeRequest* request, int windowed);
void onActivate(int active);
int onSuspend(DisplayContext* dc, int kind);
