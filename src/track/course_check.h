// The course checker: reads a track file by the loader's rules, builds every segment
// line with the game's own tile and object builders and reports what would make the
// course inconsistent, broken or unrideable.
#pragma once

#include <cstdio>

struct CourseReport {
    int builtSegments;
    int problems;   // faults: the checker fails
    int warnings;   // worth a look, not a fault
};

// Checks the course read from file; every finding is printed to out as
// "name:line: text". Lines are counted from 1.
CourseReport checkCourse(FILE* file, const char* name, FILE* out);

// For a course a player adds: 1 with the first problem ("line N: what") in text when the
// course has a problem, has no tile or cannot be read; 0 when it is clean (warnings
// allowed).
int firstCourseProblem(const char* path, char* text, int textSize);
// The same for size bytes of course text in memory (the editor's course).
int firstCourseTextProblem(const char* course, int size, char* text, int textSize);
