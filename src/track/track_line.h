// Reading a course file: its lines, the rule that skips runs of curve lines, and the
// fixed columns of a line.
#pragma once

#include <cstdio>
#include <string>

// Reads the next line, its line feed included, whatever its length; a carriage return
// in front of the line feed is dropped. False at the end of the file.
bool readTrackLine(FILE* file, std::string& line);

// Runs of curve lines: of 'l' lines that no 'g' or 'r' line interrupts only the first is
// built, and the same for 'r' lines; '#' lines are comments. Fed the first character of
// every line in file order.
struct CurveRuns {
    int left = 0;
    int right = 0;
    // True when the line that starts with c is not built.
    bool skip(char c);
};

// The decimal number that starts at column of line: leading white space skipped, one
// optional sign, digits up to the first non-digit; 0 without digits or when column lies
// past the end of the line. Values beyond the int range are clamped.
int readTrackNumber(const char* line, int column);

// The character at column of line, or '\0' past its end.
char trackLineChar(const char* line, int column);
