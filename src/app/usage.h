// The program's own word about itself: --help and --version.
#pragma once

#include <cstdio>

// One line of the help text: what is typed (an option, a key, a variable, a file) and
// what it does.
struct UsageLine {
    const char* name;
    const char* text;
};

void printUsage(FILE* out);
void printVersion(FILE* out);
// Looks for --help and --version among the arguments and prints the first one found.
// Returns the exit status to end with, or -1 when the game is to start.
int answerInfoOption(int argc, char** argv);
