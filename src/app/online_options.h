// The command line's online options: --submit FILE.tgdemo sends one demo and prints the
// server's answer; --world-best COURSE prints the course's world board as --best-times
// prints the local one. Both use --server URL when given (for that command only), else
// the settings' server. Called inside the data folder with the settings read.
#pragma once

#include <cstdio>

// The exit status when one of them was given, -1 when neither was.
int answerOnlineOption(int argc, char** argv, const char* startFolder, FILE* out);
// The value of --server URL, or null.
const char* serverOption(int argc, char** argv);
