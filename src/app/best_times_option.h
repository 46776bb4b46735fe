// tumblegrade --best-times [COURSE]: the best-times table as text, then the end.
#pragma once

#include <cstdio>

// Looks for --best-times among the arguments; the word after it, unless it starts with
// '-', is the course: a name the records know (any letter case) or a course file. Without
// one every course with runs is printed. Returns the exit status to end with, or -1
// when the option is not given.
int answerBestTimesOption(int argc, char** argv, FILE* out);
