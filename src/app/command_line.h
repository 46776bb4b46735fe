// The command line: the options that switch display-driver families off, and the
// splitting of a command tail into words.
#pragma once

#include "framework/framework.h"

extern DriverOptions GameDriverOptions;

// Reads the options into GameDriverOptions; 1 after "-h", 2 after a leading number
// (stored in *number), else 0.
int parseCommandLine(int* number, int argc, char** argv);
void resetDriverOptions();
// Splits a command-line tail into words the way the platform glue does: blanks and
// tabs split, double quotes toggle a quoted run; at most 18 words after entry 0.
int splitCommandLine(const char* programPath, const char* tail, char* storage, int storageSize,
                     char** argv);
